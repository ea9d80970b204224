#include "TextLayout.h"

#include <gtk/gtk.h>

#include "platform/text/Cp932.h"
#include "platform/ui/TextMetrics.h"

namespace vext::gui {

namespace {

// Room a group box needs beside its title (pixels).
constexpr int kGroupTitleInset = 12;

bool HangsOnLine(wxUniChar c) {
  static const wxString kClosing(L"、。，．）」』】・ー…");
  return kClosing.Find(c) != wxNOT_FOUND;
}

int TextWidth(const wxWindow& window, const wxString& text) { return window.GetTextExtent(text).x; }

}  // namespace

wxString ToWx(const CString& cp932) { return wxString::FromUTF8(Cp932ToUtf8Lossy(cp932.view())); }

CString FromWx(const wxString& text) {
  CString result;
  for (wxUniChar c : text) {
    wxString one(c);
    const wxScopedCharBuffer utf8 = one.utf8_str();
    if (const std::optional<std::string> bytes = Utf8ToCp932(utf8.data()))
      result += CString(*bytes);
  }
  return result;
}

wxString WrapText(const wxWindow& window, const wxString& text, int width) {
  wxString wrapped;
  wxString line;
  const auto endLine = [&] {
    wrapped += line;
    line.clear();
  };
  for (wxUniChar c : text) {
    if (c == '\n') {
      endLine();
      wrapped += '\n';
      continue;
    }
    if (c == '\r') continue;
    if (!line.empty() && !HangsOnLine(c) && TextWidth(window, line + c) > width) {
      endLine();
      wrapped += '\n';
    }
    line += c;
  }
  endLine();
  return wrapped;
}

wxRect PixelRect(const DialogTemplate& dialog, const DialogControl& control) {
  const CSize base = CDC(dialog.pointSize).BaseUnits();
  return {control.x * base.cx / 4, control.y * base.cy / 8, control.cx * base.cx / 4,
          control.cy * base.cy / 8};
}

wxSize PixelSize(const DialogTemplate& dialog) {
  const CSize base = CDC(dialog.pointSize).BaseUnits();
  return {dialog.cx * base.cx / 4, dialog.cy * base.cy / 8};
}

std::string FitProblem(const wxWindow& window, const DialogControl& control, const wxString& text,
                       const wxSize& size) {
  int needWidth = 0;
  int needHeight = 0;
  wxString plain = text;
  plain.Replace("&&", "\x01");
  plain.Replace("&", "");
  plain.Replace("\x01", "&");
  switch (control.kind) {
    case ControlKind::Static: {
      const wxString wrapped = WrapText(window, plain, size.x);
      int lines = 1;
      for (wxUniChar c : wrapped) lines += c == '\n' ? 1 : 0;
      needHeight = lines * window.GetCharHeight();
      for (const wxString& line : wxSplit(wrapped, '\n', 0))
        needWidth = std::max(needWidth, TextWidth(window, line));
      break;
    }
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox: {
      // What the toolkit itself needs for the text, its frame or mark.
      GtkRequisition least;
      gtk_widget_get_preferred_size(window.GetHandle(), &least, nullptr);
      needWidth = least.width;
      needHeight = window.GetCharHeight();
      break;
    }
    case ControlKind::GroupBox: needWidth = TextWidth(window, plain) + kGroupTitleInset; break;
    default: return {};
  }
  if (needWidth <= size.x && needHeight <= size.y) return {};
  return "needs " + std::to_string(needWidth) + "x" + std::to_string(needHeight) + " px, has " +
         std::to_string(size.x) + "x" + std::to_string(size.y);
}

}  // namespace vext::gui

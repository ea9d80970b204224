#include "platform/ui/detail/ConsoleDialog.h"

#include <algorithm>

#include "platform/text/Cp932Rules.h"
#include "platform/text/Sj.h"

namespace vext::ui {

namespace {

constexpr int kDialogUnitsPerColumn = 4;  // a half-width character is 4 dialog units wide
constexpr int kDefaultTabStop = 32;       // dialog units

CString Number(int value) {
  CString text;
  text.Format("%d", value);
  return text;
}

// The item with its TABs turned into spaces up to the list's tab stops;
// columns count half-width characters.
CString ExpandTabs(const CString& text, const std::vector<int>& tabStops) {
  const auto nextStop = [&tabStops](int column) {
    if (tabStops.size() <= 1) {
      const int each =
          std::max(1, (tabStops.empty() ? kDefaultTabStop : tabStops[0]) / kDialogUnitsPerColumn);
      return (column / each + 1) * each;
    }
    for (int stop : tabStops)
      if (stop / kDialogUnitsPerColumn > column) return stop / kDialogUnitsPerColumn;
    return column + 1;
  };
  CString out;
  int column = 0;
  const std::string& bytes = text.str();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\t') {
      const int stop = nextStop(column);
      out += CString(' ', stop - column);
      column = stop;
    } else if (IsLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size()) {
      out += bytes[i];
      out += bytes[++i];
      column += 2;
    } else {
      out += bytes[i];
      ++column;
    }
  }
  return out;
}

// Continuation lines of a multi-line text line up under the first.
CString Indented(CString text, const char* indent) {
  text.Replace("\r\n", "\n");
  text.Replace("\n", (CString("\n") + indent).c_str());
  return text;
}

CString Marks(const WindowState& control, bool isDefault) {
  CString marks;
  if (isDefault) marks += "（既定）"_sj;
  if (!control.enabled) marks += "（無効）"_sj;
  if (control.Kind() == ControlKind::Edit && (control.Style() & ES_READONLY))
    marks += "（読み取り専用）"_sj;
  return marks;
}

CString ControlLines(const WindowState& control, int defaultId) {
  const CString id = "  " + Number(control.id) + ": ";
  const bool checked = control.check == BST_CHECKED;
  switch (control.Kind()) {
    case ControlKind::Static:
      if (control.text.IsEmpty()) break;
      return "  " + Indented(control.text, "  ") + Marks(control, false);
    case ControlKind::GroupBox: return "  -- " + control.text + " --";
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
      return id + "[" + control.text + "]" + Marks(control, control.id == defaultId);
    case ControlKind::RadioButton:
      return id + (checked ? "(*) " : "( ) ") + control.text + Marks(control, false);
    case ControlKind::CheckBox:
      return id + (checked ? "[x] " : "[ ] ") + control.text + Marks(control, false);
    case ControlKind::Edit:
      return id + "入力欄「"_sj + Indented(control.text, "    ") + "」"_sj + Marks(control, false);
    case ControlKind::ListBox: {
      CString lines = id + "一覧"_sj;
      if (control.items.empty()) lines += "（項目なし）"_sj;
      lines += Marks(control, false);
      const int width = Number(static_cast<int>(control.items.size()) - 1).GetLength();
      for (std::size_t i = 0; i < control.items.size(); ++i) {
        CString index;
        index.Format("%*d", width, static_cast<int>(i));
        const bool selected = static_cast<int>(i) == control.selection;
        lines += CString("\n    ") + (selected ? "> " : "  ") + index + "  " +
                 ExpandTabs(control.items[i].text, control.tabStops);
      }
      return lines;
    }
    case ControlKind::Icon:
    case ControlKind::Animation: break;
  }
  return CString();
}

}  // namespace

CString RenderDialogText(const DialogModel& model) {
  const DialogState& state = model.State();
  CString text = "[ダイアログ] "_sj + state.window.text + "\n";
  for (const WindowState& control : state.controls) {
    if (!control.visible) continue;
    const CString lines = ControlLines(control, model.DefaultId());
    if (!lines.IsEmpty()) text += lines + "\n";
  }
  return text;
}

}  // namespace vext::ui

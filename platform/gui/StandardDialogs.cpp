#include "StandardDialogs.h"

#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "GuiThread.h"
#include "TextLayout.h"
#include "platform/fs/PathMap.h"
#include "platform/text/Sj.h"

namespace vext::gui {

namespace {

long IconStyle(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: return wxICON_ERROR;
    case MB_ICONQUESTION: return wxICON_QUESTION;
    case MB_ICONEXCLAMATION: return wxICON_WARNING;
    case MB_ICONINFORMATION: return wxICON_INFORMATION;
    default: return wxICON_NONE;
  }
}

// "Text Files (*.txt)|*.txt|...|" as the toolkit takes it: no empty pairs.
wxString Wildcard(const CString& filter) {
  wxArrayString parts = wxSplit(ToWx(filter), '|', 0);
  while (!parts.empty() && parts.back().empty()) parts.pop_back();
  if (parts.size() % 2) parts.pop_back();
  return parts.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : wxJoin(parts, '|', 0);
}

std::filesystem::path NativeOf(const CString& systemPath) {
  return NativePath(systemPath).value_or(std::filesystem::path());
}

}  // namespace

int ShowMessageBox(wxWindow* parent, const CString& text, UINT type) {
  CString message = text;
  message.Replace("\r\n", "\n");
  long style = IconStyle(type) | wxCENTRE;
  const int defaultButton = ui::DefaultButton(type);
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: style |= wxOK | wxCANCEL; break;
    case MB_YESNO: style |= wxYES_NO; break;
    case MB_YESNOCANCEL: style |= wxYES_NO | wxCANCEL; break;
    default: style |= wxOK; break;
  }
  if (defaultButton == IDNO) style |= wxNO_DEFAULT;
  if (defaultButton == IDCANCEL) style |= wxCANCEL_DEFAULT;
  wxMessageDialog box(parent, ToWx(message), wxString::FromUTF8(program_invocation_short_name),
                      style);
  box.SetYesNoCancelLabels(ToWx("はい(&Y)"_sj), ToWx("いいえ(&N)"_sj), ToWx("キャンセル"_sj));
  box.SetOKCancelLabels("OK", ToWx("キャンセル"_sj));
  switch (box.ShowModal()) {
    case wxID_YES: return IDYES;
    case wxID_NO: return IDNO;
    case wxID_CANCEL: return IDCANCEL;
    case wxID_OK: return IDOK;
    default:  // closed otherwise: as Escape, or the only button
      return (type & MB_TYPEMASK) == MB_YESNO ? IDNO
                                              : ((type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL);
  }
}

std::optional<CString> ShowFileDialog(GuiThread& gui, const std::function<wxWindow*()>& parent,
                                      const ui::FileDialogRequest& request) {
  // The folder the name gives, else the current one (the caller may have
  // made a folder current for the dialog).
  std::filesystem::path start = NativeOf(request.fileName);
  std::filesystem::path folder =
      start.has_parent_path() ? start.parent_path() : std::filesystem::path();
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error))
    folder = std::filesystem::current_path(error);
  const std::string initialName = start.filename().string();
  const bool confirm = !request.open && (request.flags & OFN_OVERWRITEPROMPT);

  for (;;) {
    const std::optional<std::string> chosen = gui.Call([&]() -> std::optional<std::string> {
      wxString title = ToWx(request.title);
      if (title.empty()) title = ToWx(request.open ? "ファイルを開く"_sj : "名前を付けて保存"_sj);
      long style = request.open ? wxFD_OPEN | wxFD_FILE_MUST_EXIST : wxFD_SAVE;
      if (confirm) style |= wxFD_OVERWRITE_PROMPT;
      wxFileDialog dialog(parent(), title, wxString::FromUTF8(folder.string()),
                          wxString::FromUTF8(initialName), Wildcard(request.filter), style);
      if (dialog.ShowModal() != wxID_OK) return std::nullopt;
      return std::string(dialog.GetPath().utf8_str().data());
    });
    if (!chosen) return std::nullopt;
    std::filesystem::path path(*chosen);
    // As the system's file dialog did: a name without an extension gets
    // the default one, and the file so named is the one to confirm.
    if (!request.defaultExt.IsEmpty() && !path.has_extension()) {
      path += "." + std::string(ToWx(request.defaultExt).utf8_str().data());
      if (confirm && std::filesystem::exists(path, error)) {
        const CString question = CString(SystemPath(path).value_or(CString())) +
                                 " は既に存在します。\n上書きしますか?"_sj;
        const int answer = gui.Call([&parent, &question] {
          return ShowMessageBox(parent(), question, MB_YESNO | MB_ICONEXCLAMATION);
        });
        if (answer != IDYES) continue;
      }
    }
    if (std::optional<CString> system = SystemPath(path)) return system;
    // A name that CP932 cannot hold: the dialog again, with the reason.
    gui.Call([&parent] {
      return ShowMessageBox(parent(), "このファイル名はシフトJISで表せません。"_sj,
                            MB_OK | MB_ICONSTOP);
    });
  }
}

bool SaveScreenshot(GtkWidget* widget, const std::string& path) {
  if (!widget) return false;
  // Lets the window be mapped and drawn first.
  for (int round = 0; round < 20; ++round) {
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
    gdk_display_sync(gdk_display_get_default());
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  GdkWindow* window = gtk_widget_get_window(widget);
  if (!window || !gdk_window_is_viewable(window)) return false;
  GdkRectangle frame;
  gdk_window_get_frame_extents(window, &frame);
  GdkPixbuf* picture = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), frame.x, frame.y,
                                                  frame.width, frame.height);
  if (!picture) return false;
  const bool saved = gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, nullptr);
  g_object_unref(picture);
  return saved;
}

}  // namespace vext::gui

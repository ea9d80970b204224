// The desktop implementation of the user interface (UserInterface.h): the
// platform loads it from this library when VEXT_UI asks for "gui".
//
// Dialogs stay on their own thread, as everywhere in the system: while
// one runs, that thread performs what the user does (PerformDialogAction)
// and the messages posted to its windows (PumpMessages), and hands the
// dialog's changes to its window on the toolkit thread (GuiThread.h).
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ui/UserInterface.h"

namespace vext::gui {

class DialogWindow;
class GuiThread;

class GuiUserInterface final : public ui::UserInterface {
 public:
  explicit GuiUserInterface(GuiThread& gui);
  ~GuiUserInterface() override;
  GuiUserInterface(const GuiUserInterface&) = delete;
  GuiUserInterface& operator=(const GuiUserInterface&) = delete;

  int MessageBox(const CString& text, UINT type) override;
  std::optional<CString> FileDialog(const ui::FileDialogRequest& request) override;
  int DoModal(CDialog& dialog) override;

  void WaitShown(const ui::WaitView& view) override;
  void WaitTextChanged(const ui::WaitView& view) override;
  void WaitHidden(const ui::WaitView& view) override;

  void BeginWaitCursor() override;
  void EndWaitCursor() override;

  void InputMethodChanged(const CWnd& window, bool open, DWORD conversion) override;

 private:
  GuiThread& m_gui;
};

// The windows the toolkit thread shows, by the key their session gave
// them; only on the toolkit thread.
std::map<int, DialogWindow*>& Windows();
// Every input-method request so far and what became of it (UTF-8 lines).
std::vector<std::string> InputMethodRecord();

}  // namespace vext::gui

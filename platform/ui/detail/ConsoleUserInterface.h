// The user interface of a program run from a terminal or a script: messages
// go to standard error in UTF-8 (the terminal's encoding), questions are
// answered on the terminal when standard input is one, else by the default
// button, and the printed line says which answer was taken. A dialog is
// shown as text (ConsoleDialog.h) and worked by the actions of
// DialogActions.h typed on the terminal. The wait dialog is a spinner when
// standard error is a terminal and silent otherwise.
#pragma once

#include <cstdio>
#include <memory>

#include "platform/ui/UserInterface.h"

namespace vext::ui {

class AFX_API ConsoleUserInterface : public UserInterface {
 public:
  // `in` answers questions when it is a terminal; `out` shows everything.
  explicit ConsoleUserInterface(std::FILE* in = stdin, std::FILE* out = stderr);
  ~ConsoleUserInterface() override;
  ConsoleUserInterface(const ConsoleUserInterface&) = delete;
  ConsoleUserInterface& operator=(const ConsoleUserInterface&) = delete;

  int MessageBox(const CString& text, UINT type) override;
  std::optional<CString> FileDialog(const FileDialogRequest& request) override;
  int DoModal(CDialog& dialog) override;

  void WaitShown(const WaitView& view) override;
  void WaitTextChanged(const WaitView& view) override;
  void WaitHidden(const WaitView& view) override;

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace vext::ui

// All interaction with the user goes through one interface: message boxes,
// file dialogs, modal dialogs, the modeless wait dialog and the wait
// cursor. The process has one current implementation, chosen by $VEXT_UI:
//   console   messages on standard error in the terminal's encoding; a
//             question is answered on the terminal when standard input is
//             one, otherwise by its default button (and the message says
//             so); the wait dialog is a spinner on a terminal.
//   scripted  for tests: records every event and answers from a queue
//             (ScriptedUserInterface.h).
//   gui       a desktop toolkit, when built and a display is present.
// A host can install its own with SetCurrent.
#pragma once

#include <memory>
#include <optional>

#include "AfxTypes.h"
#include "CString.h"

// Message box styles and results, as the suite's code names them.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_ICONSTOP = 0x0010;
constexpr UINT MB_ICONERROR = MB_ICONSTOP;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

namespace vext::ui {

struct FileDialogRequest {
  bool open = true;      // open or save
  CString title;
  CString defaultExt;    // without the dot
  CString fileName;      // initial file name or path
  CString filter;        // "Description|*.ext|...|"
  DWORD flags = 0;
};

// A modal dialog: a class with its own state and behaviour that runs
// without any toolkit; an implementation only shows it and forwards the
// user's actions. Run returns the dialog's end code (IDOK, IDCANCEL...).
class AFX_API ModalDialog {
public:
  virtual ~ModalDialog() = default;
  virtual CString Title() const = 0;
  // The result when nobody can answer (no terminal, no script).
  virtual int DefaultResult() const { return IDCANCEL; }
};

// What the modeless wait dialog shows.
class AFX_API WaitView {
public:
  virtual ~WaitView() = default;
  virtual CString Text() const = 0;
  virtual int ClipId() const = 0;
};

class AFX_API UserInterface {
public:
  virtual ~UserInterface() = default;

  // `type` combines MB_ buttons and icon; returns IDOK, IDCANCEL, IDYES or IDNO.
  virtual int MessageBox(const CString& text, UINT type) = 0;
  // The chosen path (system form), or nullopt when cancelled.
  virtual std::optional<CString> FileDialog(const FileDialogRequest& request) = 0;
  virtual int DoModal(ModalDialog& dialog) = 0;

  virtual void WaitShown(const WaitView& view) = 0;
  virtual void WaitTextChanged(const WaitView& view) = 0;
  virtual void WaitHidden(const WaitView& view) = 0;

  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}
};

// The current implementation (created from $VEXT_UI on first use).
AFX_API UserInterface& Current();
// Installs `ui` as the current implementation; returns the previous one.
AFX_API std::unique_ptr<UserInterface> SetCurrent(std::unique_ptr<UserInterface> ui);

}  // namespace vext::ui

// The suite's message box: shows `text` (CP932) through the current
// implementation and returns the button pressed.
AFX_API int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);

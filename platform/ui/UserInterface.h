// All interaction with the user goes through one interface: message boxes,
// file dialogs, modal dialogs, the modeless wait dialog and the wait
// cursor. The process has one current implementation, chosen by $VEXT_UI:
//   console   messages on standard error in the terminal's encoding; a
//             question is answered on the terminal when standard input is
//             one, otherwise by its default button (and the message says
//             so); the wait dialog is a spinner on a terminal.
//   scripted  for tests: records every event and answers from a queue
//             (ScriptedUserInterface.h).
//   gui       real windows on the desktop (the plug-in libVextGui.so beside
//             this library, when built and a display can be opened; else
//             the console stands in). The default when a display is set.
// A host can install its own with SetCurrent. Dialogs: Dialog.h.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

class CDialog;
class CWnd;

// Message box styles and results, as the suite's code names them.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_TYPEMASK = 0x000F;
constexpr UINT MB_ICONSTOP = 0x0010;
constexpr UINT MB_ICONERROR = MB_ICONSTOP;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr UINT MB_ICONMASK = 0x00F0;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;
constexpr UINT MB_DEFMASK = 0x0F00;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// File dialog flags, as the suite's code names them.
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;

namespace vext::ui {

struct FileDialogRequest {
  bool open = true;  // open or save
  CString title;
  CString defaultExt;  // without the dot
  CString fileName;    // initial file name or path
  CString filter;      // "Description|*.ext|...|"
  DWORD flags = 0;     // OFN_ flags
};

// What the modeless wait dialog shows. A view is valid only during the
// call it is passed to; an implementation copies what it keeps.
class AFX_API WaitView {
 public:
  virtual ~WaitView();
  virtual CString Text() const = 0;
  virtual int ClipId() const = 0;
  // The dialog itself, for an implementation that draws it from its
  // template (Dialog.h); null when there is none.
  virtual CDialog* Dialog() const { return nullptr; }
};

class AFX_API UserInterface {
 public:
  virtual ~UserInterface();

  // `type` combines MB_ buttons and icon; returns IDOK, IDCANCEL, IDYES or IDNO.
  virtual int MessageBox(const CString& text, UINT type) = 0;
  // The chosen path (system form), or nullopt when cancelled.
  virtual std::optional<CString> FileDialog(const FileDialogRequest& request) = 0;
  // Shows a modal dialog, initialised already, and forwards the user's
  // actions to it until it has ended; returns its end code (Dialog.h).
  virtual int DoModal(CDialog& dialog) = 0;

  virtual void WaitShown(const WaitView& view) = 0;
  virtual void WaitTextChanged(const WaitView& view) = 0;
  virtual void WaitHidden(const WaitView& view) = 0;

  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}

  // A window asks for its input method to be switched (InputMethod.h):
  // open or closed, in the IME_CMODE_ modes `conversion` names.
  virtual void InputMethodChanged(const CWnd& /*window*/, bool /*open*/, DWORD /*conversion*/) {}
};

// The buttons of a message box style, in display order (IDOK, IDCANCEL,
// IDYES, IDNO); an unknown button set counts as OK alone.
AFX_API std::vector<int> ButtonsOf(UINT type);
// The button that Enter presses: the MB_DEFBUTTONn one when the box has it,
// else the first.
AFX_API int DefaultButton(UINT type);

// The current implementation (created from $VEXT_UI on first use:
// "console", "scripted" or "gui"; anything else, or a gui that is not
// built, gives the console). The caller shares its ownership: the object
// lives on while a call through it runs, even if another thread installs
// another one meanwhile.
AFX_API std::shared_ptr<UserInterface> Current();
// Installs `ui` as the current implementation; returns the previous one.
// Installing nullptr makes the next Current() choose from $VEXT_UI again.
AFX_API std::shared_ptr<UserInterface> SetCurrent(std::shared_ptr<UserInterface> ui);
// The implementation $VEXT_UI names, newly made.
AFX_API std::unique_ptr<UserInterface> CreateFromEnvironment();

}  // namespace vext::ui

// The suite's message box: shows `text` (CP932) through the current
// implementation and returns the button pressed.
AFX_API int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);

// The wait cursor for the life of the object, through the implementation
// that was current when it began.
class CWaitCursor {
 public:
  CWaitCursor() : m_ui(vext::ui::Current()) { m_ui->BeginWaitCursor(); }
  ~CWaitCursor() { m_ui->EndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

 private:
  std::shared_ptr<vext::ui::UserInterface> m_ui;
};

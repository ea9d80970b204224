// The user interface of tests: records every event and answers from queues
// of prepared answers. A queue that runs dry answers as a user pressing
// Enter would: the default button (a dialog's when it is enabled, else
// Cancel), Cancel for a file dialog. A plain OK box takes nothing from the
// queue.
//
// Dialogs take scripts from their own queue, one script per dialog in the
// order the dialogs open (a dialog opened by another's handler takes the
// next one while the first waits). A script is a list of actions
// (DialogActions.h) played in order; the dialog ends by its own doing (ok,
// cancel, a handler's EndDialog), or when the script runs out as above.
// Each Modal event keeps the dialog's state as shown and after every step.
//
// In-process, a test installs one with vext::ui::SetCurrent and reads
// Events(). Across processes ($VEXT_UI=scripted, see FromEnvironment) each
// event is also appended to the file named by $VEXT_UI_LOG as one UTF-8
// line, fields separated by a tab:
//
//   message\t<type>\t<text>           type: MB_ style, 4 lower-case hex digits
//   file-dialog\t<open|save>\t<title>\t<initial file name>
//   modal\t<title>                       a dialog shown; its controls follow
//   control\t<id>\t<kind>\t<flags>\t<text>
//                                        kind: static, button, default-button,
//                                        radio, check, edit, list, group, icon,
//                                        animation; flags: "-" or some of
//                                        disabled, hidden, checked, focus, joined by ","
//   item\t<id>\t<index>\t<data>\t<selected: * or ->\t<text>   a list's items
//   action\t<action>\t<outcome>          done, bad (not an action) or why it
//                                        was refused (no-control, disabled...)
//   modal-end\t<result>                  the dialog ended; its controls follow
//   input-method\t<id>\t<open|closed>\t<conversion, 8 hex digits>
//   wait-shown\t<clip id>\t<text>
//   wait-text\t<text>
//   wait-hidden
//   wait-cursor\t<begin|end>
//   bad-answer\t<entry>                an entry of $VEXT_UI_ANSWERS not understood
//
// In texts and actions a backslash is written "\\", a line feed "\n", a
// carriage return "\r" and a tab "\t". The lines of one event are written
// with one append, so the events of several processes never interleave.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "platform/ui/DialogActions.h"
#include "platform/ui/DialogModel.h"
#include "platform/ui/UserInterface.h"

namespace vext::ui {

// One step of a scripted dialog.
struct ScriptedDialogStep {
  std::string action;  // as scripted (UTF-8); "" for the dialog as shown
  bool understood = true;
  ActionRefusal refusal = ActionRefusal::None;
  DialogState state;  // the dialog after the step
};

struct ScriptedEvent {
  enum class Kind {
    Message,
    FileDialog,
    Modal,
    WaitShown,
    WaitText,
    WaitHidden,
    WaitCursor,
    InputMethod
  };
  Kind kind;
  CString text;        // message text, dialog title or wait text (CP932)
  UINT type = 0;       // message box style; input method: the IME_CMODE_ bits
  int clipId = 0;      // wait dialog clip; input method: the control id
  int result = 0;      // answer given to a message box or modal dialog
  bool begin = false;  // wait cursor: begin or end; input method: open
  FileDialogRequest fileRequest;
  std::optional<CString> chosenPath;      // file dialog answer
  std::vector<ScriptedDialogStep> steps;  // modal dialog: as shown, then each action
};

class AFX_API ScriptedUserInterface : public UserInterface {
 public:
  ScriptedUserInterface() = default;

  // Answers from $VEXT_UI_ANSWERS, a comma-separated list taken in order:
  // "ok", "cancel", "yes", "no" answer message boxes; "file:<path>" answers
  // a file dialog with the path (UTF-8, converted to the system's code
  // page), "file:" cancels one; "dialog:<action>;<action>..." is the script
  // of a dialog, in which a backslash takes the next character as it is
  // ("text:1001:a\,b\;c" types "a,b;c"). Events go to $VEXT_UI_LOG when
  // it is set.
  static std::unique_ptr<ScriptedUserInterface> FromEnvironment();

  void QueueAnswer(int id);
  void QueueFileResult(std::optional<CString> path);
  // The script of the next dialog: actions in the text form of
  // DialogActions.h, such as {"select:1011:2", "click:1017", "ok"}.
  void QueueDialog(std::vector<std::string> actions);
  // Code that plays the user of the next dialog, on the live dialog
  // (PerformDialogAction, dialog.Model()); the dialog ends as above if the
  // code leaves it running.
  void QueueDialogUser(std::function<void(CDialog&)> user);
  // Appends every event from now on to `path` (native) as described above.
  void SetLogFile(std::string path);

  std::vector<ScriptedEvent> Events() const;
  // The texts of the message boxes shown, in order.
  std::vector<CString> Messages() const;
  void ClearEvents();

  int MessageBox(const CString& text, UINT type) override;
  std::optional<CString> FileDialog(const FileDialogRequest& request) override;
  int DoModal(CDialog& dialog) override;
  void WaitShown(const WaitView& view) override;
  void WaitTextChanged(const WaitView& view) override;
  void WaitHidden(const WaitView& view) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void InputMethodChanged(const CWnd& window, bool open, DWORD conversion) override;

 private:
  struct DialogScript {
    std::vector<std::string> actions;
    std::function<void(CDialog&)> user;
  };

  // Records the event; its index in Events().
  std::size_t Record(ScriptedEvent event, const std::string& logLine);
  void AddStep(std::size_t modalEvent, ScriptedDialogStep step);
  void Log(const std::string& line) const;

  mutable std::mutex m_mutex;
  std::vector<ScriptedEvent> m_events;
  std::deque<int> m_answers;
  std::deque<std::optional<CString>> m_fileResults;
  std::deque<DialogScript> m_dialogs;
  std::string m_logPath;
};

}  // namespace vext::ui

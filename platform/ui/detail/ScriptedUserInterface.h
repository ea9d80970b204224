// The user interface of tests: records every event and answers from queues
// of prepared answers. A queue that runs dry answers as a user pressing
// Enter would: the default button, the dialog's default result, Cancel for a
// file dialog. A plain OK box takes nothing from the queue.
//
// In-process, a test installs one with vext::ui::SetCurrent and reads
// Events(). Across processes ($VEXT_UI=scripted, see FromEnvironment) each
// event is also appended to the file named by $VEXT_UI_LOG as one UTF-8
// line, fields separated by a tab:
//
//   message\t<type>\t<text>           type: MB_ style, 4 lower-case hex digits
//   file-dialog\t<open|save>\t<title>\t<initial file name>
//   modal\t<title>
//   wait-shown\t<clip id>\t<text>
//   wait-text\t<text>
//   wait-hidden
//   wait-cursor\t<begin|end>
//   bad-answer\t<entry>                an entry of $VEXT_UI_ANSWERS not understood
//
// In texts a backslash is written "\\", a line feed "\n", a carriage return
// "\r" and a tab "\t". Each line is written with one append, so lines of
// several processes never interleave.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "platform/ui/UserInterface.h"

namespace vext::ui {

struct ScriptedEvent {
  enum class Kind { Message, FileDialog, Modal, WaitShown, WaitText, WaitHidden, WaitCursor };
  Kind kind;
  CString text;        // message text, dialog title or wait text (CP932)
  UINT type = 0;       // message box style
  int clipId = 0;      // wait dialog clip
  int result = 0;      // answer given to a message box or modal dialog
  bool begin = false;  // wait cursor: begin or end
  FileDialogRequest fileRequest;
  std::optional<CString> chosenPath;  // file dialog answer
};

class AFX_API ScriptedUserInterface : public UserInterface {
 public:
  ScriptedUserInterface() = default;

  // Answers from $VEXT_UI_ANSWERS, a comma-separated list taken in order:
  // "ok", "cancel", "yes", "no" answer message boxes; "file:<path>" answers
  // a file dialog with the path (UTF-8, converted to the system's code
  // page), "file:" cancels one. Events go to $VEXT_UI_LOG when it is set.
  static std::unique_ptr<ScriptedUserInterface> FromEnvironment();

  void QueueAnswer(int id);
  void QueueFileResult(std::optional<CString> path);
  // The action plays the user: it works the dialog and returns its end code.
  void QueueModalAction(std::function<int(ModalDialog&)> action);
  // Appends every event from now on to `path` (native) as described above.
  void SetLogFile(std::string path);

  std::vector<ScriptedEvent> Events() const;
  // The texts of the message boxes shown, in order.
  std::vector<CString> Messages() const;
  void ClearEvents();

  int MessageBox(const CString& text, UINT type) override;
  std::optional<CString> FileDialog(const FileDialogRequest& request) override;
  int DoModal(ModalDialog& dialog) override;
  void WaitShown(const WaitView& view) override;
  void WaitTextChanged(const WaitView& view) override;
  void WaitHidden(const WaitView& view) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;

 private:
  void Record(ScriptedEvent event, const std::string& logLine);
  void Log(const std::string& line) const;

  mutable std::mutex m_mutex;
  std::vector<ScriptedEvent> m_events;
  std::deque<int> m_answers;
  std::deque<std::optional<CString>> m_fileResults;
  std::deque<std::function<int(ModalDialog&)>> m_modalActions;
  std::string m_logPath;
};

}  // namespace vext::ui

#include "platform/ui/detail/ScriptedUserInterface.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/text/Cp932.h"
#include "platform/ui/Dialog.h"

namespace vext::ui {

namespace {

// UTF-8 text as one log field.
std::string Escaped(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

// CP932 text as one UTF-8 log field.
std::string Field(const CString& text) { return Escaped(Cp932ToUtf8Lossy(text.view())); }

// The pieces of `text` between unescaped `separator`s; a backslash takes
// the next character as it is.
std::vector<std::string> SplitEscaped(std::string_view text, char separator) {
  std::vector<std::string> pieces(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size())
      pieces.back() += text[++i];
    else if (text[i] == separator)
      pieces.emplace_back();
    else
      pieces.back() += text[i];
  }
  return pieces;
}

// The entries of $VEXT_UI_ANSWERS: split at commas, except inside a
// "dialog:" entry, where a backslash keeps the next character (a comma
// too) in the entry.
std::vector<std::string_view> AnswerEntries(std::string_view answers) {
  std::vector<std::string_view> entries;
  std::size_t start = 0;
  while (start <= answers.size()) {
    const bool escapes = answers.substr(start).starts_with("dialog:");
    std::size_t end = start;
    while (end < answers.size() && answers[end] != ',')
      end += escapes && answers[end] == '\\' ? 2 : 1;
    end = std::min(end, answers.size());
    entries.push_back(answers.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Static: return "static";
    case ControlKind::PushButton: return "button";
    case ControlKind::DefPushButton: return "default-button";
    case ControlKind::RadioButton: return "radio";
    case ControlKind::CheckBox: return "check";
    case ControlKind::Edit: return "edit";
    case ControlKind::ListBox: return "list";
    case ControlKind::GroupBox: return "group";
    case ControlKind::Icon: return "icon";
    case ControlKind::Animation: return "animation";
  }
  return "?";
}

std::string Flags(const WindowState& control, int focus) {
  std::string flags;
  const auto add = [&flags](const char* flag) {
    flags += (flags.empty() ? "" : ",") + std::string(flag);
  };
  if (!control.enabled) add("disabled");
  if (!control.visible) add("hidden");
  if (control.check == BST_CHECKED) add("checked");
  if (focus != 0 && control.id == focus) add("focus");
  return flags.empty() ? "-" : flags;
}

// The log lines of a dialog's controls, each ending in a line feed.
std::string DialogLines(const DialogState& state) {
  std::string lines;
  for (const WindowState& control : state.controls) {
    const std::string id = std::to_string(control.id);
    lines += "control\t" + id + "\t" + KindName(control.Kind()) + "\t" +
             Flags(control, state.focus) + "\t" + Field(control.text) + "\n";
    for (std::size_t i = 0; i < control.items.size(); ++i)
      lines += "item\t" + id + "\t" + std::to_string(i) + "\t" +
               std::to_string(control.items[i].data) + "\t" +
               (static_cast<int>(i) == control.selection ? "*" : "-") + "\t" +
               Field(control.items[i].text) + "\n";
  }
  return lines;
}

void AddAnswer(ScriptedUserInterface& ui, std::string_view entry, std::vector<std::string>& bad) {
  if (entry.starts_with("dialog:"))
    ui.QueueDialog(SplitEscaped(entry.substr(7), ';'));
  else if (entry == "ok")
    ui.QueueAnswer(IDOK);
  else if (entry == "cancel")
    ui.QueueAnswer(IDCANCEL);
  else if (entry == "yes")
    ui.QueueAnswer(IDYES);
  else if (entry == "no")
    ui.QueueAnswer(IDNO);
  else if (entry == "file:")
    ui.QueueFileResult(std::nullopt);
  else if (entry.starts_with("file:")) {
    if (const auto path = Utf8ToCp932(entry.substr(5)))
      ui.QueueFileResult(CString(*path));
    else
      bad.emplace_back(entry);
  } else if (!entry.empty()) {
    bad.emplace_back(entry);
  }
}

ScriptedEvent NewEvent(ScriptedEvent::Kind kind, const CString& text = CString()) {
  ScriptedEvent event;
  event.kind = kind;
  event.text = text;
  return event;
}

}  // namespace

std::unique_ptr<ScriptedUserInterface> ScriptedUserInterface::FromEnvironment() {
  auto ui = std::make_unique<ScriptedUserInterface>();
  if (const char* log = std::getenv("VEXT_UI_LOG"); log && *log) ui->SetLogFile(log);
  std::vector<std::string> bad;
  if (const char* answers = std::getenv("VEXT_UI_ANSWERS"))
    for (std::string_view entry : AnswerEntries(answers)) AddAnswer(*ui, entry, bad);
  // The entry comes from the environment, not from CP932 text: log it raw.
  for (const std::string& entry : bad) ui->Log("bad-answer\t" + entry);
  return ui;
}

void ScriptedUserInterface::QueueAnswer(int id) {
  std::lock_guard lock(m_mutex);
  m_answers.push_back(id);
}

void ScriptedUserInterface::QueueFileResult(std::optional<CString> path) {
  std::lock_guard lock(m_mutex);
  m_fileResults.push_back(std::move(path));
}

void ScriptedUserInterface::QueueDialog(std::vector<std::string> actions) {
  std::lock_guard lock(m_mutex);
  m_dialogs.push_back(DialogScript{std::move(actions), nullptr});
}

void ScriptedUserInterface::QueueDialogUser(std::function<void(CDialog&)> user) {
  std::lock_guard lock(m_mutex);
  m_dialogs.push_back(DialogScript{{}, std::move(user)});
}

void ScriptedUserInterface::SetLogFile(std::string path) {
  std::lock_guard lock(m_mutex);
  m_logPath = std::move(path);
}

std::vector<ScriptedEvent> ScriptedUserInterface::Events() const {
  std::lock_guard lock(m_mutex);
  return m_events;
}

std::vector<CString> ScriptedUserInterface::Messages() const {
  std::lock_guard lock(m_mutex);
  std::vector<CString> texts;
  for (const ScriptedEvent& event : m_events)
    if (event.kind == ScriptedEvent::Kind::Message) texts.push_back(event.text);
  return texts;
}

void ScriptedUserInterface::ClearEvents() {
  std::lock_guard lock(m_mutex);
  m_events.clear();
}

int ScriptedUserInterface::MessageBox(const CString& text, UINT type) {
  ScriptedEvent event = NewEvent(ScriptedEvent::Kind::Message, text);
  event.type = type;
  event.result = DefaultButton(type);
  {
    std::lock_guard lock(m_mutex);
    if (ButtonsOf(type).size() > 1 && !m_answers.empty()) {
      event.result = m_answers.front();
      m_answers.pop_front();
    }
  }
  char style[16];
  std::snprintf(style, sizeof style, "%04x", type);
  const int result = event.result;
  Record(std::move(event), std::string("message\t") + style + "\t" + Field(text));
  return result;
}

std::optional<CString> ScriptedUserInterface::FileDialog(const FileDialogRequest& request) {
  ScriptedEvent event = NewEvent(ScriptedEvent::Kind::FileDialog, request.title);
  event.fileRequest = request;
  {
    std::lock_guard lock(m_mutex);
    if (!m_fileResults.empty()) {
      event.chosenPath = m_fileResults.front();
      m_fileResults.pop_front();
    }
  }
  std::optional<CString> chosen = event.chosenPath;
  Record(std::move(event), std::string("file-dialog\t") + (request.open ? "open" : "save") + "\t" +
                               Field(request.title) + "\t" + Field(request.fileName));
  return chosen;
}

int ScriptedUserInterface::DoModal(CDialog& dialog) {
  DialogScript script;
  {
    std::lock_guard lock(m_mutex);
    if (!m_dialogs.empty()) {
      script = std::move(m_dialogs.front());
      m_dialogs.pop_front();
    }
  }
  const auto stateNow = [&dialog] {
    return dialog.Model() ? dialog.Model()->State() : DialogState();
  };
  const auto running = [&dialog] { return dialog.Model() && !dialog.Model()->Ended(); };

  ScriptedEvent event = NewEvent(ScriptedEvent::Kind::Modal, stateNow().window.text);
  event.steps.push_back(ScriptedDialogStep{"", true, ActionRefusal::None, stateNow()});
  std::string shown = "modal\t" + Field(event.text) + "\n" + DialogLines(event.steps.front().state);
  shown.pop_back();
  const std::size_t index = Record(event, shown);

  // The script runs unlocked: the dialog may show messages and dialogs of its own.
  if (script.user) script.user(dialog);
  for (const std::string& text : script.actions) {
    ScriptedDialogStep step{text, false, ActionRefusal::None, {}};
    if (const std::optional<DialogAction> action = ParseDialogAction(text)) {
      step.understood = true;
      step.refusal = PerformDialogAction(dialog, *action);
    }
    step.state = stateNow();
    Log("action\t" + Escaped(text) + "\t" + (step.understood ? RefusalName(step.refusal) : "bad"));
    AddStep(index, std::move(step));
  }
  if (running()) {
    const bool pressedDefault = EndUnattended(dialog) == DialogAction::Kind::Default;
    const char* how = pressedDefault ? "default" : "cancel";
    Log(std::string("action\t") + how + "\tdone");
    AddStep(index, ScriptedDialogStep{how, true, ActionRefusal::None, stateNow()});
  }
  const int result = dialog.Model() ? dialog.Model()->Result() : -1;
  {
    std::lock_guard lock(m_mutex);
    if (index < m_events.size()) m_events[index].result = result;
  }
  std::string ended = "modal-end\t" + std::to_string(result) + "\n" + DialogLines(stateNow());
  ended.pop_back();
  Log(ended);
  return result;
}

void ScriptedUserInterface::WaitShown(const WaitView& view) {
  ScriptedEvent event = NewEvent(ScriptedEvent::Kind::WaitShown, view.Text());
  event.clipId = view.ClipId();
  Record(event, "wait-shown\t" + std::to_string(event.clipId) + "\t" + Field(event.text));
}

void ScriptedUserInterface::WaitTextChanged(const WaitView& view) {
  ScriptedEvent event = NewEvent(ScriptedEvent::Kind::WaitText, view.Text());
  event.clipId = view.ClipId();
  Record(event, "wait-text\t" + Field(event.text));
}

void ScriptedUserInterface::WaitHidden(const WaitView& view) {
  ScriptedEvent event = NewEvent(ScriptedEvent::Kind::WaitHidden, view.Text());
  event.clipId = view.ClipId();
  Record(std::move(event), "wait-hidden");
}

void ScriptedUserInterface::BeginWaitCursor() {
  ScriptedEvent event = NewEvent(ScriptedEvent::Kind::WaitCursor);
  event.begin = true;
  Record(std::move(event), "wait-cursor\tbegin");
}

void ScriptedUserInterface::EndWaitCursor() {
  Record(NewEvent(ScriptedEvent::Kind::WaitCursor), "wait-cursor\tend");
}

void ScriptedUserInterface::InputMethodChanged(const CWnd& window, bool open, DWORD conversion) {
  ScriptedEvent event = NewEvent(ScriptedEvent::Kind::InputMethod);
  event.clipId = window.GetDlgCtrlID();
  event.begin = open;
  event.type = conversion;
  char mode[16];
  std::snprintf(mode, sizeof mode, "%08x", conversion);
  Record(std::move(event), "input-method\t" + std::to_string(window.GetDlgCtrlID()) + "\t" +
                               (open ? "open" : "closed") + "\t" + mode);
}

std::size_t ScriptedUserInterface::Record(ScriptedEvent event, const std::string& logLine) {
  std::size_t index;
  {
    std::lock_guard lock(m_mutex);
    index = m_events.size();
    m_events.push_back(std::move(event));
  }
  Log(logLine);
  return index;
}

void ScriptedUserInterface::AddStep(std::size_t modalEvent, ScriptedDialogStep step) {
  std::lock_guard lock(m_mutex);
  if (modalEvent < m_events.size() && m_events[modalEvent].kind == ScriptedEvent::Kind::Modal)
    m_events[modalEvent].steps.push_back(std::move(step));
}

void ScriptedUserInterface::Log(const std::string& line) const {
  std::string path;
  {
    std::lock_guard lock(m_mutex);
    path = m_logPath;
  }
  if (path.empty()) return;
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const std::string record = line + "\n";
  std::size_t written = 0;
  while (written < record.size()) {
    const ssize_t n = ::write(fd, record.data() + written, record.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

}  // namespace vext::ui

#include "platform/ui/detail/ScriptedUserInterface.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/text/Cp932.h"

namespace vext::ui {

namespace {

// CP932 text as one UTF-8 log field.
std::string Field(const CString& text) {
  std::string out;
  for (char c : Cp932ToUtf8Lossy(text.view())) {
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

void AddAnswer(ScriptedUserInterface& ui, std::string_view entry, std::vector<std::string>& bad) {
  if (entry == "ok")
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
  if (const char* answers = std::getenv("VEXT_UI_ANSWERS")) {
    std::string_view rest = answers;
    for (;;) {
      const std::size_t comma = rest.find(',');
      AddAnswer(*ui, rest.substr(0, comma), bad);
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
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

void ScriptedUserInterface::QueueModalAction(std::function<int(ModalDialog&)> action) {
  std::lock_guard lock(m_mutex);
  m_modalActions.push_back(std::move(action));
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

int ScriptedUserInterface::DoModal(ModalDialog& dialog) {
  std::function<int(ModalDialog&)> action;
  {
    std::lock_guard lock(m_mutex);
    if (!m_modalActions.empty()) {
      action = std::move(m_modalActions.front());
      m_modalActions.pop_front();
    }
  }
  const CString title = dialog.Title();
  Record(NewEvent(ScriptedEvent::Kind::Modal, title), "modal\t" + Field(title));
  // The action runs unlocked: the dialog may show messages of its own.
  const int result = action ? action(dialog) : dialog.DefaultResult();
  std::lock_guard lock(m_mutex);
  for (auto it = m_events.rbegin(); it != m_events.rend(); ++it)
    if (it->kind == ScriptedEvent::Kind::Modal && it->text == title) {
      it->result = result;
      break;
    }
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

void ScriptedUserInterface::Record(ScriptedEvent event, const std::string& logLine) {
  {
    std::lock_guard lock(m_mutex);
    m_events.push_back(std::move(event));
  }
  Log(logLine);
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

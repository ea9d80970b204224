#include "GuiUserInterface.h"

#include <wx/utils.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <set>

#include "DialogWindow.h"
#include "GuiThread.h"
#include "StandardDialogs.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/detail/WindowAccess.h"

namespace vext::gui {

namespace {

// How often a running dialog's thread looks at its posted messages when
// the user does nothing.
constexpr auto kPumpPeriod = std::chrono::milliseconds(20);

std::atomic<int> g_nextKey{1};

std::mutex g_recordMutex;
std::vector<std::string> g_record;

// One dialog with a window on the toolkit thread. Lives on the dialog's
// thread; the toolkit thread only queues the user's events into it.
class DialogSession final : public DialogObserver {
 public:
  DialogSession(GuiThread& gui, CDialog& dialog) : m_gui(gui), m_dialog(dialog) {
    m_previous = dialog.Model()->SetObserver(this);
  }
  ~DialogSession() override {
    if (DialogModel* model = m_dialog.Model(); model && !m_destroyed)
      model->SetObserver(m_previous);
  }
  DialogSession(const DialogSession&) = delete;
  DialogSession& operator=(const DialogSession&) = delete;

  int Key() const { return m_key; }
  CDialog& Dialog() const { return m_dialog; }
  bool Running() const { return !m_destroyed && m_dialog.Model() && !m_dialog.Model()->Ended(); }

  // Makes the window (owned by `ownerKey`'s, when it has one) and waits
  // until it is on the screen.
  void Open(int ownerKey) {
    const DialogModel& model = *m_dialog.Model();
    DialogState state = model.State();
    std::vector<ControlUpdate> clips;
    for (const WindowState& control : state.controls)
      if (control.clip) clips.push_back({control, ClipOf(control.clip)});
    const DialogTemplate& dialogTemplate = model.Template();
    m_gui.Call([this, ownerKey, &state, &clips, &dialogTemplate] {
      const auto owner = Windows().find(ownerKey);
      auto* window =
          new DialogWindow(owner == Windows().end() ? nullptr : owner->second, dialogTemplate,
                           state, clips, [this](const UserEvent& event) { Queue(event); });
      Windows()[m_key] = window;
      window->Show();
      window->Raise();
      SaveScreenshotIfAsked(*window);
    });
  }

  void Close() {
    m_gui.Call([key = m_key] {
      const auto found = Windows().find(key);
      if (found == Windows().end()) return;
      wxWindow* owner = found->second->GetParent();
      found->second->Destroy();
      Windows().erase(found);
      // As on Windows, the owner becomes the active window again, so that
      // the keyboard reaches it.
      if (owner && owner->IsShown()) owner->Raise();
    });
  }

  // The changes since the last flush, to the window.
  void Flush() {
    if (m_destroyed || (m_dirty.empty() && !m_focusDirty && !m_dialogDirty)) return;
    std::vector<ControlUpdate> updates;
    for (const WindowState* state : m_dirty) updates.push_back({*state, ClipOf(state->clip)});
    m_dirty.clear();
    std::optional<WindowState> dialogState;
    if (m_dialogDirty) dialogState = m_dialog.Model()->State().window;
    const int focus = m_focusDirty ? m_dialog.Model()->State().focus : -1;
    m_focusDirty = m_dialogDirty = false;
    m_gui.Post([key = m_key, updates = std::move(updates), dialogState, focus, seen = m_seen] {
      const auto found = Windows().find(key);
      if (found == Windows().end()) return;
      for (const ControlUpdate& update : updates) found->second->Apply(update, seen);
      if (dialogState) found->second->ApplyDialog(*dialogState);
      if (focus >= 0) found->second->ApplyFocus(focus);
    });
  }

  // Performs the user's events that have come, waiting up to `wait` for one.
  void Work(std::chrono::milliseconds wait) {
    std::deque<UserEvent> events;
    {
      std::unique_lock lock(m_mutex);
      m_arrived.wait_for(lock, wait, [this] { return !m_events.empty(); });
      events.swap(m_events);
    }
    for (const UserEvent& event : events) {
      if (!Running()) break;
      m_seen = event.sequence;
      if (event.kind == UserEvent::Kind::Focus) {
        // The window has the focus already: only the dialog is told.
        m_quietFocus = true;
        if (CWnd* control = m_dialog.GetDlgItem(event.focus)) control->SetFocus();
        m_quietFocus = false;
        continue;
      }
      const ActionRefusal refusal = PerformDialogAction(m_dialog, event.action);
      if (refusal != ActionRefusal::None && Running()) {
        // What the user changed on the screen is taken back.
        if (const WindowState* state = m_dialog.Model()->State().Find(event.action.id))
          m_dirty.insert(state);
      }
    }
  }

  void DialogChanged(const DialogModel& model, const WindowState& window,
                     DialogChange what) override {
    switch (what) {
      case DialogChange::Destroyed:
        m_destroyed = true;
        m_dirty.clear();
        // The window goes with the dialog, however it was destroyed.
        m_gui.Post([key = m_key] {
          const auto found = Windows().find(key);
          if (found == Windows().end()) return;
          found->second->Destroy();
          Windows().erase(found);
        });
        break;
      case DialogChange::Ended: break;
      case DialogChange::Focus: m_focusDirty = m_focusDirty || !m_quietFocus; break;
      default:
        if (&window == &model.State().window)
          m_dialogDirty = true;
        else
          m_dirty.insert(&window);
        if (what == DialogChange::Animation) RememberClip(window.clip);
    }
  }

 private:
  void Queue(const UserEvent& event) {
    {
      std::lock_guard lock(m_mutex);
      m_events.push_back(event);
    }
    m_arrived.notify_one();
  }

  // Clips come from the resource module current on the dialog's thread
  // when the control opens one.
  void RememberClip(UINT id) {
    if (!id) return;
    if (const HINSTANCE module = AfxGetResourceHandle())
      if (const AnimationClip* clip = module->FindClip(id)) m_clips[id] = *clip;
  }
  AnimationClip ClipOf(UINT id) {
    RememberClip(id);
    const auto found = m_clips.find(id);
    return found == m_clips.end() ? AnimationClip{} : found->second;
  }

  static void SaveScreenshotIfAsked(DialogWindow& window) {
    const char* folder = std::getenv("VEXT_GUI_SCREENSHOTS");
    if (!folder || !*folder) return;
    const std::filesystem::path path =
        std::filesystem::path(folder) / (std::to_string(window.Template().id) + ".png");
    SaveScreenshot(window.GetHandle(), path.string());
  }

  GuiThread& m_gui;
  CDialog& m_dialog;
  DialogObserver* m_previous = nullptr;
  const int m_key = g_nextKey++;
  std::set<const WindowState*> m_dirty;
  bool m_dialogDirty = false;
  bool m_focusDirty = false;
  bool m_quietFocus = false;
  bool m_destroyed = false;
  int m_seen = 0;
  std::map<UINT, AnimationClip> m_clips;

  std::mutex m_mutex;
  std::condition_variable m_arrived;
  std::deque<UserEvent> m_events;
};

// The sessions of the calling thread, innermost last.
thread_local std::vector<DialogSession*> t_sessions;

void FlushAll() {
  for (DialogSession* session : t_sessions) session->Flush();
}

DialogSession* SessionOf(const CWnd* window) {
  for (DialogSession* session : t_sessions)
    if (&session->Dialog() == window) return session;
  return nullptr;
}

int InnermostKey() { return t_sessions.empty() ? 0 : t_sessions.back()->Key(); }

// Keeps a session in the thread's list for its life.
class Listed {
 public:
  explicit Listed(DialogSession& session) : m_session(session) { t_sessions.push_back(&session); }
  ~Listed() { std::erase(t_sessions, &m_session); }
  Listed(const Listed&) = delete;
  Listed& operator=(const Listed&) = delete;

 private:
  DialogSession& m_session;
};

// Wait dialogs shown, with their sessions (the dialog's thread only).
thread_local std::map<const CDialog*, std::unique_ptr<DialogSession>> t_waits;

}  // namespace

std::map<int, DialogWindow*>& Windows() {
  static std::map<int, DialogWindow*> windows;
  return windows;
}

std::vector<std::string> InputMethodRecord() {
  std::lock_guard lock(g_recordMutex);
  return g_record;
}

GuiUserInterface::GuiUserInterface(GuiThread& gui) : m_gui(gui) {}

GuiUserInterface::~GuiUserInterface() = default;

int GuiUserInterface::MessageBox(const CString& text, UINT type) {
  FlushAll();
  const int owner = InnermostKey();
  return m_gui.Call([&text, type, owner] {
    const auto found = Windows().find(owner);
    return ShowMessageBox(found == Windows().end() ? nullptr : found->second, text, type);
  });
}

std::optional<CString> GuiUserInterface::FileDialog(const ui::FileDialogRequest& request) {
  FlushAll();
  const int owner = InnermostKey();
  const auto parent = [owner]() -> wxWindow* {
    const auto found = Windows().find(owner);
    return found == Windows().end() ? nullptr : found->second;
  };
  return ShowFileDialog(m_gui, parent, request);
}

int GuiUserInterface::DoModal(CDialog& dialog) {
  if (!dialog.Model()) return -1;
  FlushAll();
  const DialogSession* ownerSession = SessionOf(dialog.GetParent());
  DialogSession session(m_gui, dialog);
  const Listed listed(session);
  session.Open(ownerSession ? ownerSession->Key() : InnermostKey());
  while (session.Running()) {
    session.Work(kPumpPeriod);
    // As a modal loop does: messages posted to this thread's windows.
    PumpMessages();
    FlushAll();
  }
  session.Close();
  return dialog.Model() ? dialog.Model()->Result() : -1;
}

void GuiUserInterface::WaitShown(const ui::WaitView& view) {
  CDialog* dialog = view.Dialog();
  if (!dialog || !dialog->Model() || t_waits.contains(dialog)) return;
  FlushAll();
  auto session = std::make_unique<DialogSession>(m_gui, *dialog);
  const DialogSession* owner = SessionOf(dialog->GetParent());
  session->Open(owner ? owner->Key() : 0);
  t_sessions.push_back(session.get());
  t_waits.emplace(dialog, std::move(session));
  m_gui.Post([] { wxBeginBusyCursor(); });
}

void GuiUserInterface::WaitTextChanged(const ui::WaitView& /*view*/) { FlushAll(); }

void GuiUserInterface::WaitHidden(const ui::WaitView& view) {
  const auto found = t_waits.find(view.Dialog());
  if (found == t_waits.end()) return;
  // The owner enabled again before it is activated.
  FlushAll();
  std::erase(t_sessions, found->second.get());
  found->second->Close();
  t_waits.erase(found);
  m_gui.Post([] { wxEndBusyCursor(); });
}

void GuiUserInterface::BeginWaitCursor() {
  m_gui.Post([] { wxBeginBusyCursor(); });
}

void GuiUserInterface::EndWaitCursor() {
  m_gui.Post([] {
    if (wxIsBusy()) wxEndBusyCursor();
  });
}

void GuiUserInterface::InputMethodChanged(const CWnd& window, bool open, DWORD conversion) {
  const DialogModel* model = WindowAccess::Model(window);
  const DialogSession* session = model ? SessionOf(&model->Dialog()) : nullptr;
  const int id = window.GetDlgCtrlID();
  std::string line = "control " + std::to_string(id) + (open ? ": open" : ": closed") +
                     ", conversion " + std::to_string(conversion) + ": ";
  if (!session) {
    line += "kept for the window";
  } else {
    FlushAll();
    line += m_gui.Call([key = session->Key(), id, open, conversion] {
      const auto found = Windows().find(key);
      return found == Windows().end() ? std::string("recorded (no window)")
                                      : found->second->RequestInputMethod(id, open, conversion);
    });
  }
  std::lock_guard lock(g_recordMutex);
  g_record.push_back(std::move(line));
}

}  // namespace vext::gui

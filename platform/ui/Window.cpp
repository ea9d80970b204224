#include "platform/ui/Window.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/ui/DialogModel.h"
#include "platform/ui/detail/WindowAccess.h"

namespace {

struct Posted {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

struct WindowEntry {
  CWnd* object;
  std::thread::id thread;
};

// Every live window and every thread's queue of posted messages.
class WindowTable {
 public:
  HWND Add(CWnd* object) {
    std::lock_guard lock(m_mutex);
    // Handles count up and are never handed out twice.
    const HWND handle(m_nextHandle);
    m_nextHandle += 4;
    m_windows.emplace(handle.Value(), WindowEntry{object, std::this_thread::get_id()});
    return handle;
  }

  void Remove(HWND handle) {
    std::lock_guard lock(m_mutex);
    const auto window = m_windows.find(handle.Value());
    if (window == m_windows.end()) return;
    // Messages still waiting for the window would never be dispatched.
    if (const auto queue = m_queues.find(window->second.thread); queue != m_queues.end())
      std::erase_if(queue->second, [handle](const Posted& p) { return p.window == handle; });
    m_windows.erase(window);
  }

  CWnd* Find(HWND handle) {
    std::lock_guard lock(m_mutex);
    const auto window = m_windows.find(handle.Value());
    return window == m_windows.end() ? nullptr : window->second.object;
  }

  bool Post(const Posted& posted) {
    std::lock_guard lock(m_mutex);
    const auto window = m_windows.find(posted.window.Value());
    if (window == m_windows.end()) return false;
    m_queues[window->second.thread].push_back(posted);
    return true;
  }

  // The next message for a live window of the calling thread, with its
  // window object; the object is only ever destroyed on this same thread.
  bool Next(Posted& posted, CWnd*& object) {
    std::lock_guard lock(m_mutex);
    const auto queue = m_queues.find(std::this_thread::get_id());
    if (queue == m_queues.end()) return false;
    while (!queue->second.empty()) {
      posted = queue->second.front();
      queue->second.pop_front();
      if (const auto window = m_windows.find(posted.window.Value()); window != m_windows.end()) {
        object = window->second.object;
        return true;
      }
    }
    m_queues.erase(queue);
    return false;
  }

 private:
  std::mutex m_mutex;
  std::uintptr_t m_nextHandle = 0x10000;
  std::unordered_map<std::uintptr_t, WindowEntry> m_windows;
  std::unordered_map<std::thread::id, std::deque<Posted>> m_queues;
};

// Never destroyed: windows of static objects may outlive any other static.
WindowTable& Windows() {
  static WindowTable* table = new WindowTable;
  return *table;
}

std::atomic<CWnd*> g_mainWindow{nullptr};

}  // namespace

// ----------------------------------------------------------------------

namespace vext {

HWND RegisterWindow(CWnd& object) { return Windows().Add(&object); }

void UnregisterWindow(HWND handle) { Windows().Remove(handle); }

void WindowAccess::Changed(const CWnd& window, DialogChange what) {
  if (window.m_model && window.m_state) window.m_model->Notify(*window.m_state, what);
}

void SetMainWindow(CWnd* window) { g_mainWindow = window; }

CWnd* WindowFromHandle(HWND window) { return window ? Windows().Find(window) : nullptr; }

int PumpMessages() {
  int dispatched = 0;
  Posted posted;
  CWnd* object = nullptr;
  while (Windows().Next(posted, object)) {
    object->WindowProc(posted.message, posted.wParam, posted.lParam);
    ++dispatched;
  }
  return dispatched;
}

}  // namespace vext

using vext::WindowAccess;

CWnd* AfxGetMainWnd() { return g_mainWindow; }

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Windows().Post(Posted{window, message, wParam, lParam});
}

BOOL IsWindow(HWND window) { return vext::WindowFromHandle(window) != nullptr; }

// ----------------------------------------------------------------------

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_model) {
    // A second object of a control goes before its dialog does.
    m_model->Forget(*this);
  } else if (m_hWnd) {
    Windows().Remove(m_hWnd);
  }
}

BOOL CWnd::CreateEx(DWORD style) {
  if (m_hWnd) return FALSE;
  m_ownState = std::make_unique<vext::WindowState>();
  m_ownState->visible = (style & WS_VISIBLE) != 0;
  m_ownState->enabled = (style & WS_DISABLED) == 0;
  WindowAccess::Bind(*this, vext::RegisterWindow(*this), m_ownState.get(), nullptr);
  return TRUE;
}

BOOL CWnd::ShowWindow(int cmdShow) {
  if (!m_state) return FALSE;
  const bool wasVisible = m_state->visible;
  m_state->visible = cmdShow != SW_HIDE;
  if (wasVisible != m_state->visible) WindowAccess::Changed(*this, vext::DialogChange::Visible);
  return wasVisible;
}

BOOL CWnd::EnableWindow(BOOL enable) {
  if (!m_state) return FALSE;
  const bool wasDisabled = !m_state->enabled;
  m_state->enabled = enable != FALSE;
  if (wasDisabled == m_state->enabled) WindowAccess::Changed(*this, vext::DialogChange::Enabled);
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_state && m_state->enabled; }

BOOL CWnd::IsWindowVisible() const { return m_state && m_state->visible; }

BOOL CWnd::SetForegroundWindow() { return m_hWnd != nullptr; }

void CWnd::SetWindowText(LPCTSTR text) {
  if (!m_state) return;
  const CString value(text);
  if (m_state->text == value) return;
  m_state->text = value;
  WindowAccess::Changed(*this, vext::DialogChange::Text);
}

void CWnd::GetWindowText(CString& text) const { text = m_state ? m_state->text : CString(); }

int CWnd::GetWindowTextLength() const { return m_state ? m_state->text.GetLength() : 0; }

CWnd* CWnd::SetFocus() {
  if (!m_model || !m_state || !m_state->control) return nullptr;
  CWnd* previous = m_model->Item(m_model->State().focus);
  m_model->MoveFocus(m_state->id);
  return previous;
}

int CWnd::GetDlgCtrlID() const { return m_state ? m_state->id : 0; }

CWnd* CWnd::GetDlgItem(int id) const {
  // Only a dialog has items: its state is the model's own window.
  if (!m_model || m_state != &m_model->State().window) return nullptr;
  return m_model->Item(id);
}

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  text.Empty();
  if (const CWnd* item = GetDlgItem(id)) item->GetWindowText(text);
  return text.GetLength();
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (m_hWnd || !parent || !parent->GetDlgItem(static_cast<int>(id))) return FALSE;
  parent->m_model->Attach(*this, static_cast<int>(id));
  return TRUE;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return WindowProc(message, wParam, lParam);
}

CWnd* CWnd::GetSafeOwner(CWnd* parent) { return parent ? parent : AfxGetMainWnd(); }

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CWnd::DestroyWindow() {
  // A control goes with its dialog, and a dialog's windows with its model.
  if (!m_hWnd || m_model) return FALSE;
  Windows().Remove(m_hWnd);
  WindowAccess::Unbind(*this);
  m_ownState.reset();
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

namespace {

template <typename Visit>
bool ForEachEntry(const AFX_MSGMAP* map, Visit visit) {
  for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->handler || entry->command; ++entry)
      if (visit(*entry)) return true;
  return false;
}

}  // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    OnCommand(wParam, lParam);
    return 0;
  }
  LRESULT result = 0;
  ForEachEntry(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& entry) {
    if (entry.message != message || !entry.handler) return false;
    result = (this->*entry.handler)(wParam, lParam);
    return true;
  });
  return result;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  const int id = static_cast<short>(LOWORD(wParam));
  const UINT code = HIWORD(wParam);
  return ForEachEntry(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& entry) {
    if (entry.message != WM_COMMAND || entry.code != code || entry.id != id || !entry.command)
      return false;
    (this->*entry.command)();
    return true;
  });
}

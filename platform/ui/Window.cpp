#include "platform/ui/Window.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

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
    const HWND handle = reinterpret_cast<HWND>(m_nextHandle);
    m_nextHandle += 4;
    m_windows.emplace(handle, WindowEntry{object, std::this_thread::get_id()});
    return handle;
  }

  void Remove(HWND handle) {
    std::lock_guard lock(m_mutex);
    const auto window = m_windows.find(handle);
    if (window == m_windows.end()) return;
    // Messages still waiting for the window would never be dispatched.
    if (const auto queue = m_queues.find(window->second.thread); queue != m_queues.end())
      std::erase_if(queue->second, [handle](const Posted& p) { return p.window == handle; });
    m_windows.erase(window);
  }

  CWnd* Find(HWND handle) {
    std::lock_guard lock(m_mutex);
    const auto window = m_windows.find(handle);
    return window == m_windows.end() ? nullptr : window->second.object;
  }

  bool Post(const Posted& posted) {
    std::lock_guard lock(m_mutex);
    const auto window = m_windows.find(posted.window);
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
      if (const auto window = m_windows.find(posted.window); window != m_windows.end()) {
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
  std::unordered_map<HWND, WindowEntry> m_windows;
  std::unordered_map<std::thread::id, std::deque<Posted>> m_queues;
};

// Never destroyed: windows of static objects may outlive any other static.
WindowTable& Windows() {
  static WindowTable* table = new WindowTable;
  return *table;
}

std::atomic<CWnd*> g_mainWindow{nullptr};
thread_local HINSTANCE t_resourceModule = nullptr;

}  // namespace

// ----------------------------------------------------------------------

namespace vext {

const DialogTemplate* ResourceModule::FindDialog(UINT id) const {
  for (const DialogTemplate& dialog : dialogs)
    if (dialog.id == id) return &dialog;
  return nullptr;
}

const AnimationClip* ResourceModule::FindClip(UINT id) const {
  for (const AnimationClip& clip : clips)
    if (clip.id == id) return &clip;
  return nullptr;
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

HINSTANCE AfxGetResourceHandle() { return t_resourceModule; }
void AfxSetResourceHandle(HINSTANCE module) { t_resourceModule = module; }

CWnd* AfxGetMainWnd() { return g_mainWindow; }

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Windows().Post(Posted{window, message, wParam, lParam});
}

BOOL IsWindow(HWND window) { return vext::WindowFromHandle(window) != nullptr; }

// ----------------------------------------------------------------------

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd) Windows().Remove(m_hWnd);
}

BOOL CWnd::AttachNewHandle() {
  if (m_hWnd) return FALSE;
  m_hWnd = Windows().Add(this);
  m_visible = false;
  m_enabled = true;
  m_itemText.clear();
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD style) {
  if (!AttachNewHandle()) return FALSE;
  m_visible = (style & WS_VISIBLE) != 0;
  m_enabled = (style & WS_DISABLED) == 0;
  return TRUE;
}

BOOL CWnd::ShowWindow(int cmdShow) {
  if (!m_hWnd) return FALSE;
  const bool wasVisible = m_visible;
  m_visible = cmdShow != SW_HIDE;
  return wasVisible;
}

BOOL CWnd::EnableWindow(BOOL enable) {
  if (!m_hWnd) return FALSE;
  const bool wasDisabled = !m_enabled;
  m_enabled = enable != FALSE;
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_hWnd && m_enabled; }

BOOL CWnd::IsWindowVisible() const { return m_hWnd && m_visible; }

BOOL CWnd::SetForegroundWindow() { return m_hWnd != nullptr; }

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SetDlgItemText(int id, const char* text) {
  if (const auto item = m_itemText.find(id); item != m_itemText.end()) item->second = text;
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  const auto item = m_itemText.find(id);
  text = item == m_itemText.end() ? CString() : item->second;
  return text.GetLength();
}

CWnd* CWnd::GetSafeOwner(CWnd* parent) { return parent ? parent : AfxGetMainWnd(); }

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  Windows().Remove(m_hWnd);
  m_hWnd = nullptr;
  m_visible = false;
  m_itemText.clear();
  return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->handler; ++entry)
      if (entry->message == message) return (this->*entry->handler)(wParam, lParam);
  }
  return 0;
}

void CWnd::AddDlgItem(int id, const char* text) {
  if (m_hWnd) m_itemText[id] = text;
}

// ----------------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  if (pDX->m_bSaveAndValidate)
    pDX->m_pDlgWnd->GetDlgItemText(id, value);
  else
    pDX->m_pDlgWnd->SetDlgItemText(id, value);
}

void DDX_Control(CDataExchange* pDX, int id, CAnimateCtrl& control) {
  control.m_id = id;
  control.m_parent = pDX->m_pDlgWnd;
}

BOOL CAnimateCtrl::Open(UINT clipId) {
  const HINSTANCE module = AfxGetResourceHandle();
  if (!m_parent || !m_parent->m_hWnd || !module || !module->FindClip(clipId)) return FALSE;
  m_clip = clipId;
  m_playing = false;
  return TRUE;
}

BOOL CAnimateCtrl::Play(UINT from, UINT to, UINT /*repeat*/) {
  if (m_clip == 0 || from > to) return FALSE;
  m_playing = true;
  return TRUE;
}

BOOL CAnimateCtrl::Stop() {
  m_playing = false;
  return m_clip != 0;
}

BOOL CAnimateCtrl::Close() {
  m_playing = false;
  m_clip = 0;
  return TRUE;
}

// ----------------------------------------------------------------------

void CDialog::SetParentWindow(CWnd* parent) {
  m_pParentWnd = parent;
  m_parentHandle = parent ? parent->m_hWnd : nullptr;
}

CWnd* CDialog::GetParent() const {
  if (!m_pParentWnd || vext::WindowFromHandle(m_parentHandle) != m_pParentWnd) return nullptr;
  return m_pParentWnd;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  const HINSTANCE module = AfxGetResourceHandle();
  const vext::DialogTemplate* dialog = module ? module->FindDialog(templateId) : nullptr;
  if (!dialog || m_hWnd) return FALSE;
  SetParentWindow(parent);
  m_template = dialog;
  AttachNewHandle();
  for (const vext::DialogControl& control : dialog->controls) AddDlgItem(control.id, control.text);
  OnInitDialog();
  if (!m_hWnd) return FALSE;  // OnInitDialog closed it again
  if (dialog->style & WS_VISIBLE) ShowWindow(SW_SHOW);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  if (!m_hWnd) return FALSE;
  CDataExchange exchange(this, saveAndValidate);
  DoDataExchange(&exchange);
  return TRUE;
}

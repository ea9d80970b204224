#include "platform/ui/DialogModel.h"

#include <algorithm>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/detail/WindowAccess.h"

namespace vext {

namespace {

std::unique_ptr<CWnd> ItemObject(ControlKind kind) {
  switch (kind) {
    case ControlKind::ListBox: return std::make_unique<CListBox>();
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox: return std::make_unique<CButton>();
    case ControlKind::Edit: return std::make_unique<CEdit>();
    case ControlKind::Animation: return std::make_unique<CAnimateCtrl>();
    case ControlKind::Static:
    case ControlKind::Icon: break;
  }
  return std::make_unique<CWnd>();
}

// The notification a control sends its dialog when it gains or loses the
// focus; 0 for kinds that send none.
UINT FocusCode(const WindowState& control, bool gained) {
  switch (control.Kind()) {
    case ControlKind::Edit: return gained ? EN_SETFOCUS : EN_KILLFOCUS;
    case ControlKind::ListBox: return gained ? LBN_SETFOCUS : LBN_KILLFOCUS;
    default: return 0;
  }
}

}  // namespace

const WindowState* DialogState::Find(int id) const {
  for (const WindowState& control : controls)
    if (control.id == id) return &control;
  return nullptr;
}

DialogObserver::~DialogObserver() = default;

DialogModel::DialogModel(CDialog& dialog, const DialogTemplate& dialogTemplate)
    : m_dialog(dialog), m_template(dialogTemplate) {
  m_state.window.text = dialogTemplate.caption ? dialogTemplate.caption : "";
  // Sized once: the window objects keep pointers to these states.
  m_state.controls.resize(dialogTemplate.controls.size());
  for (std::size_t i = 0; i < dialogTemplate.controls.size(); ++i) {
    const DialogControl& control = dialogTemplate.controls[i];
    WindowState& state = m_state.controls[i];
    state.control = &control;
    state.id = control.id;
    state.text = control.text ? control.text : "";
    state.visible = true;
    state.enabled = (control.style & WS_DISABLED) == 0;
  }
  WindowAccess::Bind(dialog, RegisterWindow(dialog), &m_state.window, this);
  m_items.reserve(m_state.controls.size());
  for (WindowState& state : m_state.controls) {
    std::unique_ptr<CWnd> item = ItemObject(state.Kind());
    WindowAccess::Bind(*item, RegisterWindow(*item), &state, this);
    m_items.push_back(std::move(item));
  }
}

DialogModel::~DialogModel() {
  Notify(m_state.window, DialogChange::Destroyed);
  m_observer = nullptr;
  for (CWnd* view : m_views) WindowAccess::Unbind(*view);
  for (const std::unique_ptr<CWnd>& item : m_items) {
    UnregisterWindow(item->m_hWnd);
    WindowAccess::Unbind(*item);
  }
  UnregisterWindow(m_dialog.m_hWnd);
  WindowAccess::Unbind(m_dialog);
}

int DialogModel::DefaultId() const {
  for (const WindowState& control : m_state.controls)
    if (control.Kind() == ControlKind::DefPushButton) return control.id;
  return IDOK;
}

std::vector<int> DialogModel::RadioGroup(int id) const {
  const auto& controls = m_state.controls;
  const auto at = std::find_if(controls.begin(), controls.end(),
                               [id](const WindowState& c) { return c.id == id; });
  if (at == controls.end() || at->Kind() != ControlKind::RadioButton) return {};
  auto first = at;
  while (first != controls.begin() && !(first->Style() & WS_GROUP)) --first;
  std::vector<int> group;
  for (auto it = first; it != controls.end(); ++it) {
    if (it != first && (it->Style() & WS_GROUP)) break;
    if (it->Kind() == ControlKind::RadioButton) group.push_back(it->id);
  }
  return group;
}

DialogObserver* DialogModel::SetObserver(DialogObserver* observer) {
  DialogObserver* previous = m_observer;
  m_observer = observer;
  return previous;
}

CWnd* DialogModel::Item(int id) const {
  for (std::size_t i = 0; i < m_state.controls.size(); ++i)
    if (m_state.controls[i].id == id) return m_items[i].get();
  return nullptr;
}

void DialogModel::Notify(const WindowState& window, DialogChange what) {
  if (m_observer) m_observer->DialogChanged(*this, window, what);
}

void DialogModel::MoveFocus(int id) {
  const int previous = m_state.focus;
  if (previous == id) return;
  m_state.focus = id;
  const WindowState* lost = m_state.Find(previous);
  const WindowState* gained = m_state.Find(id);
  if (gained) Notify(*gained, DialogChange::Focus);
  // The handlers run after the move, as on Windows, and may move it again.
  if (lost)
    if (const UINT code = FocusCode(*lost, false))
      m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(previous), WORD(code)),
                           LPARAM(Item(previous)->m_hWnd.Value()));
  if (gained && m_state.focus == id)
    if (const UINT code = FocusCode(*gained, true))
      m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), WORD(code)),
                           LPARAM(Item(id)->m_hWnd.Value()));
}

void DialogModel::FocusFirstTabStop() {
  for (const WindowState& control : m_state.controls)
    if ((control.Style() & WS_TABSTOP) && control.visible && control.enabled) {
      MoveFocus(control.id);
      return;
    }
}

void DialogModel::Attach(CWnd& view, int id) {
  for (std::size_t i = 0; i < m_state.controls.size(); ++i)
    if (m_state.controls[i].id == id) {
      WindowAccess::Bind(view, m_items[i]->m_hWnd, &m_state.controls[i], this);
      m_views.push_back(&view);
      return;
    }
}

void DialogModel::Forget(CWnd& view) {
  std::erase(m_views, &view);
  WindowAccess::Unbind(view);
}

void DialogModel::End(int result) {
  if (m_ended) return;
  m_ended = true;
  m_result = result;
  Notify(m_state.window, DialogChange::Ended);
}

}  // namespace vext

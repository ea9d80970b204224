#include "platform/ui/Controls.h"

#include <algorithm>

#include "platform/ui/detail/WindowAccess.h"

using vext::DialogChange;
using vext::WindowAccess;

namespace {

// The list state behind a CListBox object, or null without a window.
vext::WindowState* ListOf(const CWnd& window) {
  vext::WindowState* state = WindowAccess::State(window);
  return state && state->Kind() == vext::ControlKind::ListBox ? state : nullptr;
}

bool ValidIndex(const vext::WindowState& list, int index) {
  return index >= 0 && index < static_cast<int>(list.items.size());
}

}  // namespace

// Out of line, so that the type information lives in this library only.
CButton::~CButton() = default;
CEdit::~CEdit() = default;
CListBox::~CListBox() = default;
CAnimateCtrl::~CAnimateCtrl() = default;

// ----------------------------------------------------------------------

int CButton::GetCheck() const {
  const vext::WindowState* state = WindowAccess::State(*this);
  return state ? state->check : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
  vext::WindowState* state = WindowAccess::State(*this);
  if (!state || (state->Kind() != vext::ControlKind::RadioButton &&
                 state->Kind() != vext::ControlKind::CheckBox))
    return;
  const int value = check == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED;
  if (state->check == value) return;
  state->check = value;
  WindowAccess::Changed(*this, DialogChange::Check);
}

// ----------------------------------------------------------------------

int CListBox::AddString(LPCTSTR text) {
  vext::WindowState* list = ListOf(*this);
  if (!list) return LB_ERR;
  int index = static_cast<int>(list->items.size());
  if (list->Style() & LBS_SORT) {
    const CString key(text);
    // After the items that sort equal, so equal items keep their order.
    const auto at = std::upper_bound(list->items.begin(), list->items.end(), key,
                                     [](const CString& k, const vext::ListItem& item) {
                                       return k.CompareNoCase(item.text) < 0;
                                     });
    index = static_cast<int>(at - list->items.begin());
  }
  return InsertString(index, text);
}

int CListBox::InsertString(int index, LPCTSTR text) {
  vext::WindowState* list = ListOf(*this);
  const int count = list ? static_cast<int>(list->items.size()) : 0;
  if (!list || index < -1 || index > count) return LB_ERR;
  if (index == -1) index = count;
  list->items.insert(list->items.begin() + index, vext::ListItem{CString(text), 0});
  if (list->selection >= index) ++list->selection;
  WindowAccess::Changed(*this, DialogChange::Items);
  return index;
}

int CListBox::DeleteString(UINT index) {
  vext::WindowState* list = ListOf(*this);
  if (!list || index >= list->items.size()) return LB_ERR;
  const int at = static_cast<int>(index);
  list->items.erase(list->items.begin() + at);
  if (list->selection == at)
    list->selection = -1;
  else if (list->selection > at)
    --list->selection;
  list->topIndex = std::min(list->topIndex, std::max(0, static_cast<int>(list->items.size()) - 1));
  WindowAccess::Changed(*this, DialogChange::Items);
  return static_cast<int>(list->items.size());
}

void CListBox::ResetContent() {
  vext::WindowState* list = ListOf(*this);
  if (!list) return;
  list->items.clear();
  list->selection = -1;
  list->topIndex = 0;
  WindowAccess::Changed(*this, DialogChange::Items);
}

int CListBox::GetCount() const {
  const vext::WindowState* list = ListOf(*this);
  return list ? static_cast<int>(list->items.size()) : LB_ERR;
}

int CListBox::GetCurSel() const {
  const vext::WindowState* list = ListOf(*this);
  return list && list->selection >= 0 ? list->selection : LB_ERR;
}

int CListBox::SetCurSel(int index) {
  vext::WindowState* list = ListOf(*this);
  if (!list || (index != -1 && !ValidIndex(*list, index))) return LB_ERR;
  if (list->selection != index) {
    list->selection = index;
    WindowAccess::Changed(*this, DialogChange::Selection);
  }
  return index == -1 ? LB_ERR : index;
}

DWORD_PTR CListBox::GetItemData(int index) const {
  const vext::WindowState* list = ListOf(*this);
  if (!list || !ValidIndex(*list, index)) return static_cast<DWORD_PTR>(LB_ERR);
  return list->items[static_cast<std::size_t>(index)].data;
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
  vext::WindowState* list = ListOf(*this);
  if (!list || !ValidIndex(*list, index)) return LB_ERR;
  list->items[static_cast<std::size_t>(index)].data = data;
  return 0;
}

int CListBox::GetText(int index, CString& text) const {
  const vext::WindowState* list = ListOf(*this);
  if (!list || !ValidIndex(*list, index)) return LB_ERR;
  text = list->items[static_cast<std::size_t>(index)].text;
  return text.GetLength();
}

int CListBox::GetTopIndex() const {
  const vext::WindowState* list = ListOf(*this);
  return list ? list->topIndex : LB_ERR;
}

int CListBox::SetTopIndex(int index) {
  vext::WindowState* list = ListOf(*this);
  if (!list || (index != 0 && !ValidIndex(*list, index))) return LB_ERR;
  if (list->topIndex != index) {
    list->topIndex = index;
    WindowAccess::Changed(*this, DialogChange::Layout);
  }
  return 0;
}

void CListBox::SetHorizontalExtent(int pixels) {
  vext::WindowState* list = ListOf(*this);
  if (!list || list->horizontalExtent == std::max(0, pixels)) return;
  list->horizontalExtent = std::max(0, pixels);
  WindowAccess::Changed(*this, DialogChange::Layout);
}

int CListBox::GetHorizontalExtent() const {
  const vext::WindowState* list = ListOf(*this);
  return list ? list->horizontalExtent : 0;
}

void CListBox::SetTabStops() { SetTabStops(0, nullptr); }

BOOL CListBox::SetTabStops(const int& each) { return SetTabStops(1, &each); }

BOOL CListBox::SetTabStops(int count, const int* stops) {
  vext::WindowState* list = ListOf(*this);
  if (!list || count < 0 || (count > 0 && !stops)) return FALSE;
  list->tabStops.assign(stops, stops + count);
  WindowAccess::Changed(*this, DialogChange::Layout);
  return TRUE;
}

// ----------------------------------------------------------------------

namespace {

vext::WindowState* AnimationOf(const CWnd& window) {
  vext::WindowState* state = WindowAccess::State(window);
  return state && state->Kind() == vext::ControlKind::Animation ? state : nullptr;
}

}  // namespace

BOOL CAnimateCtrl::Open(UINT clipId) {
  vext::WindowState* state = AnimationOf(*this);
  const HINSTANCE module = AfxGetResourceHandle();
  if (!state || !module || !module->FindClip(clipId)) return FALSE;
  state->clip = clipId;
  state->playing = false;
  WindowAccess::Changed(*this, DialogChange::Animation);
  return TRUE;
}

BOOL CAnimateCtrl::Play(UINT from, UINT to, UINT /*repeat*/) {
  vext::WindowState* state = AnimationOf(*this);
  if (!state || state->clip == 0 || from > to) return FALSE;
  state->playing = true;
  WindowAccess::Changed(*this, DialogChange::Animation);
  return TRUE;
}

BOOL CAnimateCtrl::Stop() {
  vext::WindowState* state = AnimationOf(*this);
  if (!state) return FALSE;
  state->playing = false;
  WindowAccess::Changed(*this, DialogChange::Animation);
  return state->clip != 0;
}

BOOL CAnimateCtrl::Close() {
  vext::WindowState* state = AnimationOf(*this);
  if (!state) return FALSE;
  state->playing = false;
  state->clip = 0;
  WindowAccess::Changed(*this, DialogChange::Animation);
  return TRUE;
}

UINT CAnimateCtrl::ClipId() const {
  const vext::WindowState* state = AnimationOf(*this);
  return state ? state->clip : 0;
}

bool CAnimateCtrl::IsPlaying() const {
  const vext::WindowState* state = AnimationOf(*this);
  return state && state->playing;
}

// What one window shows: a dialog (its title, whether it is shown and
// enabled) or one of its controls. The window classes (CWnd, CListBox,
// CButton...) change it and tell the dialog's observer; an implementation
// of the user interface reads it to draw. A copy is a snapshot.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/ui/DialogTemplate.h"

using DWORD_PTR = std::uintptr_t;

// Check states of radio buttons and check boxes.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

namespace vext {

struct ListItem {
  CString text;  // CP932; a TAB moves to the list's next tab stop
  DWORD_PTR data = 0;
};

struct WindowState {
  const DialogControl* control = nullptr;  // a control's template entry; null for a dialog
  int id = 0;                              // the control's id; 0 for a dialog
  CString text;                            // title, label, button or edit text (CP932)
  bool visible = false;
  bool enabled = true;
  int check = BST_UNCHECKED;    // radio buttons and check boxes
  std::vector<ListItem> items;  // list box
  int selection = -1;           // list box: the selected item, -1 none
  int topIndex = 0;             // list box: the first item in view
  std::vector<int> tabStops;    // list box: dialog units; empty: every 32 units
  int horizontalExtent = 0;     // list box: scrollable width in pixels; 0 none
  UINT clip = 0;                // animation: the open clip, 0 none
  bool playing = false;         // animation
  bool imeOpen = false;         // input method of the window (ImmSetOpenStatus)
  DWORD imeConversion = 0;      // its IME_CMODE_ bits

  ControlKind Kind() const { return control ? control->kind : ControlKind::Static; }
  DWORD Style() const { return control ? control->style : 0; }
};

// What changed in a window, for an implementation to redraw it.
enum class DialogChange {
  Text,       // WindowState::text
  Items,      // list items added, removed or changed (the selection may have moved)
  Selection,  // list selection
  Check,      // radio button or check box
  Enabled,
  Visible,
  Focus,      // the dialog's focus moved to this control (DialogState::focus)
  Layout,     // tab stops, horizontal extent, top index
  Animation,  // clip opened, played, stopped or closed
  Ended,      // the dialog ended (EndDialog): close it
  Destroyed,  // the dialog's window is going: forget it
};

}  // namespace vext

// List-box helpers the two main dialogs share.
#pragma once

#include "platform/ui/Dialog.h"

namespace vext::recconv {

// The item's text before its first TAB (the whole text without one).
CString ItemName(const CString& itemText);
// One tab stop just past the widest item name of `list` (its text before
// the first TAB), and room to scroll to its widest item.
void SetNameTabStop(CDialog& dialog, CListBox& list);
// Scrolled back to the top, with the first item selected.
void ShowFromTop(CListBox& list);
// Appends an item with its data; its index.
int AddItem(CListBox& list, const CString& text, DWORD_PTR data);

}  // namespace vext::recconv

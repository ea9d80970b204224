#include "DialogLists.h"

#include <algorithm>

namespace vext::recconv {

CString ItemName(const CString& itemText) {
  const int tab = itemText.Find('\t');
  return tab < 0 ? itemText : itemText.Left(tab);
}

void SetNameTabStop(CDialog& dialog, CListBox& list) {
  CClientDC dc(&list);
  int widestName = 0;
  int widestItem = 0;
  CString text;
  for (int i = 0; i < list.GetCount(); ++i) {
    list.GetText(i, text);
    widestName = std::max<int>(widestName, dc.GetTextExtent(ItemName(text)).cx);
    widestItem = std::max<int>(widestItem, dc.GetTextExtent(text).cx);
  }
  // Pixels to dialog units (4 to the average character width), rounded up,
  // and a little room after the name.
  RECT unit{0, 0, 4, 8};
  dialog.MapDialogRect(&unit);
  const int pixelsPer4Units = std::max<int>(1, unit.right);
  list.SetTabStops((widestName * 4 + pixelsPer4Units - 1) / pixelsPer4Units + 4);
  list.SetHorizontalExtent(widestItem);
}

void ShowFromTop(CListBox& list) {
  list.SetTopIndex(0);
  if (list.GetCount() > 0) list.SetCurSel(0);
}

int AddItem(CListBox& list, const CString& text, DWORD_PTR data) {
  const int index = list.AddString(text);
  if (index >= 0) list.SetItemData(index, data);
  return index;
}

}  // namespace vext::recconv

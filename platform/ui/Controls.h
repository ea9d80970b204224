// The controls of a dialog, as window objects: GetDlgItem returns one of
// these for a control of the matching kind, and DDX_Control attaches a
// member of the dialog class to its control. All of them work on the
// control's WindowState and tell the dialog's observer; none of them
// notifies the dialog class (only the user's actions do, DialogActions.h).
#pragma once

#include "platform/ui/Window.h"

// List box results.
constexpr int LB_ERR = -1;
constexpr int LB_ERRSPACE = -2;

// Push buttons, radio buttons, check boxes (and group boxes).
class AFX_API CButton : public CWnd {
 public:
  ~CButton() override;
  // BST_CHECKED or BST_UNCHECKED; 0 for a push button.
  int GetCheck() const;
  // Sets this button only: the rest of a radio group stays as it is.
  void SetCheck(int check);
};

class AFX_API CEdit : public CWnd {
 public:
  ~CEdit() override;
};

// A single-selection list box. Indexes count from 0; a bad index gives
// LB_ERR and changes nothing.
class AFX_API CListBox : public CWnd {
 public:
  ~CListBox() override;
  // At the end, or in order (ASCII case ignored) when the list has LBS_SORT;
  // the new item's index.
  int AddString(LPCTSTR text);
  // Before item `index` (-1: at the end), never sorted; the new item's index.
  int InsertString(int index, LPCTSTR text);
  // The number of items left.
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const;
  // The selected item, LB_ERR when none.
  int GetCurSel() const;
  // -1 clears the selection (and gives LB_ERR, as it always did).
  int SetCurSel(int index);
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  // The item's length in bytes.
  int GetText(int index, CString& text) const;
  int GetTopIndex() const;
  int SetTopIndex(int index);
  // The width in pixels the list can scroll to (WS_HSCROLL).
  void SetHorizontalExtent(int pixels);
  int GetHorizontalExtent() const;
  // Tab stops in dialog units, for items with TABs (LBS_USETABSTOPS):
  // none given means every 32 units, one means every `each` units.
  void SetTabStops();
  BOOL SetTabStops(const int& each);
  BOOL SetTabStops(int count, const int* stops);
};

// Plays an animation clip of the current resource module. The user
// interface draws it.
class AFX_API CAnimateCtrl : public CWnd {
 public:
  ~CAnimateCtrl() override;
  // Fails unless the control has a window and the clip exists.
  BOOL Open(UINT clipId);
  // `repeat` (UINT)-1 loops without end.
  BOOL Play(UINT from, UINT to, UINT repeat);
  BOOL Stop();
  BOOL Close();

  UINT ClipId() const;
  bool IsPlaying() const;
};

// VEXTMSG: the modeless wait dialog shown during a long operation.
//
//   CWaitDlg wait(0);        // already on screen
//   wait.SetText(text);      // optional
//   wait.DestroyWindow();    // or let the destructor close it
//
// While shown it disables its owner window (the given one, else the
// application's main window) and enables it again when it closes, unless
// the owner was disabled already. Another thread closes it by posting
// WM_USER_ENDINFODLG to its window.
#pragma once

#include "platform/base/CString.h"
#include "platform/ui/Dialog.h"

#define VEXTMSG_API __attribute__((visibility("default")))

// Closes the wait dialog; may be posted from any thread.
constexpr UINT WM_USER_ENDINFODLG = WM_USER + 60;

class VEXTMSG_API CWaitDlg : public CDialog {
 public:
  // The argument is accepted and ignored. Chooses one of the three clips at
  // random and shows the dialog without an owner.
  explicit CWaitDlg(int unused);
  // Closes the window if it is still open.
  ~CWaitDlg() override;

  enum { IDD = 151 };

  // Shows the dialog owned by `owner` (null: the main window, if any).
  // 1 on success, 0 when the window cannot be created or already exists.
  int Create(CWnd* owner);
  // Replaces the line of text; shown at once when the window exists, else
  // by the next data transfer.
  void SetText(CString text);
  // Hides and destroys the window, enabling the owner again.
  BOOL DestroyWindow() override;

 protected:
  // Enables the owner again if this dialog disabled it.
  void ReEnableParent();
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  LRESULT OnUserEndInfoDlg(WPARAM wParam, LPARAM lParam);

  CAnimateCtrl m_animate;  // control 1007
  CString m_strText;       // control 1017
  int m_bOwnerDisabled;    // 1 while this dialog keeps its owner disabled
  int m_nClipId;           // 205, 207 or 210

  DECLARE_MESSAGE_MAP()
};

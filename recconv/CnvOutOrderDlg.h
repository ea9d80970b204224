// CCnvOutOrderDlg: which form fields make up a written line, in which
// order, and in which layout. The left list holds the fields not chosen
// (in order-number order), the right one the writing order; each item is
// the field's name, a TAB and the sample document's value, and carries
// the order number. The current definition is the first writing one;
// OK puts the right list and the layout into it (nothing is stored),
// "開く" and "保存" store the settings.
#pragma once

#include "UserCnvData.h"
#include "platform/ui/Dialog.h"

class CCnvOutOrderDlg : public CDialog {
 public:
  enum { IDD = 133 };

  // `sample` may be null: the items are then the names alone.
  CCnvOutOrderDlg(CUserCnvData& settings, CNVextDoc* sample, CWnd* parent = nullptr);

  // Shown from RecConv's templates. IDOK or IDCANCEL.
  INT_PTR DoModal() override;

  CCnvDefData* Current() const { return m_current; }
  // The layout chosen: 1 quoted, 0 plain. 1 each time the dialog opens.
  BOOL m_quoted = TRUE;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  afx_msg void OnMoveRight();
  afx_msg void OnMoveLeft();
  afx_msg void OnMoveAll();
  afx_msg void OnRestoreDefault();
  afx_msg void OnOpenDefs();
  afx_msg void OnSaveDef();
  afx_msg void OnQuoted();
  afx_msg void OnPlain();
  afx_msg void UpdateButtons();
  void Fill();
  CString ItemText(DWORD order, const CString& name) const;
  // Moves the selected item of `from` to the end of `to`; `from` keeps
  // its selected position and the focus.
  void MoveSelected(CListBox& from, CListBox& to);
  std::vector<DWORD> ChosenOrders() const;

  CUserCnvData& m_settings;
  CNVextDoc* m_sample;
  CCnvDefData* m_current = nullptr;
  int m_radio = 0;  // 0: IDC_QUOTED, 1: IDC_PLAIN
  CListBox m_left;
  CListBox m_right;

  DECLARE_MESSAGE_MAP()
};

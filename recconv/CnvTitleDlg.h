// CCnvTitleDlg: the title of a definition being stored. OK stays
// disabled until the text is first changed (then it may be emptied
// again); the edit field switches the input method to full-width
// hiragana while it has the focus.
#pragma once

#include "platform/ui/Dialog.h"

class CCnvTitleDlg : public CDialog {
 public:
  enum { IDD = 132 };

  explicit CCnvTitleDlg(BOOL isExport, CWnd* parent = nullptr);

  // Shown from RecConv's templates. IDOK or IDCANCEL.
  INT_PTR DoModal() override;

  CString m_title;  // after OK: the text entered, perhaps empty

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnTitleChange();
  afx_msg void OnTitleSetFocus();
  afx_msg void OnTitleKillFocus();

  BOOL m_isExport;

  DECLARE_MESSAGE_MAP()
};

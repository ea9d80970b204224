// CCnvListDlg: the stored definitions of one list (reading or writing),
// by title and sorted, to choose one (it moves to the front of its list)
// or to delete one the user made. The defaults ("消してください") are
// never listed.
#pragma once

#include "UserCnvData.h"
#include "platform/ui/Dialog.h"

class CCnvListDlg : public CDialog {
 public:
  enum { IDD = 131 };

  CCnvListDlg(CnvDefList& list, BOOL isExport, CWnd* parent = nullptr);

  // Shown from RecConv's templates. IDOK (the choice is first in the
  // list) or IDCANCEL; deletions are made either way.
  INT_PTR DoModal() override;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  afx_msg void OnDelete();
  afx_msg void UpdateButtons();
  void Fill();
  CCnvDefData* Selected() const;

  CnvDefList& m_list;
  BOOL m_isExport;
  CListBox m_titles;

  DECLARE_MESSAGE_MAP()
};

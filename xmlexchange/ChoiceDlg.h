// The two-choice dialog: which of two choices, under an explanation. The
// ContactXML import asks with it whether company (office) or personal
// (home) data are read where an entry has both.
#pragma once

#include "platform/base/CString.h"
#include "platform/ui/Dialog.h"

class CChoiceDlg : public CDialog {
 public:
  enum { IDD = 14000 };
  static constexpr int IDC_EXPLANATION = 14000;
  static constexpr int IDC_FIRST_CHOICE = 14001;  // starts the radio group
  static constexpr int IDC_SECOND_CHOICE = 14002;

  explicit CChoiceDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

  // Shown from this library's template. IDOK or IDCANCEL.
  INT_PTR DoModal() override;

  CString m_strExplanation;  // IDC_EXPLANATION
  int m_nChoice = 0;         // after OK: 0 the first choice (company), 1 the second (person)

 protected:
  // Sets the title, the explanation and the two labels, then checks the
  // first choice.
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
};

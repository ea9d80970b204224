// The two-choice dialog: which of two choices, under an explanation.
#pragma once

#include "platform/base/CString.h"
#include "platform/ui/UserInterface.h"

class CChoiceDlg : public vext::ui::ModalDialog {
 public:
  CChoiceDlg() = default;

  // Shows the dialog; IDOK or IDCANCEL.
  int DoModal();

  CString Title() const override { return m_strTitle; }
  // Enter confirms the preselected choice.
  int DefaultResult() const override { return IDOK; }

  CString m_strTitle;
  CString m_strExplanation;
  CString m_strFirst;
  CString m_strSecond;
  int m_nRadio = 0;  // 0 the first choice, 1 the second
};

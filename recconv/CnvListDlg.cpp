#include "CnvListDlg.h"

#include "CnvDialogIds.h"
#include "CnvMessages.h"
#include "CnvResources.h"
#include "DialogLists.h"

using namespace vext::recconv;

BEGIN_MESSAGE_MAP(CCnvListDlg, CDialog)
ON_BN_CLICKED(IDC_DEF_DELETE, OnDelete)
ON_LBN_SELCHANGE(IDC_DEF_LIST, UpdateButtons)
END_MESSAGE_MAP()

CCnvListDlg::CCnvListDlg(CnvDefList& list, BOOL isExport, CWnd* parent)
    : CDialog(IDD, parent), m_list(list), m_isExport(isExport) {}

INT_PTR CCnvListDlg::DoModal() {
  vext::ResourceScope resources(Resources());
  return CDialog::DoModal();
}

void CCnvListDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_DEF_LIST, m_titles);
}

BOOL CCnvListDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_isExport ? kWritingListCaption : kReadingListCaption);
  Fill();
  return TRUE;
}

void CCnvListDlg::Fill() {
  m_titles.ResetContent();
  for (const auto& def : m_list)
    if (def->title != kDefaultTitle)
      AddItem(m_titles, def->title, reinterpret_cast<DWORD_PTR>(def.get()));
  UpdateButtons();
}

CCnvDefData* CCnvListDlg::Selected() const {
  const int selected = m_titles.GetCurSel();
  return selected < 0 ? nullptr : reinterpret_cast<CCnvDefData*>(m_titles.GetItemData(selected));
}

void CCnvListDlg::UpdateButtons() {
  const CCnvDefData* selected = Selected();
  GetDlgItem(IDOK)->EnableWindow(selected != nullptr);
  GetDlgItem(IDC_DEF_DELETE)->EnableWindow(selected && selected->builtIn == 0);
}

void CCnvListDlg::OnDelete() {
  const CCnvDefData* selected = Selected();
  if (!selected || selected->builtIn != 0) return;
  const CString question = kDeleteAskBefore + selected->title + kDeleteAskAfter;
  if (AfxMessageBox(question, MB_OKCANCEL) != IDOK) return;
  Detach(m_list, selected);
  Fill();
}

void CCnvListDlg::OnOK() {
  const CCnvDefData* selected = Selected();
  if (!selected) return;
  MoveToFront(m_list, selected);
  EndDialog(IDOK);
}

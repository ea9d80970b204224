#include "CnvTitleDlg.h"

#include "CnvDialogIds.h"
#include "CnvMessages.h"
#include "CnvResources.h"
#include "platform/ui/InputMethod.h"

using namespace vext::recconv;

BEGIN_MESSAGE_MAP(CCnvTitleDlg, CDialog)
ON_EN_CHANGE(IDC_TITLE_EDIT, OnTitleChange)
ON_EN_SETFOCUS(IDC_TITLE_EDIT, OnTitleSetFocus)
ON_EN_KILLFOCUS(IDC_TITLE_EDIT, OnTitleKillFocus)
END_MESSAGE_MAP()

CCnvTitleDlg::CCnvTitleDlg(BOOL isExport, CWnd* parent)
    : CDialog(IDD, parent), m_isExport(isExport) {}

INT_PTR CCnvTitleDlg::DoModal() {
  vext::ResourceScope resources(Resources());
  return CDialog::DoModal();
}

void CCnvTitleDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_TITLE_EDIT, m_title);
}

BOOL CCnvTitleDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_isExport ? kWritingTitleCaption : kReadingTitleCaption);
  GetDlgItem(IDC_TITLE_EDIT)->SetFocus();
  return FALSE;
}

void CCnvTitleDlg::OnTitleChange() { GetDlgItem(IDOK)->EnableWindow(TRUE); }

void CCnvTitleDlg::OnTitleSetFocus() {
  const HWND edit = GetDlgItem(IDC_TITLE_EDIT)->m_hWnd;
  const HIMC context = ImmGetContext(edit);
  ImmSetOpenStatus(context, TRUE);
  DWORD conversion = 0, sentence = 0;
  ImmGetConversionStatus(context, &conversion, &sentence);
  conversion = (conversion | IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE) & ~IME_CMODE_KATAKANA;
  ImmSetConversionStatus(context, conversion, sentence);
  ImmReleaseContext(edit, context);
}

void CCnvTitleDlg::OnTitleKillFocus() {
  const HWND edit = GetDlgItem(IDC_TITLE_EDIT)->m_hWnd;
  const HIMC context = ImmGetContext(edit);
  ImmSetOpenStatus(context, FALSE);
  ImmReleaseContext(edit, context);
}

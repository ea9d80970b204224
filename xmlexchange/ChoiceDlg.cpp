#include "ChoiceDlg.h"

#include "platform/text/Sj.h"
#include "platform/ui/DialogTemplate.h"

namespace {

// The template carries neutral texts; the dialog sets its own when it
// opens.
constexpr vext::DialogControl kChoiceControls[] = {
    {CChoiceDlg::IDC_EXPLANATION, vext::ControlKind::Static, 7, 7, 186, 38, 0,
     "選択してください。"_sj},
    {CChoiceDlg::IDC_FIRST_CHOICE, vext::ControlKind::RadioButton, 7, 61, 137, 11,
     WS_GROUP | WS_TABSTOP, "Radio1"},
    {CChoiceDlg::IDC_SECOND_CHOICE, vext::ControlKind::RadioButton, 7, 85, 143, 13, 0, "Radio2"},
    {IDOK, vext::ControlKind::DefPushButton, 38, 164, 50, 14, WS_TABSTOP, "OK"},
    {IDCANCEL, vext::ControlKind::PushButton, 105, 164, 50, 14, WS_TABSTOP, "ｷｬﾝｾﾙ"_sj},
};

constexpr vext::DialogTemplate kDialogs[] = {
    {CChoiceDlg::IDD, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 199, 185,
     "選択してください"_sj, "ＭＳ Ｐゴシック"_sj, 9, kChoiceControls},
};

constexpr vext::ResourceModule kModule{kDialogs, {}};

constexpr const char* kTitle = "会社/個人の選択"_sj;
constexpr const char* kExplanation =
    "会社/個人の区別があるデータが両方あった場合に、\nどちらを読み込むか選択して【OK】をクリックしてください。"_sj;
constexpr const char* kFirstChoice = "会社（郵便番号･住所･TEL･FAX･E-mail）"_sj;
constexpr const char* kSecondChoice = "個人（郵便番号･住所･TEL･FAX･E-mail）"_sj;

}  // namespace

INT_PTR CChoiceDlg::DoModal() {
  vext::ResourceScope resources(&kModule);
  return CDialog::DoModal();
}

BOOL CChoiceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(kTitle);
  m_strExplanation = kExplanation;
  SetDlgItemText(IDC_FIRST_CHOICE, kFirstChoice);
  SetDlgItemText(IDC_SECOND_CHOICE, kSecondChoice);
  UpdateData(FALSE);
  return TRUE;
}

void CChoiceDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_EXPLANATION, m_strExplanation);
  DDX_Radio(pDX, IDC_FIRST_CHOICE, m_nChoice);
}

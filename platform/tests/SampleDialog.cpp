#include "SampleDialog.h"

#include <algorithm>

#include "platform/text/Sj.h"
#include "platform/ui/InputMethod.h"

namespace {

constexpr DWORD kListStyle =
    WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_SORT | LBS_USETABSTOPS;

constexpr vext::DialogControl kControls[] = {
    {IDC_STATIC, vext::ControlKind::Static, 7, 7, 186, 10, 0,
     "名前を入力して［追加］を押してください。"_sj},
    {IDC_NAME, vext::ControlKind::Edit, 7, 20, 120, 12, WS_TABSTOP | ES_AUTOHSCROLL, ""},
    {IDC_ADD, vext::ControlKind::PushButton, 133, 20, 60, 12, WS_TABSTOP | WS_DISABLED, "追加"_sj},
    {IDC_LIST, vext::ControlKind::ListBox, 7, 36, 120, 60, kListStyle, ""},
    {IDC_REMOVE, vext::ControlKind::PushButton, 133, 36, 60, 12, WS_TABSTOP | WS_DISABLED,
     "削除"_sj},
    {IDC_MORE, vext::ControlKind::PushButton, 133, 52, 60, 12, WS_TABSTOP, "ほかの宛先…"_sj},
    {IDC_STATIC, vext::ControlKind::GroupBox, 7, 100, 120, 24, 0, "敬称"_sj},
    {IDC_SAMA, vext::ControlKind::RadioButton, 12, 110, 40, 10, WS_GROUP | WS_TABSTOP, "様"_sj},
    {IDC_DONO, vext::ControlKind::RadioButton, 60, 110, 40, 10, 0, "殿"_sj},
    {IDC_COPY, vext::ControlKind::CheckBox, 7, 128, 120, 10, WS_GROUP | WS_TABSTOP,
     "控えを印刷する"_sj},
    {IDOK, vext::ControlKind::DefPushButton, 80, 132, 50, 14, WS_TABSTOP | WS_DISABLED, "OK"},
    {IDCANCEL, vext::ControlKind::PushButton, 143, 132, 50, 14, WS_TABSTOP, "ｷｬﾝｾﾙ"_sj},
};

constexpr vext::DialogTemplate kDialogs[] = {
    {CSampleDlg::IDD, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 150, "宛先の登録"_sj,
     "ＭＳ Ｐゴシック"_sj, 9, kControls},
};

constexpr vext::ResourceModule kModule{kDialogs, {}};

CString NameOf(const CString& item) {
  const int tab = item.Find('\t');
  return tab < 0 ? item : item.Left(tab);
}

}  // namespace

HINSTANCE SampleResources() { return &kModule; }

BEGIN_MESSAGE_MAP(CSampleDlg, CDialog)
ON_EN_CHANGE(IDC_NAME, OnNameChange)
ON_EN_SETFOCUS(IDC_NAME, OnNameSetFocus)
ON_EN_KILLFOCUS(IDC_NAME, OnNameKillFocus)
ON_BN_CLICKED(IDC_ADD, OnAdd)
ON_BN_CLICKED(IDC_REMOVE, OnRemove)
ON_BN_CLICKED(IDC_MORE, OnMore)
ON_LBN_SELCHANGE(IDC_LIST, UpdateButtons)
ON_LBN_DBLCLK(IDC_LIST, OnListDblClk)
END_MESSAGE_MAP()

void CSampleDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NAME, m_edit);
  DDX_Control(pDX, IDC_LIST, m_list);
  DDX_Text(pDX, IDC_NAME, m_name);
  DDX_Radio(pDX, IDC_SAMA, m_honorific);
}

BOOL CSampleDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const vext::ListItem& entry : m_entries) Add(entry.text, entry.data);
  // One tab stop just past the widest name, and room to scroll to the widest item.
  CClientDC dc(&m_list);
  int widestName = 0, widestItem = 0;
  for (const vext::ListItem& entry : m_entries) {
    widestName = std::max<int>(widestName, dc.GetTextExtent(NameOf(entry.text)).cx);
    widestItem = std::max<int>(widestItem, dc.GetTextExtent(entry.text).cx);
  }
  RECT unit{0, 0, 4, 8};
  MapDialogRect(&unit);
  m_list.SetTabStops((widestName * 4 + unit.right - 1) / unit.right + 4);
  m_list.SetHorizontalExtent(widestItem);
  UpdateButtons();
  m_edit.SetFocus();
  return FALSE;
}

void CSampleDlg::Add(const CString& text, DWORD_PTR data) {
  const int index = m_list.AddString(text);
  m_list.SetItemData(index, data);
  m_list.SetCurSel(index);
}

void CSampleDlg::UpdateButtons() {
  GetDlgItem(IDC_ADD)->EnableWindow(m_edit.GetWindowTextLength() > 0);
  GetDlgItem(IDC_REMOVE)->EnableWindow(m_list.GetCurSel() != LB_ERR);
  GetDlgItem(IDOK)->EnableWindow(m_list.GetCount() > 0);
}

void CSampleDlg::OnNameChange() { UpdateButtons(); }

void CSampleDlg::OnNameSetFocus() {
  HIMC context = ImmGetContext(m_edit.m_hWnd);
  DWORD conversion = 0, sentence = 0;
  ImmGetConversionStatus(context, &conversion, &sentence);
  ImmSetConversionStatus(context, (conversion | IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE), sentence);
  ImmSetOpenStatus(context, TRUE);
  ImmReleaseContext(m_edit.m_hWnd, context);
}

void CSampleDlg::OnNameKillFocus() {
  HIMC context = ImmGetContext(m_edit.m_hWnd);
  ImmSetOpenStatus(context, FALSE);
  ImmReleaseContext(m_edit.m_hWnd, context);
}

void CSampleDlg::OnAdd() {
  CString name;
  m_edit.GetWindowText(name);
  const bool dono = static_cast<CButton*>(GetDlgItem(IDC_DONO))->GetCheck() == BST_CHECKED;
  Add(name + "\t" + (dono ? "殿"_sj : "様"_sj), m_nextData++);
  m_edit.SetWindowText("");
  UpdateButtons();
}

void CSampleDlg::OnRemove() {
  m_list.DeleteString(static_cast<UINT>(m_list.GetCurSel()));
  UpdateButtons();
}

// The entry goes back into the name field to be written again.
void CSampleDlg::OnListDblClk() {
  const int index = m_list.GetCurSel();
  CString item;
  m_list.GetText(index, item);
  m_edit.SetWindowText(NameOf(item));
  m_list.DeleteString(static_cast<UINT>(index));
  UpdateButtons();
  m_edit.SetFocus();
}

void CSampleDlg::OnMore() {
  CSampleDlg more(this);
  if (more.DoModal() != IDOK) return;
  for (const vext::ListItem& entry : more.m_entries) Add(entry.text, entry.data);
  UpdateButtons();
}

void CSampleDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_entries.clear();
  for (int i = 0; i < m_list.GetCount(); ++i) {
    vext::ListItem entry;
    m_list.GetText(i, entry.text);
    entry.data = m_list.GetItemData(i);
    m_entries.push_back(entry);
  }
  m_copy = static_cast<CButton*>(GetDlgItem(IDC_COPY))->GetCheck();
  EndDialog(IDOK);
}

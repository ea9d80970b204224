#include "CnvOutOrderDlg.h"

#include <algorithm>

#include "CnvDialogIds.h"
#include "CnvListDlg.h"
#include "CnvResources.h"
#include "CnvTitleDlg.h"
#include "DialogLists.h"
#include "DisplayForm.h"

using namespace vext::recconv;

BEGIN_MESSAGE_MAP(CCnvOutOrderDlg, CDialog)
ON_BN_CLICKED(IDC_MOVE_RIGHT, OnMoveRight)
ON_BN_CLICKED(IDC_MOVE_LEFT, OnMoveLeft)
ON_BN_CLICKED(IDC_MOVE_ALL, OnMoveAll)
ON_BN_CLICKED(IDC_RESTORE_DEFAULT, OnRestoreDefault)
ON_BN_CLICKED(IDC_OPEN_DEFS, OnOpenDefs)
ON_BN_CLICKED(IDC_SAVE_DEF, OnSaveDef)
ON_BN_CLICKED(IDC_QUOTED, OnQuoted)
ON_BN_CLICKED(IDC_PLAIN, OnPlain)
ON_LBN_SELCHANGE(IDC_LEFT_LIST, UpdateButtons)
ON_LBN_SELCHANGE(IDC_RIGHT_LIST, UpdateButtons)
ON_LBN_DBLCLK(IDC_LEFT_LIST, OnMoveRight)
ON_LBN_DBLCLK(IDC_RIGHT_LIST, OnMoveLeft)
END_MESSAGE_MAP()

CCnvOutOrderDlg::CCnvOutOrderDlg(CUserCnvData& settings, CNVextDoc* sample, CWnd* parent)
    : CDialog(IDD, parent), m_settings(settings), m_sample(sample) {}

INT_PTR CCnvOutOrderDlg::DoModal() {
  vext::ResourceScope resources(Resources());
  return CDialog::DoModal();
}

void CCnvOutOrderDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LEFT_LIST, m_left);
  DDX_Control(pDX, IDC_RIGHT_LIST, m_right);
  DDX_Radio(pDX, IDC_QUOTED, m_radio);
}

BOOL CCnvOutOrderDlg::OnInitDialog() {
  EnsureDefinition(m_settings.exportDefs, CCnvDefData::kWriting);
  m_current = m_settings.exportDefs.front().get();
  m_quoted = TRUE;
  m_radio = 0;
  CDialog::OnInitDialog();
  Fill();
  return TRUE;
}

CString CCnvOutOrderDlg::ItemText(DWORD order, const CString& name) const {
  if (!m_sample) return name;
  const int face = m_sample->GetMenCount() > 1 ? 1 : 0;
  int indexNo = 0;
  CString itemName;
  const CString value = m_sample->GetStrDataByOrder(order, face, indexNo, itemName);
  return name + "\t" + DisplayForm(value);
}

void CCnvOutOrderDlg::Fill() {
  m_left.ResetContent();
  m_right.ResetContent();
  const std::vector<DWORD>& chosen = m_current->orderList;
  for (DWORD order = 0; order < kListedOrders; ++order) {
    const CString* name = m_settings.ShownItemName(order);
    if (name && std::find(chosen.begin(), chosen.end(), order) == chosen.end())
      AddItem(m_left, ItemText(order, *name), order);
  }
  for (DWORD order : chosen)
    if (const CString* name = m_settings.ShownItemName(order))
      AddItem(m_right, ItemText(order, *name), order);
  SetNameTabStop(*this, m_left);
  SetNameTabStop(*this, m_right);
  ShowFromTop(m_left);
  ShowFromTop(m_right);
  UpdateButtons();
}

void CCnvOutOrderDlg::UpdateButtons() {
  if (m_left.GetCurSel() < 0 && m_right.GetCurSel() < 0) {
    if (m_left.GetCount() > 0)
      m_left.SetCurSel(0);
    else if (m_right.GetCount() > 0)
      m_right.SetCurSel(0);
  }
  GetDlgItem(IDC_MOVE_RIGHT)->EnableWindow(m_left.GetCurSel() >= 0);
  GetDlgItem(IDC_MOVE_LEFT)->EnableWindow(m_right.GetCurSel() >= 0);
  GetDlgItem(IDC_MOVE_ALL)->EnableWindow(m_left.GetCount() > 0);
  GetDlgItem(IDC_RESTORE_DEFAULT)->EnableWindow(m_right.GetCount() > 0);
  GetDlgItem(IDOK)->EnableWindow(m_right.GetCount() > 0);
}

void CCnvOutOrderDlg::MoveSelected(CListBox& from, CListBox& to) {
  const int selected = from.GetCurSel();
  if (selected < 0) return;
  CString text;
  from.GetText(selected, text);
  AddItem(to, text, from.GetItemData(selected));
  from.DeleteString(static_cast<UINT>(selected));
  const int count = from.GetCount();
  if (count > 0) from.SetCurSel(std::min(selected, count - 1));
  from.SetFocus();
  UpdateButtons();
}

void CCnvOutOrderDlg::OnMoveRight() { MoveSelected(m_left, m_right); }

void CCnvOutOrderDlg::OnMoveLeft() { MoveSelected(m_right, m_left); }

void CCnvOutOrderDlg::OnMoveAll() {
  CString text;
  for (int i = 0; i < m_left.GetCount(); ++i) {
    m_left.GetText(i, text);
    AddItem(m_right, text, m_left.GetItemData(i));
  }
  m_left.ResetContent();
  UpdateButtons();
}

void CCnvOutOrderDlg::OnRestoreDefault() {
  CCnvDefData* def = FindDefault(m_settings.exportDefs);
  if (!def) return;
  MoveToFront(m_settings.exportDefs, def);
  m_current = def;
  Fill();
}

void CCnvOutOrderDlg::OnOpenDefs() {
  CCnvListDlg list(m_settings.exportDefs, TRUE);
  const INT_PTR result = list.DoModal();
  if (result != IDOK && result != IDCANCEL) return;
  // A deletion may have taken the definition shown.
  EnsureDefinition(m_settings.exportDefs, CCnvDefData::kWriting);
  if (result == IDOK || !Contains(m_settings.exportDefs, m_current)) {
    m_current = m_settings.exportDefs.front().get();
    Fill();
    m_quoted = m_current->quoted != 0;
    m_radio = m_quoted ? 0 : 1;
    UpdateData(FALSE);
  }
  m_settings.Store();
}

void CCnvOutOrderDlg::OnSaveDef() {
  CCnvTitleDlg title(TRUE);
  if (title.DoModal() != IDOK || m_right.GetCount() == 0) return;
  auto def = std::make_unique<CCnvDefData>(CCnvDefData::kWriting, m_quoted ? 1 : 0, title.m_title);
  def->orderList = ChosenOrders();
  m_current = def.get();
  m_settings.exportDefs.insert(m_settings.exportDefs.begin(), std::move(def));
  m_settings.Store();
  Fill();
}

void CCnvOutOrderDlg::OnQuoted() { m_quoted = TRUE; }

void CCnvOutOrderDlg::OnPlain() { m_quoted = FALSE; }

std::vector<DWORD> CCnvOutOrderDlg::ChosenOrders() const {
  std::vector<DWORD> orders;
  orders.reserve(static_cast<std::size_t>(std::max(m_right.GetCount(), 0)));
  for (int i = 0; i < m_right.GetCount(); ++i)
    orders.push_back(static_cast<DWORD>(m_right.GetItemData(i)));
  return orders;
}

void CCnvOutOrderDlg::OnOK() {
  if (m_right.GetCount() == 0) return;
  m_current->orderList = ChosenOrders();
  m_current->quoted = m_quoted ? 1 : 0;
  EndDialog(IDOK);
}

#include "CnvInItemDlg.h"

#include <algorithm>

#include "CnvDialogIds.h"
#include "CnvListDlg.h"
#include "CnvMessages.h"
#include "CnvResources.h"
#include "CnvTitleDlg.h"
#include "DialogLists.h"
#include "DisplayForm.h"

using namespace vext::recconv;

BEGIN_MESSAGE_MAP(CCnvInItemDlg, CDialog)
ON_BN_CLICKED(IDC_ASSOCIATE, OnAssociate)
ON_BN_CLICKED(IDC_RELEASE, OnRelease)
ON_BN_CLICKED(IDC_RESTORE_DEFAULT, OnRestoreDefault)
ON_BN_CLICKED(IDC_OPEN_DEFS, OnOpenDefs)
ON_BN_CLICKED(IDC_SAVE_DEF, OnSaveDef)
ON_LBN_SELCHANGE(IDC_LEFT_LIST, UpdateButtons)
ON_LBN_SELCHANGE(IDC_RIGHT_LIST, UpdateButtons)
ON_LBN_DBLCLK(IDC_LEFT_LIST, OnColumnDblClk)
ON_LBN_DBLCLK(IDC_RIGHT_LIST, OnFieldDblClk)
END_MESSAGE_MAP()

CCnvInItemDlg::CCnvInItemDlg(CUserCnvData& settings, const std::vector<CString>& preview,
                             BOOL quoted, CWnd* parent)
    : CDialog(IDD, parent), m_settings(settings), m_preview(preview), m_quoted(quoted) {}

INT_PTR CCnvInItemDlg::DoModal() {
  vext::ResourceScope resources(Resources());
  return CDialog::DoModal();
}

void CCnvInItemDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LEFT_LIST, m_columns);
  DDX_Control(pDX, IDC_RIGHT_LIST, m_fields);
}

BOOL CCnvInItemDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  PickStartingDefinition();
  Fill();
  return TRUE;
}

void CCnvInItemDlg::PickStartingDefinition() {
  CnvDefList& defs = m_settings.importDefs;
  EnsureDefinition(defs, CCnvDefData::kReading);
  const auto withColumns = std::find_if(defs.begin(), defs.end(), [](const auto& def) {
    return def->title == kDefaultTitle && !def->columnList.empty();
  });
  m_current = withColumns != defs.end() ? withColumns->get() : defs.back().get();
}

void CCnvInItemDlg::Fill() {
  m_columns.ResetContent();
  m_fields.ResetContent();
  const std::vector<DWORD>& orders = m_current->orderList;
  const std::vector<DWORD>& columns = m_current->columnList;
  for (DWORD k = 1; k <= m_preview.size(); ++k)
    if (std::find(columns.begin(), columns.end(), k) == columns.end())
      AddItem(m_columns, ColumnLabel(k) + DisplayForm(m_preview[k - 1]), k);
  for (DWORD order = 0; order < kListedOrders; ++order) {
    const CString* name = m_settings.ShownItemName(order);
    if (!name) continue;
    const auto pair = std::find(orders.begin(), orders.end(), order);
    const DWORD column = pair == orders.end()
                             ? 0
                             : m_current->ColumnAt(static_cast<std::size_t>(pair - orders.begin()));
    if (column == 0) {
      AddItem(m_fields, *name + "\t", order);
    } else {
      const CString value = column <= m_preview.size() ? m_preview[column - 1] : CString();
      AddItem(m_fields, *name + "\t" + ColumnLabel(column) + ColumnText(value),
              FieldData(column, order));
    }
  }
  SetNameTabStop(*this, m_fields);
  ShowFromTop(m_columns);
  ShowFromTop(m_fields);
  UpdateButtons();
}

bool CCnvInItemDlg::SelectedFieldHasColumn() const {
  const int selected = m_fields.GetCurSel();
  return selected >= 0 && ColumnOf(m_fields.GetItemData(selected)) != 0;
}

void CCnvInItemDlg::UpdateButtons() {
  if (m_columns.GetCount() > 0 && m_columns.GetCurSel() < 0) m_columns.SetCurSel(0);
  bool anyColumn = false;
  int firstWithout = -1;
  for (int i = 0; i < m_fields.GetCount(); ++i) {
    if (ColumnOf(m_fields.GetItemData(i)) != 0)
      anyColumn = true;
    else if (firstWithout < 0)
      firstWithout = i;
  }
  if (m_fields.GetCurSel() < 0 && firstWithout >= 0) m_fields.SetCurSel(firstWithout);
  const bool fieldWithout = m_fields.GetCurSel() >= 0 && !SelectedFieldHasColumn();
  GetDlgItem(IDC_ASSOCIATE)->EnableWindow(m_columns.GetCurSel() >= 0 && fieldWithout);
  GetDlgItem(IDC_RELEASE)->EnableWindow(SelectedFieldHasColumn());
  GetDlgItem(IDC_RESTORE_DEFAULT)->EnableWindow(anyColumn);
  GetDlgItem(IDOK)->EnableWindow(anyColumn);
}

void CCnvInItemDlg::OnAssociate() {
  const int left = m_columns.GetCurSel();
  const int right = m_fields.GetCurSel();
  if (left < 0 || right < 0 || SelectedFieldHasColumn()) return;
  CString columnText, fieldText;
  m_columns.GetText(left, columnText);
  const auto column = static_cast<DWORD>(m_columns.GetItemData(left));
  m_fields.GetText(right, fieldText);
  const DWORD order = OrderOf(m_fields.GetItemData(right));
  m_columns.DeleteString(static_cast<UINT>(left));
  m_fields.DeleteString(static_cast<UINT>(right));
  m_fields.InsertString(right, fieldText + columnText);
  m_fields.SetItemData(right, FieldData(column, order));
  UpdateButtons();
}

void CCnvInItemDlg::OnRelease() {
  const int right = m_fields.GetCurSel();
  if (right < 0 || !SelectedFieldHasColumn()) return;
  CString text;
  m_fields.GetText(right, text);
  const DWORD_PTR data = m_fields.GetItemData(right);
  const int tab = text.Find('\t');
  const CString kept = tab < 0 ? text + "\t" : text.Left(tab + 1);
  const CString cut = tab < 0 ? CString() : text.Mid(tab + 1);
  m_fields.DeleteString(static_cast<UINT>(right));
  m_fields.InsertString(right, kept);
  m_fields.SetItemData(right, OrderOf(data));
  AddItem(m_columns, cut, ColumnOf(data));
  UpdateButtons();
}

void CCnvInItemDlg::OnColumnDblClk() {
  if (m_fields.GetCurSel() < 0) return;
  if (SelectedFieldHasColumn())
    OnRelease();
  else
    OnAssociate();
}

void CCnvInItemDlg::OnFieldDblClk() {
  if (SelectedFieldHasColumn())
    OnRelease();
  else
    OnAssociate();
}

void CCnvInItemDlg::OnRestoreDefault() {
  CCnvDefData* def = FindDefault(m_settings.importDefs);
  if (!def) return;
  MoveToFront(m_settings.importDefs, def);
  m_current = def;
  Fill();
}

void CCnvInItemDlg::OnOpenDefs() {
  CCnvListDlg list(m_settings.importDefs, FALSE);
  const INT_PTR result = list.DoModal();
  if (result != IDOK && result != IDCANCEL) return;
  if (result == IDOK) {
    m_current = m_settings.importDefs.front().get();
    Fill();
  } else if (!Contains(m_settings.importDefs, m_current)) {
    // The definition shown was deleted.
    PickStartingDefinition();
    Fill();
  }
  m_settings.Store();
}

void CCnvInItemDlg::CollectAssociations(CCnvDefData& def) const {
  def.orderList.clear();
  def.columnList.clear();
  for (int i = 0; i < m_fields.GetCount(); ++i) {
    const DWORD_PTR data = m_fields.GetItemData(i);
    if (ColumnOf(data) == 0) continue;
    def.orderList.push_back(OrderOf(data));
    def.columnList.push_back(ColumnOf(data));
  }
}

void CCnvInItemDlg::OnSaveDef() {
  CCnvTitleDlg title(FALSE);
  if (title.DoModal() != IDOK) return;
  auto def = std::make_unique<CCnvDefData>(CCnvDefData::kReading, m_quoted ? 1 : 0, title.m_title);
  CollectAssociations(*def);
  m_current = def.get();
  m_settings.importDefs.insert(m_settings.importDefs.begin(), std::move(def));
  m_settings.Store();
  Fill();
}

void CCnvInItemDlg::OnOK() {
  CCnvDefData rebuilt;
  CollectAssociations(rebuilt);
  if (rebuilt.orderList.empty()) return;
  m_current->orderList = std::move(rebuilt.orderList);
  m_current->columnList = std::move(rebuilt.columnList);
  MoveToFront(m_settings.importDefs, m_current);
  EndDialog(IDOK);
}

#include "platform/ui/Dialog.h"

#include "platform/ui/UserInterface.h"
#include "platform/ui/detail/WindowAccess.h"

using vext::WindowAccess;

// ----------------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  if (pDX->m_bSaveAndValidate)
    pDX->m_pDlgWnd->GetDlgItemText(id, value);
  else
    pDX->m_pDlgWnd->SetDlgItemText(id, value);
}

void DDX_Radio(CDataExchange* pDX, int firstId, int& value) {
  const vext::DialogModel* model = WindowAccess::Model(*pDX->m_pDlgWnd);
  if (!model) return;
  const std::vector<int> group = model->RadioGroup(firstId);
  if (pDX->m_bSaveAndValidate) value = -1;
  for (std::size_t i = 0; i < group.size(); ++i) {
    auto* button = static_cast<CButton*>(model->Item(group[i]));
    if (pDX->m_bSaveAndValidate) {
      if (button->GetCheck() == BST_CHECKED) value = static_cast<int>(i);
    } else {
      button->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  // Once: later exchanges find the object attached already.
  if (!control.m_hWnd) control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd);
}

// ----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_nIDTemplate(templateId) {}

CDialog::~CDialog() {
  // Before CWnd's destructor: the model takes the dialog's windows away.
  m_dialogModel.reset();
}

void CDialog::SetParentWindow(CWnd* parent) {
  m_pParentWnd = parent;
  m_parentHandle = parent ? parent->m_hWnd : nullptr;
}

CWnd* CDialog::GetParent() const {
  if (!m_pParentWnd || vext::WindowFromHandle(m_parentHandle) != m_pParentWnd) return nullptr;
  return m_pParentWnd;
}

bool CDialog::CreateWindows(UINT templateId) {
  const HINSTANCE module = AfxGetResourceHandle();
  const vext::DialogTemplate* dialog = module ? module->FindDialog(templateId) : nullptr;
  if (!dialog || m_hWnd) return false;
  m_dialogModel = std::make_unique<vext::DialogModel>(*this, *dialog);
  return true;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (!CreateWindows(templateId)) return FALSE;
  SetParentWindow(parent);
  const BOOL focusFirst = OnInitDialog();
  if (!m_dialogModel) return FALSE;  // OnInitDialog closed it again
  if (focusFirst) m_dialogModel->FocusFirstTabStop();
  if (m_dialogModel->Template().style & WS_VISIBLE) ShowWindow(SW_SHOW);
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd || !CreateWindows(m_nIDTemplate)) return -1;
  CWnd* owner = CWnd::GetSafeOwner(m_pParentWnd);
  SetParentWindow(owner);
  const bool disableOwner = owner && owner->IsWindowEnabled();
  if (disableOwner) owner->EnableWindow(FALSE);
  // Whatever ends the run, a handler's exception included, the windows go
  // and the owner works again.
  struct Cleanup {
    CDialog& dialog;
    bool enableOwner;
    ~Cleanup() {
      if (dialog.m_dialogModel) dialog.DestroyWindow();
      if (enableOwner)
        if (CWnd* owner = dialog.GetParent()) owner->EnableWindow(TRUE);
    }
  } cleanup{*this, disableOwner};

  const BOOL focusFirst = OnInitDialog();
  if (!m_dialogModel) return -1;  // OnInitDialog destroyed the window
  if (focusFirst) m_dialogModel->FocusFirstTabStop();
  if (!m_dialogModel->Ended()) {
    ShowWindow(SW_SHOW);
    vext::ui::Current()->DoModal(*this);
  }
  if (!m_dialogModel) return -1;
  // An implementation that gave up without ending the dialog cancels it.
  if (!m_dialogModel->Ended()) EndDialog(IDCANCEL);
  return m_dialogModel->Result();
}

void CDialog::EndDialog(int result) {
  if (m_dialogModel) m_dialogModel->End(result);
}

BOOL CDialog::DestroyWindow() {
  if (!m_dialogModel) return FALSE;
  m_dialogModel.reset();
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  if (!m_hWnd) return FALSE;
  CDataExchange exchange(this, saveAndValidate);
  DoDataExchange(&exchange);
  return TRUE;
}

void CDialog::MapDialogRect(LPRECT rect) const {
  if (!rect) return;
  const CSize base = CDC(m_dialogModel ? m_dialogModel->Template().pointSize : 9).BaseUnits();
  rect->left = rect->left * base.cx / 4;
  rect->right = rect->right * base.cx / 4;
  rect->top = rect->top * base.cy / 8;
  rect->bottom = rect->bottom * base.cy / 8;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

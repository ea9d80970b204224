#include <cstdlib>
#include <ctime>

#include "VEXTMSG.h"
#include "WaitDlgResources.h"
#include "platform/text/Sj.h"
#include "platform/ui/UserInterface.h"

using vextmsg::Resources;

namespace {

constexpr UINT kLoopForever = static_cast<UINT>(-1);

// What the user interface draws of the dialog: its text item and its clip.
class WaitViewOf final : public vext::ui::WaitView {
 public:
  WaitViewOf(CDialog& dialog, const CAnimateCtrl& animation)
      : m_dialog(dialog), m_animation(animation) {}
  CString Text() const override {
    CString text;
    m_dialog.GetDlgItemText(vextmsg::IDC_WAIT_TEXT, text);
    return text;
  }
  int ClipId() const override { return static_cast<int>(m_animation.ClipId()); }
  CDialog* Dialog() const override { return m_dialog.Model() ? &m_dialog : nullptr; }

 private:
  CDialog& m_dialog;
  const CAnimateCtrl& m_animation;
};

// The dialog works whether or not the user interface can draw it: a failure
// there must not reach the host.
template <typename Notify>
void TellUserInterface(Notify notify) {
  try {
    notify(*vext::ui::Current());
  } catch (...) {
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CWaitDlg, CDialog)
ON_MESSAGE(WM_USER_ENDINFODLG, OnUserEndInfoDlg)
END_MESSAGE_MAP()

CWaitDlg::CWaitDlg(int /*unused*/) : m_bOwnerDisabled(0), m_nClipId(0) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  switch (std::rand() % 3) {
    case 0: m_nClipId = vextmsg::IDR_CLIP_A; break;
    case 1: m_nClipId = vextmsg::IDR_CLIP_B; break;
    default: m_nClipId = vextmsg::IDR_CLIP_C; break;
  }
  m_bOwnerDisabled = 0;
  m_strText.Empty();
  Create(nullptr);
}

CWaitDlg::~CWaitDlg() {
  if (m_hWnd) DestroyWindow();
}

int CWaitDlg::Create(CWnd* owner) {
  vext::ResourceScope resources(Resources());
  // A second window would leave the first one's owner disabled for good.
  if (m_hWnd) return 0;
  CWnd* safeOwner = CWnd::GetSafeOwner(owner);
  SetParentWindow(safeOwner);
  if (safeOwner && safeOwner->IsWindowEnabled()) {
    safeOwner->EnableWindow(FALSE);
    m_bOwnerDisabled = 1;
  }
  if (!CDialog::Create(IDD, safeOwner)) {
    ReEnableParent();
    return 0;
  }
  TellUserInterface(
      [this](vext::ui::UserInterface& ui) { ui.WaitShown(WaitViewOf(*this, m_animate)); });
  return 1;
}

void CWaitDlg::SetText(CString text) {
  m_strText = std::move(text);
  if (!m_hWnd) return;
  UpdateData(FALSE);
  if (IsWindowVisible())
    TellUserInterface(
        [this](vext::ui::UserInterface& ui) { ui.WaitTextChanged(WaitViewOf(*this, m_animate)); });
}

BOOL CWaitDlg::DestroyWindow() {
  vext::ResourceScope resources(Resources());
  CWnd* owner = GetParent();
  if (owner && owner->m_hWnd && owner->IsWindowVisible()) owner->SetForegroundWindow();
  const bool shown = m_hWnd != nullptr;
  ShowWindow(SW_HIDE);
  ReEnableParent();
  m_animate.Close();
  if (shown)
    TellUserInterface(
        [this](vext::ui::UserInterface& ui) { ui.WaitHidden(WaitViewOf(*this, m_animate)); });
  return CDialog::DestroyWindow();
}

void CWaitDlg::ReEnableParent() {
  if (m_bOwnerDisabled)
    if (CWnd* owner = GetParent()) owner->EnableWindow(TRUE);
  m_bOwnerDisabled = 0;
}

BOOL CWaitDlg::OnInitDialog() {
  vext::ResourceScope resources(Resources());
  CDialog::OnInitDialog();
  // Placing the window in the middle of the screen is left to the user
  // interface that draws it: there is no screen here.
  m_animate.Open(static_cast<UINT>(m_nClipId));
  m_animate.Play(0, 200, kLoopForever);
  m_strText = "しばらくお待ちください…"_sj;
  UpdateData(FALSE);
  return TRUE;
}

void CWaitDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, vextmsg::IDC_WAIT_ANIMATE, m_animate);
  DDX_Text(pDX, vextmsg::IDC_WAIT_TEXT, m_strText);
}

LRESULT CWaitDlg::OnUserEndInfoDlg(WPARAM, LPARAM) {
  DestroyWindow();
  return 0;
}

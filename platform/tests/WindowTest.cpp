// Windows without a toolkit: handles, posted messages crossing threads,
// message maps, dialog templates from the current resource module, the
// data exchange between dialog items and members, and list boxes.
#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "platform/text/Sj.h"
#include "platform/ui/Dialog.h"

namespace {

constexpr UINT WM_PING = WM_USER + 1;
constexpr UINT WM_BASE_ONLY = WM_USER + 2;

class BaseWindow : public CWnd {
 public:
  std::vector<std::pair<UINT, std::thread::id>> handled;

 protected:
  LRESULT OnBaseOnly(WPARAM, LPARAM) {
    handled.emplace_back(WM_BASE_ONLY, std::this_thread::get_id());
    return 7;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
ON_MESSAGE(WM_BASE_ONLY, OnBaseOnly)
END_MESSAGE_MAP()

class PingWindow : public BaseWindow {
 public:
  WPARAM lastW = 0;
  LPARAM lastL = 0;

 protected:
  LRESULT OnPing(WPARAM w, LPARAM l) {
    handled.emplace_back(WM_PING, std::this_thread::get_id());
    lastW = w;
    lastL = l;
    return 42;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PingWindow, BaseWindow)
ON_MESSAGE(WM_PING, OnPing)
END_MESSAGE_MAP()

TEST(WindowMessages, MessageMapsChainToTheBaseClass) {
  PingWindow window;
  EXPECT_EQ(window.WindowProc(WM_PING, 1, 2), 42);
  EXPECT_EQ(window.WindowProc(WM_BASE_ONLY, 0, 0), 7);
  EXPECT_EQ(window.WindowProc(WM_USER + 99, 0, 0), 0);
  EXPECT_EQ(window.handled.size(), 2u);
}

TEST(WindowMessages, PostedFromAnotherThreadDispatchedOnTheOwningThread) {
  PingWindow window;
  ASSERT_TRUE(window.CreateEx(WS_VISIBLE));
  const HWND handle = window.GetSafeHwnd();

  std::thread poster([handle] {
    EXPECT_TRUE(PostMessage(handle, WM_PING, 5, -6));
    EXPECT_TRUE(PostMessage(handle, WM_BASE_ONLY, 0, 0));
    // The poster's own queue holds nothing: the window is not its own.
    EXPECT_EQ(vext::PumpMessages(), 0);
  });
  poster.join();
  EXPECT_TRUE(window.handled.empty());  // nothing runs before the owner pumps

  EXPECT_EQ(vext::PumpMessages(), 2);
  ASSERT_EQ(window.handled.size(), 2u);
  EXPECT_EQ(window.handled[0].first, WM_PING);
  EXPECT_EQ(window.handled[1].first, WM_BASE_ONLY);
  for (const auto& [message, thread] : window.handled)
    EXPECT_EQ(thread, std::this_thread::get_id());
  EXPECT_EQ(window.lastW, 5u);
  EXPECT_EQ(window.lastL, -6);
  EXPECT_EQ(vext::PumpMessages(), 0);
}

TEST(WindowMessages, StaleHandlesAreIgnored) {
  HWND stale;
  {
    PingWindow window;
    ASSERT_TRUE(window.CreateEx(0));
    stale = window.m_hWnd;
    EXPECT_TRUE(window.PostMessage(WM_PING));  // left waiting when the window goes
    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_FALSE(window.DestroyWindow());
    EXPECT_FALSE(window.PostMessage(WM_PING));
    EXPECT_TRUE(window.handled.empty());
  }
  EXPECT_FALSE(IsWindow(stale));
  EXPECT_FALSE(PostMessage(stale, WM_PING, 0, 0));
  EXPECT_FALSE(PostMessage(nullptr, WM_PING, 0, 0));
  EXPECT_EQ(vext::PumpMessages(), 0);

  // A window destroyed with its object, without DestroyWindow.
  HWND dropped;
  {
    PingWindow window;
    window.CreateEx(0);
    dropped = window.m_hWnd;
    window.PostMessage(WM_PING);
  }
  EXPECT_FALSE(IsWindow(dropped));
  EXPECT_EQ(vext::PumpMessages(), 0);

  PingWindow next;
  next.CreateEx(0);
  EXPECT_NE(next.m_hWnd, stale);  // handles are not reused
  EXPECT_NE(next.m_hWnd, dropped);
  EXPECT_EQ(vext::WindowFromHandle(next.m_hWnd), &next);
}

TEST(WindowState, ShowAndEnableReportThePreviousState) {
  CWnd window;
  EXPECT_FALSE(window.IsWindowEnabled());  // no window yet
  EXPECT_FALSE(window.EnableWindow(FALSE));
  ASSERT_TRUE(window.CreateEx(WS_DISABLED));
  EXPECT_FALSE(window.CreateEx(0));  // has one already
  EXPECT_FALSE(window.IsWindowVisible());
  EXPECT_FALSE(window.IsWindowEnabled());
  EXPECT_TRUE(window.EnableWindow(TRUE));  // was disabled
  EXPECT_FALSE(window.EnableWindow(FALSE));
  EXPECT_FALSE(window.ShowWindow(SW_SHOW));
  EXPECT_TRUE(window.ShowWindow(SW_HIDE));
}

// ---------------------------------------------------------------------------

constexpr int IDC_NAME = 1001;
constexpr int IDC_CLIP = 1002;
constexpr int IDC_PLAIN = 1003;
constexpr int IDC_SORTED = 1004;

constexpr vext::DialogControl kControls[] = {
    {IDC_NAME, vext::ControlKind::Static, 0, 0, 10, 10, WS_CHILD | WS_VISIBLE, "初期値"_sj},
    {IDC_CLIP, vext::ControlKind::Animation, 0, 0, 10, 10, WS_CHILD | WS_VISIBLE, ""},
    {IDC_PLAIN, vext::ControlKind::ListBox, 0, 0, 10, 10, LBS_NOTIFY, ""},
    {IDC_SORTED, vext::ControlKind::ListBox, 0, 0, 10, 10, LBS_NOTIFY | LBS_SORT, ""},
};
constexpr vext::DialogTemplate kDialogs[] = {
    {100, WS_POPUP | WS_VISIBLE, 50, 20, "", "", 9, kControls},
    {101, WS_POPUP, 50, 20, "", "", 9, kControls},
};
constexpr vext::AnimationClip kClips[] = {{300, 10, 80, 80, 30}};
constexpr vext::ResourceModule kModule{kDialogs, kClips};

class NameDialog : public CDialog {
 public:
  CString m_name;
  CAnimateCtrl m_clip;
  int initCalls = 0;
  bool closeInInit = false;

 protected:
  BOOL OnInitDialog() override {
    ++initCalls;
    CDialog::OnInitDialog();
    if (closeInInit) DestroyWindow();
    return TRUE;
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_CLIP, m_clip);
    DDX_Text(pDX, IDC_NAME, m_name);
  }
};

TEST(Dialogs, CreatedFromTheTemplateOfTheCurrentResourceModule) {
  NameDialog dialog;
  EXPECT_FALSE(dialog.Create(100));  // no resource module
  vext::ResourceScope resources(&kModule);
  EXPECT_FALSE(dialog.Create(999));  // no such template
  EXPECT_EQ(dialog.initCalls, 0);
  EXPECT_FALSE(dialog.UpdateData(FALSE));  // no window

  dialog.m_name = "山田"_sj;
  ASSERT_TRUE(dialog.Create(100));
  EXPECT_EQ(dialog.initCalls, 1);
  EXPECT_TRUE(dialog.IsWindowVisible());
  CString shown;
  dialog.GetDlgItemText(IDC_NAME, shown);
  EXPECT_EQ(shown, CString("山田"_sj));  // OnInitDialog moved the member to the item
  EXPECT_FALSE(dialog.Create(100));      // already has a window

  dialog.SetDlgItemText(IDC_NAME, "鈴木"_sj);
  EXPECT_TRUE(dialog.UpdateData(TRUE));
  EXPECT_EQ(dialog.m_name, CString("鈴木"_sj));
  dialog.SetDlgItemText(9999, "x");  // no such item: nothing happens
  EXPECT_EQ(dialog.GetDlgItemText(9999, shown), 0);
  EXPECT_EQ(shown, CString());

  NameDialog hidden;
  ASSERT_TRUE(hidden.Create(101));
  EXPECT_FALSE(hidden.IsWindowVisible());
}

TEST(Dialogs, ClosedDuringInitialisationIsAFailedCreate) {
  vext::ResourceScope resources(&kModule);
  NameDialog dialog;
  dialog.closeInInit = true;
  EXPECT_FALSE(dialog.Create(100));
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Dialogs, AnimationOpensOnlyBoundAndKnownClips) {
  CAnimateCtrl unbound;
  NameDialog dialog;
  {
    vext::ResourceScope resources(&kModule);
    EXPECT_FALSE(unbound.Open(300));
    ASSERT_TRUE(dialog.Create(100));
    EXPECT_EQ(dialog.m_clip.GetDlgCtrlID(), IDC_CLIP);
    EXPECT_FALSE(dialog.m_clip.Open(301));
    EXPECT_TRUE(dialog.m_clip.Open(300));
  }
  EXPECT_EQ(AfxGetResourceHandle(), nullptr);  // the scope restored it
  EXPECT_FALSE(dialog.m_clip.Open(300));       // not in the current module
}

TEST(Dialogs, ParentIsForgottenWhenItsWindowIsGone) {
  vext::ResourceScope resources(&kModule);
  auto owner = std::make_unique<CWnd>();
  owner->CreateEx(WS_VISIBLE);
  NameDialog dialog;
  ASSERT_TRUE(dialog.Create(100, owner.get()));
  EXPECT_EQ(dialog.GetParent(), owner.get());
  owner.reset();
  EXPECT_EQ(dialog.GetParent(), nullptr);

  CWnd windowless;
  NameDialog other;
  ASSERT_TRUE(other.Create(100, &windowless));
  EXPECT_EQ(other.GetParent(), nullptr);
}

// The items joined by commas, and the selection.
std::pair<std::string, int> Shown(const CListBox& list) {
  std::string items;
  for (int i = 0; i < list.GetCount(); ++i) {
    CString text;
    list.GetText(i, text);
    items += (i ? "," : "") + text.str();
  }
  return {items, list.GetCurSel()};
}

TEST(ListBoxes, EditingKeepsTheSelectionOnItsItem) {
  vext::ResourceScope resources(&kModule);
  NameDialog dialog;
  ASSERT_TRUE(dialog.Create(100));
  auto& plain = *static_cast<CListBox*>(dialog.GetDlgItem(IDC_PLAIN));
  auto& sorted = *static_cast<CListBox*>(dialog.GetDlgItem(IDC_SORTED));
  struct Step {
    CListBox* list;
    std::function<int(CListBox&)> operation;
    int result;
    const char* items;
    int selection;
  };
  const Step steps[] = {
      {&plain, [](CListBox& l) { return l.AddString("b"); }, 0, "b", LB_ERR},
      {&plain, [](CListBox& l) { return l.AddString("a"); }, 1, "b,a",
       LB_ERR},  // unsorted: at the end
      {&plain, [](CListBox& l) { return l.SetCurSel(1); }, 1, "b,a", 1},
      {&plain, [](CListBox& l) { return l.InsertString(0, "c"); }, 0, "c,b,a",
       2},  // the selection moves along
      {&plain, [](CListBox& l) { return l.InsertString(4, "x"); }, LB_ERR, "c,b,a", 2},
      {&plain, [](CListBox& l) { return l.SetCurSel(3); }, LB_ERR, "c,b,a", 2},
      {&plain, [](CListBox& l) { return l.DeleteString(0); }, 2, "b,a", 1},
      {&plain, [](CListBox& l) { return l.DeleteString(1); }, 1, "b",
       LB_ERR},  // the selected one goes
      {&plain, [](CListBox& l) { return l.DeleteString(1); }, LB_ERR, "b", LB_ERR},
      {&plain, [](CListBox& l) { return l.SetItemData(1, 7); }, LB_ERR, "b", LB_ERR},
      {&plain, [](CListBox& l) { return l.InsertString(-1, "d"); }, 1, "b,d", LB_ERR},
      {&plain, [](CListBox& l) { return l.SetCurSel(0); }, 0, "b,d", 0},
      {&plain, [](CListBox& l) { return l.SetCurSel(-1); }, LB_ERR, "b,d", LB_ERR},  // cleared
      {&sorted, [](CListBox& l) { return l.AddString("b"); }, 0, "b", LB_ERR},
      {&sorted, [](CListBox& l) { return l.AddString("A"); }, 0, "A,b",
       LB_ERR},  // ASCII case ignored
      {&sorted, [](CListBox& l) { return l.AddString("a"); }, 1, "A,a,b",
       LB_ERR},  // after its equal
      {&sorted, [](CListBox& l) { return l.InsertString(0, "z"); }, 0, "z,A,a,b",
       LB_ERR},  // never sorted
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(steps[i].operation(*steps[i].list), steps[i].result);
    EXPECT_EQ(Shown(*steps[i].list), std::pair(std::string(steps[i].items), steps[i].selection));
  }
  plain.ResetContent();
  EXPECT_EQ(Shown(plain), std::pair(std::string(), LB_ERR));
  EXPECT_EQ(plain.GetItemData(0), static_cast<DWORD_PTR>(LB_ERR));
}

TEST(ListBoxes, ObjectsLoseTheirControlWithTheDialog) {
  vext::ResourceScope resources(&kModule);
  CListBox member;
  auto dialog = std::make_unique<NameDialog>();
  ASSERT_TRUE(dialog->Create(100));
  ASSERT_TRUE(member.SubclassDlgItem(IDC_PLAIN, dialog.get()));
  EXPECT_EQ(member.m_hWnd, dialog->GetDlgItem(IDC_PLAIN)->m_hWnd);
  EXPECT_EQ(member.AddString("a"), 0);
  EXPECT_EQ(static_cast<CListBox*>(dialog->GetDlgItem(IDC_PLAIN))->GetCount(), 1);
  EXPECT_FALSE(member.SubclassDlgItem(IDC_PLAIN, dialog.get()));  // attached already
  dialog.reset();
  EXPECT_EQ(member.m_hWnd, nullptr);
  EXPECT_EQ(member.AddString("b"), LB_ERR);
  EXPECT_EQ(member.GetCount(), LB_ERR);
}

}  // namespace

// The wait dialog as the converter and the host programs use it: shown by
// its constructor, owner disabled only while shown and only if the dialog
// disabled it, closed by DestroyWindow, the destructor or message 1084
// posted from another thread.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <set>
#include <thread>

#include "VEXTMSG.h"
#include "platform/text/Sj.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace {

using vext::ui::ScriptedEvent;
using vext::ui::ScriptedUserInterface;

constexpr int kTextItem = 1017;
const char* const kInitialisedText = "しばらくお待ちください…"_sj;
const char* const kTemplateText = "しばらくお待ち下さい…"_sj;

// Opens the protected state to the tests.
class ProbedWaitDlg : public CWaitDlg {
 public:
  explicit ProbedWaitDlg(int argument = 0) : CWaitDlg(argument) {}
  int ClipId() const { return m_nClipId; }
  int OwnerDisabled() const { return m_bOwnerDisabled; }
  const CString& StoredText() const { return m_strText; }
  const CAnimateCtrl& Animation() const { return m_animate; }
  CString ShownText() const {
    CString text;
    GetDlgItemText(kTextItem, text);
    return text;
  }
  // How a later Create initialises the window.
  enum class Init { Own, BaseOnly, Nothing } init = Init::Own;

 protected:
  BOOL OnInitDialog() override {
    switch (init) {
      case Init::Own: return CWaitDlg::OnInitDialog();
      case Init::BaseOnly: return CDialog::OnInitDialog();  // NOLINT(bugprone-parent-virtual-call)
      case Init::Nothing: return TRUE;
    }
    return TRUE;
  }
};

class WaitDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<ScriptedUserInterface>();
    ui = scripted.get();
    saved = vext::ui::SetCurrent(std::move(scripted));
    vext::SetMainWindow(nullptr);
  }
  void TearDown() override {
    vext::SetMainWindow(nullptr);
    vext::ui::SetCurrent(std::move(saved));
  }
  std::vector<ScriptedEvent::Kind> Kinds() const {
    std::vector<ScriptedEvent::Kind> kinds;
    for (const ScriptedEvent& event : ui->Events()) kinds.push_back(event.kind);
    return kinds;
  }

  ScriptedUserInterface* ui = nullptr;
  std::shared_ptr<vext::ui::UserInterface> saved;
};

using Kind = ScriptedEvent::Kind;

TEST_F(WaitDlgTest, ClipIsOneOfThreeWhateverTheArgument) {
  const std::set<int> clips = {205, 207, 210};
  for (int round = 0; round < 20; ++round) {
    for (int argument : {INT_MIN, -1, 0, 1, 3, 205, INT_MAX}) {
      const std::time_t before = std::time(nullptr);
      ProbedWaitDlg first(argument);
      ProbedWaitDlg second(argument ^ 0x5a5a);
      EXPECT_TRUE(clips.count(first.ClipId())) << first.ClipId();
      EXPECT_EQ(first.Animation().ClipId(), static_cast<UINT>(first.ClipId()));
      // Seeded with the time alone: within one second the argument changes nothing.
      if (std::time(nullptr) == before) {
        EXPECT_EQ(first.ClipId(), second.ClipId());
      }
    }
  }
}

TEST_F(WaitDlgTest, ConstructionShowsTheDialogWithItsTextAndClip) {
  ProbedWaitDlg dialog(0);
  ASSERT_NE(dialog.m_hWnd, nullptr);
  EXPECT_TRUE(IsWindow(dialog.m_hWnd));
  EXPECT_TRUE(dialog.IsWindowVisible());
  EXPECT_EQ(dialog.ShownText(), CString(kInitialisedText));
  EXPECT_EQ(dialog.StoredText(), CString(kInitialisedText));
  EXPECT_TRUE(dialog.Animation().IsPlaying());
  EXPECT_EQ(dialog.Animation().GetDlgCtrlID(), 1007);

  const auto events = ui->Events();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, Kind::WaitShown);
  EXPECT_EQ(events[0].text, CString(kInitialisedText));
  EXPECT_EQ(events[0].clipId, dialog.ClipId());
}

TEST_F(WaitDlgTest, TemplateTextStandsUntilInitialisationReplacesIt) {
  ProbedWaitDlg dialog;
  dialog.DestroyWindow();
  dialog.init = ProbedWaitDlg::Init::Nothing;
  ASSERT_EQ(dialog.Create(nullptr), 1);
  EXPECT_EQ(dialog.ShownText(), CString(kTemplateText));
  EXPECT_TRUE(dialog.UpdateData(TRUE));
  EXPECT_EQ(dialog.StoredText(), CString(kTemplateText));
}

TEST_F(WaitDlgTest, SetTextRefreshesTheShownDialog) {
  ProbedWaitDlg dialog;
  dialog.SetText("データを変換しています…"_sj);
  EXPECT_EQ(dialog.ShownText(), CString("データを変換しています…"_sj));
  dialog.DestroyWindow();
  EXPECT_THAT(Kinds(), ::testing::ElementsAre(Kind::WaitShown, Kind::WaitText, Kind::WaitHidden));
  EXPECT_EQ(ui->Events()[1].text, CString("データを変換しています…"_sj));
}

TEST_F(WaitDlgTest, SetTextWithoutAWindowOnlyStoresIt) {
  ProbedWaitDlg dialog;
  EXPECT_TRUE(dialog.DestroyWindow());
  ui->ClearEvents();

  dialog.SetText("保存中"_sj);
  EXPECT_EQ(dialog.StoredText(), CString("保存中"_sj));
  EXPECT_EQ(dialog.ShownText(), CString());
  EXPECT_TRUE(ui->Events().empty());

  // The next data transfer shows it.
  dialog.init = ProbedWaitDlg::Init::BaseOnly;
  ASSERT_EQ(dialog.Create(nullptr), 1);
  EXPECT_EQ(dialog.ShownText(), CString("保存中"_sj));
}

TEST_F(WaitDlgTest, WithoutAnyOwnerNothingIsDisabledOrEnabled) {
  CWnd bystander;
  bystander.CreateEx(WS_VISIBLE);
  CWnd disabledBystander;
  disabledBystander.CreateEx(WS_VISIBLE | WS_DISABLED);
  {
    ProbedWaitDlg dialog(0);
    EXPECT_EQ(dialog.OwnerDisabled(), 0);
    EXPECT_EQ(dialog.GetParent(), nullptr);
    EXPECT_TRUE(dialog.DestroyWindow());
  }
  EXPECT_TRUE(bystander.IsWindowEnabled());
  EXPECT_FALSE(disabledBystander.IsWindowEnabled());
}

TEST_F(WaitDlgTest, MainWindowIsTheDefaultOwner) {
  CWnd mainWindow;
  mainWindow.CreateEx(WS_VISIBLE);
  vext::SetMainWindow(&mainWindow);
  ProbedWaitDlg dialog(0);
  EXPECT_EQ(dialog.GetParent(), &mainWindow);
  EXPECT_FALSE(mainWindow.IsWindowEnabled());
  EXPECT_EQ(dialog.OwnerDisabled(), 1);
  dialog.DestroyWindow();
  EXPECT_TRUE(mainWindow.IsWindowEnabled());
  EXPECT_EQ(dialog.OwnerDisabled(), 0);
}

TEST_F(WaitDlgTest, OwnerIsDisabledWhileShownAndEnabledOnClose) {
  CWnd owner;
  owner.CreateEx(WS_VISIBLE);
  ProbedWaitDlg dialog;
  dialog.DestroyWindow();

  ASSERT_EQ(dialog.Create(&owner), 1);
  EXPECT_FALSE(owner.IsWindowEnabled());
  EXPECT_TRUE(dialog.IsWindowVisible());
  EXPECT_TRUE(dialog.DestroyWindow());
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_FALSE(dialog.IsWindowVisible());
  EXPECT_FALSE(dialog.Animation().IsPlaying());
  EXPECT_FALSE(dialog.DestroyWindow());  // nothing left to destroy
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(WaitDlgTest, OwnerDisabledBeforeStaysDisabledAfter) {
  CWnd owner;
  owner.CreateEx(WS_VISIBLE | WS_DISABLED);
  ProbedWaitDlg dialog;
  dialog.DestroyWindow();

  ASSERT_EQ(dialog.Create(&owner), 1);
  EXPECT_EQ(dialog.OwnerDisabled(), 0);
  dialog.DestroyWindow();
  EXPECT_FALSE(owner.IsWindowEnabled());
}

TEST_F(WaitDlgTest, CreatingAgainWhileShownChangesNothing) {
  CWnd first, second;
  first.CreateEx(WS_VISIBLE);
  second.CreateEx(WS_VISIBLE);
  ProbedWaitDlg dialog;
  dialog.DestroyWindow();
  ASSERT_EQ(dialog.Create(&first), 1);
  const HWND shown = dialog.m_hWnd;

  EXPECT_EQ(dialog.Create(&second), 0);
  EXPECT_EQ(dialog.m_hWnd, shown);
  EXPECT_TRUE(second.IsWindowEnabled());
  dialog.DestroyWindow();
  EXPECT_TRUE(first.IsWindowEnabled());  // the first owner is not forgotten
}

TEST_F(WaitDlgTest, OwnerGoneBeforeTheDialogCloses) {
  auto owner = std::make_unique<CWnd>();
  owner->CreateEx(WS_VISIBLE);
  ProbedWaitDlg dialog;
  dialog.DestroyWindow();
  ASSERT_EQ(dialog.Create(owner.get()), 1);
  owner.reset();
  EXPECT_TRUE(dialog.DestroyWindow());  // does not reach the dead owner
  EXPECT_EQ(dialog.OwnerDisabled(), 0);
}

TEST_F(WaitDlgTest, MessagePostedFromAnotherThreadClosesTheDialog) {
  CWnd owner;
  owner.CreateEx(WS_VISIBLE);
  ProbedWaitDlg dialog;
  dialog.DestroyWindow();
  ASSERT_EQ(dialog.Create(&owner), 1);
  const HWND handle = dialog.m_hWnd;
  ui->ClearEvents();

  EXPECT_EQ(WM_USER_ENDINFODLG, 1084u);
  std::thread([handle] { EXPECT_TRUE(PostMessage(handle, 1084, 0, 0)); }).join();
  EXPECT_TRUE(dialog.IsWindowVisible());  // nothing happens until the owner thread pumps

  EXPECT_EQ(vext::PumpMessages(), 1);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_THAT(Kinds(), ::testing::ElementsAre(Kind::WaitHidden));

  // A late second post finds no window.
  std::thread([handle] { EXPECT_FALSE(PostMessage(handle, 1084, 0, 0)); }).join();
  EXPECT_EQ(vext::PumpMessages(), 0);
}

TEST_F(WaitDlgTest, DestructorClosesAStillOpenDialogOnce) {
  CWnd owner;
  owner.CreateEx(WS_VISIBLE);
  vext::SetMainWindow(&owner);
  HWND handle;
  {
    ProbedWaitDlg dialog;
    handle = dialog.m_hWnd;
    EXPECT_FALSE(owner.IsWindowEnabled());
  }
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_TRUE(owner.IsWindowEnabled());
  {
    ProbedWaitDlg dialog;
    dialog.DestroyWindow();
  }
  EXPECT_THAT(Kinds(), ::testing::ElementsAre(Kind::WaitShown, Kind::WaitHidden, Kind::WaitShown,
                                              Kind::WaitHidden));
}

}  // namespace

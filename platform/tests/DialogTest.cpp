// The dialog model driven as users drive it: scripts of actions through the
// scripted interface (in process and from the environment, as a process
// test would), and the console showing a dialog and reading actions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "SampleDialog.h"
#include "UiTestSupport.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/ui/InputMethod.h"
#include "platform/ui/detail/ConsoleUserInterface.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAreArray;
using vext::ui::ScriptedDialogStep;
using vext::ui::ScriptedEvent;
using vext::ui::ScriptedUserInterface;

// Each entry as "<text>#<data>", in list order.
std::vector<CString> Listed(const std::vector<vext::ListItem>& entries) {
  std::vector<CString> listed;
  for (const vext::ListItem& entry : entries) {
    CString data;
    data.Format("#%zu", static_cast<std::size_t>(entry.data));
    listed.push_back(entry.text + data);
  }
  return listed;
}

// The sample dialog opened on `entries` (data 1, 2... in the given order).
class SampleRun {
 public:
  explicit SampleRun(const std::vector<const char*>& entries) {
    for (const char* text : entries)
      dialog.m_entries.push_back({CString(text), dialog.m_entries.size() + 1});
  }
  INT_PTR Run() {
    vext::ResourceScope resources(SampleResources());
    return dialog.DoModal();
  }
  CSampleDlg dialog;
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { saved = vext::ui::SetCurrent(ui); }
  void TearDown() override { vext::ui::SetCurrent(saved); }
  std::vector<ScriptedEvent> Modals() const {
    std::vector<ScriptedEvent> modals;
    for (const ScriptedEvent& event : ui->Events())
      if (event.kind == ScriptedEvent::Kind::Modal) modals.push_back(event);
    return modals;
  }

  std::shared_ptr<ScriptedUserInterface> ui = std::make_shared<ScriptedUserInterface>();
  std::shared_ptr<vext::ui::UserInterface> saved;
};

// ---------------------------------------------------------------------------

TEST_F(DialogTest, ScriptsOfActions) {
  struct Row {
    const char* name;
    std::vector<const char*> entries;  // listed at opening
    std::vector<std::string> script;
    std::vector<std::string> nested;  // the script of a dialog the first one opens
    INT_PTR result;
    std::vector<const char*> listed;  // the dialog's entries afterwards
    std::string outcomes;             // of each step after the dialog was shown
    int copy = BST_UNCHECKED;
  };
  const Row rows[] = {
      {"OK stays disabled while the list is empty; the run-out script cancels",
       {},
       {"ok"},
       {},
       IDCANCEL,
       {},
       "disabled,auto:cancel"},
      {"a name typed and added, then OK",
       {},
       {U8(u8"text:1001:山田"), "click:1002", "ok"},
       {},
       IDOK,
       {"山田\t様#100"_sj},
       "done,done,done"},
      {"the sorted list places the new entry; the second honorific",
       {"鈴木\t様"_sj},
       {"check:1006", "text:1001:Abe", "click:1002", "ok"},
       {},
       IDOK,
       {"Abe\t殿#100"_sj, "鈴木\t様#1"_sj},
       "done,done,done,done"},
      {"the selected entry is removed",
       {"b\t様"_sj, "a\t様"_sj},
       {"select:1003:0", "click:1004", "ok"},
       {},
       IDOK,
       {"b\t様#1"_sj},
       "done,done,done"},
      {"a double click takes the entry back into the field",
       {"a\t様"_sj},
       {"dblclick:1003:0", "ok", "text:1001:A", "click:1002", "ok"},
       {},
       IDOK,
       {"A\t様#100"_sj},
       "done,disabled,done,done,done"},
      {"what the user cannot do is refused and changes nothing",
       {"a\t様"_sj},
       {"click:1002", "select:1003:1", "click:9999", "text:1003:x", "check:1004", "dblclick:1003",
        "cancel"},
       {},
       IDCANCEL,
       {"a\t様#1"_sj},
       "disabled,no-item,no-control,wrong-kind,wrong-kind,bad,done"},
      {"the run-out script presses the enabled default button; later actions find it ended",
       {"a\t様"_sj},
       {"default", "click:1004"},
       {},
       IDOK,
       {"a\t様#1"_sj},
       "done,ended"},
      {"a click toggles a check box, check leaves it checked",
       {"a\t様"_sj},
       {"click:1007", "check:1007", "ok"},
       {},
       IDOK,
       {"a\t様#1"_sj},
       "done,done,done",
       BST_CHECKED},
      {"a dialog opened by a handler takes the next script",
       {"a\t様"_sj},
       {"click:1008", "ok"},
       {U8(u8"text:1001:髙橋①"), "click:1002", "ok"},
       IDOK,
       {"a\t様#1"_sj, "髙橋①\t様#100"_sj},
       "done,done"},
      {"a single-line field keeps the first line typed",
       {},
       {U8(u8"text:1001:上\n下"), "click:1002", "ok"},
       {},
       IDOK,
       {"上\t様#100"_sj},
       "done,done,done"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ui->ClearEvents();
    ui->QueueDialog(row.script);
    if (!row.nested.empty()) ui->QueueDialog(row.nested);
    SampleRun run(row.entries);

    EXPECT_EQ(run.Run(), row.result);
    EXPECT_THAT(Listed(run.dialog.m_entries),
                ElementsAreArray(std::vector<CString>(row.listed.begin(), row.listed.end())));
    EXPECT_EQ(run.dialog.m_copy, row.copy);
    const std::vector<ScriptedEvent> modals = Modals();
    ASSERT_FALSE(modals.empty());
    std::string outcomes;
    for (std::size_t i = 1; i < modals[0].steps.size(); ++i) {
      const ScriptedDialogStep& step = modals[0].steps[i];
      outcomes += (outcomes.empty() ? "" : ",") +
                  std::string(i > row.script.size() ? "auto:" : "") +
                  (i > row.script.size() ? step.action
                   : step.understood     ? vext::RefusalName(step.refusal)
                                         : "bad");
    }
    EXPECT_EQ(outcomes, row.outcomes);
    EXPECT_EQ(modals[0].result, row.result);
    EXPECT_EQ(run.dialog.m_hWnd, nullptr);  // the window is gone after DoModal
  }
}

TEST_F(DialogTest, RecordsWhatTheDialogShowedAfterEachStep) {
  ui->QueueDialog({U8(u8"text:1001:山田"), "click:1002"});
  SampleRun run({});
  EXPECT_EQ(run.Run(), IDOK);  // the script ran out: Enter on the enabled OK

  const std::vector<ScriptedEvent> modals = Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].text, CString("宛先の登録"_sj));
  const auto& steps = modals[0].steps;
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[3].action, "default");
  const auto enabled = [](const vext::DialogState& state, int id) {
    return state.Find(id)->enabled;
  };
  // As shown: the focus in the name field, nothing to add, remove or confirm.
  EXPECT_EQ(steps[0].state.window.text, CString("宛先の登録"_sj));
  EXPECT_EQ(steps[0].state.focus, IDC_NAME);
  EXPECT_FALSE(enabled(steps[0].state, IDC_ADD));
  EXPECT_FALSE(enabled(steps[0].state, IDOK));
  EXPECT_EQ(steps[0].state.Find(IDC_SAMA)->check, BST_CHECKED);
  // Typing enables 追加; adding lists the entry selected and clears the field.
  EXPECT_TRUE(enabled(steps[1].state, IDC_ADD));
  const vext::WindowState& list = *steps[2].state.Find(IDC_LIST);
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_EQ(list.items[0].text, CString("山田\t様"_sj));
  EXPECT_EQ(list.items[0].data, 100u);
  EXPECT_EQ(list.selection, 0);
  EXPECT_EQ(steps[2].state.Find(IDC_NAME)->text, CString());
  EXPECT_FALSE(enabled(steps[2].state, IDC_ADD));
  EXPECT_TRUE(enabled(steps[2].state, IDC_REMOVE));
  EXPECT_TRUE(enabled(steps[2].state, IDOK));
  EXPECT_EQ(steps[2].state.focus, IDC_ADD);

  // The name field opened the input method on getting the focus (keeping
  // the other mode bits) and closed it when the click took the focus away.
  std::vector<std::tuple<int, bool, UINT>> requests;
  for (const ScriptedEvent& event : ui->Events())
    if (event.kind == ScriptedEvent::Kind::InputMethod)
      requests.emplace_back(event.clipId, event.begin, event.type);
  const UINT japanese = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
  EXPECT_THAT(requests, ::testing::ElementsAre(std::tuple(IDC_NAME, false, japanese),
                                               std::tuple(IDC_NAME, true, japanese),
                                               std::tuple(IDC_NAME, false, japanese)));
}

TEST_F(DialogTest, OwnerIsDisabledWhileANestedDialogRuns) {
  bool ownerEnabledMeanwhile = true;
  ui->QueueDialog({"click:1008", "cancel"});
  ui->QueueDialogUser([&](CDialog& nested) {
    ownerEnabledMeanwhile = nested.GetParent()->IsWindowEnabled();
    // Actions for the owner are refused while it waits.
    vext::DialogAction click{vext::DialogAction::Kind::Click, IDC_MORE, 0, {}};
    EXPECT_EQ(vext::PerformDialogAction(*static_cast<CDialog*>(nested.GetParent()), click),
              vext::ActionRefusal::Ended);
  });
  SampleRun run({"a\t様"_sj});
  EXPECT_EQ(run.Run(), IDCANCEL);
  EXPECT_FALSE(ownerEnabledMeanwhile);
  // The nested script did not end its dialog: Enter on a disabled OK
  // cannot, so it was cancelled.
  const std::vector<ScriptedEvent> modals = Modals();
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_EQ(modals[1].steps.back().action, "cancel");
}

// What an implementation would redraw, in order.
class ChangeRecorder : public vext::DialogObserver {
 public:
  void DialogChanged(const vext::DialogModel&, const vext::WindowState& window,
                     vext::DialogChange what) override {
    changes.emplace_back(window.id, what);
  }
  std::vector<std::pair<int, vext::DialogChange>> changes;
};

TEST_F(DialogTest, AnObserverHearsOfEveryChangeAsItHappens) {
  using Change = vext::DialogChange;
  using ::testing::Pair;
  ChangeRecorder recorder;
  ui->QueueDialogUser([&recorder](CDialog& dialog) {
    dialog.Model()->SetObserver(&recorder);
    const auto perform = [&dialog](const std::string& action) {
      return vext::PerformDialogAction(dialog, *vext::ParseDialogAction(action));
    };
    EXPECT_EQ(perform("text:1001:x"), vext::ActionRefusal::None);
    EXPECT_THAT(recorder.changes, ::testing::ElementsAre(Pair(IDC_NAME, Change::Text),
                                                         Pair(IDC_ADD, Change::Enabled)));
    recorder.changes.clear();
    // The click moves the focus first; then the handler's changes, each at once.
    EXPECT_EQ(perform("click:1002"), vext::ActionRefusal::None);
    EXPECT_THAT(
        recorder.changes,
        ::testing::ElementsAre(Pair(IDC_ADD, Change::Focus), Pair(IDC_LIST, Change::Items),
                               Pair(IDC_LIST, Change::Selection), Pair(IDC_NAME, Change::Text),
                               Pair(IDC_ADD, Change::Enabled), Pair(IDC_REMOVE, Change::Enabled),
                               Pair(IDOK, Change::Enabled)));
    recorder.changes.clear();
    EXPECT_EQ(perform("ok"), vext::ActionRefusal::None);
  });
  SampleRun run({});
  EXPECT_EQ(run.Run(), IDOK);
  // Ended while the window was still there, then told that it goes.
  EXPECT_THAT(recorder.changes,
              ::testing::ElementsAre(Pair(IDOK, Change::Focus), Pair(0, Change::Ended),
                                     Pair(0, Change::Destroyed)));
}

TEST_F(DialogTest, ProcessScriptsADialogThroughTheEnvironment) {
  const std::string log = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                          "/vext-dialog-log-" + std::to_string(getpid());
  std::remove(log.c_str());
  setenv("VEXT_UI_LOG", log.c_str(), 1);
  // A comma and a semicolon typed, escaped; a message box answer after the dialog.
  setenv("VEXT_UI_ANSWERS", U8(u8"dialog:text:1001:a\\,b\\;①;click:1002;ok,no").c_str(), 1);
  std::shared_ptr<ScriptedUserInterface> fromEnvironment = ScriptedUserInterface::FromEnvironment();
  unsetenv("VEXT_UI_LOG");
  unsetenv("VEXT_UI_ANSWERS");
  vext::ui::SetCurrent(fromEnvironment);

  SampleRun run({});
  EXPECT_EQ(run.Run(), IDOK);
  EXPECT_THAT(Listed(run.dialog.m_entries), ::testing::ElementsAre(CString("a,b;①\t様#100"_sj)));
  EXPECT_EQ(AfxMessageBox("よろしいですか？"_sj, MB_YESNO), IDNO);

  std::ifstream in(log);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::remove(log.c_str());
  std::vector<std::string> flow;  // the dialog's course, without its controls
  for (const std::string& line : lines)
    if (!line.starts_with("control\t") && !line.starts_with("item\t")) flow.push_back(line);
  EXPECT_THAT(
      flow, ::testing::ElementsAre(
                "input-method\t1001\tclosed\t00000009", "input-method\t1001\topen\t00000009",
                U8(u8"modal\t宛先の登録"), "action\ttext:1001:a,b;" + U8(u8"①\tdone"),
                "input-method\t1001\tclosed\t00000009", "action\tclick:1002\tdone",
                "action\tok\tdone", "modal-end\t1", "message\t0004\t" + U8(u8"よろしいですか？")));
  // As shown, then as it ended: OK pressed, the focus on it.
  EXPECT_THAT(lines, Contains("control\t1001\tedit\tfocus\t"));
  EXPECT_THAT(lines, Contains(U8(u8"control\t1002\tbutton\tdisabled\t追加")));
  EXPECT_THAT(lines, Contains("control\t1\tdefault-button\tfocus\tOK"));
  EXPECT_THAT(lines, Contains(U8(u8"item\t1003\t0\t100\t*\ta,b;①\\t様")));
  EXPECT_THAT(lines, Contains(U8(u8"control\t1005\tradio\tchecked\t様")));
}

// ---------------------------------------------------------------------------
// The console: a dialog as text, worked from the terminal or by Enter.

TEST(ConsoleDialog, ShownAsTextAndEndedByTheDefaultButtonWithoutATerminal) {
  std::FILE* in = std::fopen("/dev/null", "r");
  std::FILE* out = std::tmpfile();
  ASSERT_TRUE(in && out);
  auto saved = vext::ui::SetCurrent(std::make_shared<vext::ui::ConsoleUserInterface>(in, out));
  SampleRun run({"髙橋①\t様"_sj, "Abe\t殿"_sj});
  EXPECT_EQ(run.Run(), IDOK);
  vext::ui::SetCurrent(saved);
  EXPECT_EQ(ReadAll(out), U8(u8"[ダイアログ] 宛先の登録\n"
                             u8"  名前を入力して［追加］を押してください。\n"
                             u8"  1001: 入力欄「」\n"
                             u8"  1002: [追加]（無効）\n"
                             u8"  1003: 一覧\n"
                             u8"    > 0  Abe    殿\n"
                             u8"      1  髙橋① 様\n"
                             u8"  1004: [削除]\n"
                             u8"  1008: [ほかの宛先…]\n"
                             u8"  -- 敬称 --\n"
                             u8"  1005: (*) 様\n"
                             u8"  1006: ( ) 殿\n"
                             u8"  1007: [ ] 控えを印刷する\n"
                             u8"  1: [OK]（既定）\n"
                             u8"  2: [ｷｬﾝｾﾙ]\n"
                             u8"  -> [OK]（標準入力が端末でないため既定のボタン）\n"));
  std::fclose(in);
  std::fclose(out);
}

TEST(ConsoleDialog, ActionsTypedOnTheTerminal) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  std::FILE* terminal = std::fopen(ptsname(master), "r+");
  std::FILE* out = std::tmpfile();
  ASSERT_TRUE(terminal && out);
  // Refused, not an action, then typed, added and confirmed by Enter.
  const std::string typed = "click:1002\nhello\n" + U8(u8"text:1001:山田\n") + "click:1002\n\n";
  ASSERT_EQ(write(master, typed.data(), typed.size()), ssize_t(typed.size()));
  auto saved =
      vext::ui::SetCurrent(std::make_shared<vext::ui::ConsoleUserInterface>(terminal, out));
  SampleRun run({});
  EXPECT_EQ(run.Run(), IDOK);
  vext::ui::SetCurrent(saved);
  EXPECT_THAT(Listed(run.dialog.m_entries), ::testing::ElementsAre(CString("山田\t様#100"_sj)));
  const std::string shown = ReadAll(out);
  EXPECT_NE(shown.find(U8(u8"  そのコントロールは無効です。\n")), std::string::npos) << shown;
  EXPECT_NE(shown.find(U8(u8"  操作: click:番号")), std::string::npos) << shown;
  // The tab stop was set for the list as it opened, empty: one column.
  EXPECT_NE(shown.find(U8(u8"    > 0  山田 様\n")), std::string::npos) << shown;
  std::fclose(out);
  std::fclose(terminal);
  close(master);
}

}  // namespace

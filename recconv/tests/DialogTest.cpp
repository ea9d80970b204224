// The four dialogs driven by the user's actions through their edge cases:
// list texts and item data, enabled buttons, and what is stored when.
#include <gtest/gtest.h>

#include "CnvInItemDlg.h"
#include "CnvListDlg.h"
#include "CnvOutOrderDlg.h"
#include "CnvTitleDlg.h"
#include "RecConvTestSupport.h"
#include "platform/text/Sj.h"
#include "platform/ui/InputMethod.h"

namespace {

using namespace recconv_test;
using vext::ActionRefusal;

constexpr UINT kForm = 40;

ActionRefusal Act(CDialog& dialog, const std::string& action) {
  const auto parsed = vext::ParseDialogAction(action);
  if (!parsed) throw std::logic_error("not an action: " + action);
  return vext::PerformDialogAction(dialog, *parsed);
}
const vext::WindowState& Control(const CDialog& dialog, int id) {
  return *dialog.Model()->State().Find(id);
}
std::vector<std::string> ListItems(const CDialog& dialog, int id) {
  return Items(Control(dialog, id));
}
bool Enabled(const CDialog& dialog, int id) { return Control(dialog, id).enabled; }

// A form whose shown fields are 1, 2 and 5: 3 is a label, 4's name starts
// with '@' and 450 is beyond the orders the dialogs offer.
class Dialogs : public ::testing::Test {
 protected:
  Dialogs() {
    suite.MakeFormat(FormJson(kForm, 1,
                              {{1, "日付"_sj},
                               {2, "お届け先"_sj},
                               {3, "見出し"_sj, 0},
                               {4, "@internal"},
                               {5, "備考"_sj},
                               {450, "far"}}));
    doc = Suite::NewDoc(kForm);
    Fill(*doc, 0, {{1, "2024/04/01"}, {2, "㈱髙橋"_sj}, {5, "a\tb"}});
  }
  std::unique_ptr<CUserCnvData> Settings(BOOL batch = FALSE) {
    return std::make_unique<CUserCnvData>(kForm, doc.get(), "x", batch);
  }
  bool Stored() const { return std::filesystem::exists(suite.SettingsFile(kForm)); }
  std::unique_ptr<CUserCnvData> Reload() { return Settings(); }

  Suite suite;
  std::unique_ptr<CNVextDoc> doc;
  // The first record: a date, a name with trailing blanks, an address whose
  // 30th byte starts a double-byte character.
  const std::vector<CString> preview = {"2024/04/01", "㈱髙橋商店  "_sj,
                                        "7東京都千代田区丸の内一丁目一番地"_sj};
};

TEST_F(Dialogs, ItemDialogAssociatesAndReleasesColumns) {
  auto settings = Settings();
  suite.ui->QueueDialogUser([](CDialog& dlg) {
    EXPECT_EQ(ListItems(dlg, 1011),
              (std::vector<std::string>{"001 2024/04/01|1", "002 ㈱髙橋商店|2"_sj,
                                        "003 7東京都千代田区丸の内一丁目一|3"_sj}));
    EXPECT_EQ(ListItems(dlg, 1010),
              (std::vector<std::string>{"日付\t|1"_sj, "お届け先\t|2"_sj, "備考\t|5"_sj}));
    EXPECT_FALSE(Control(dlg, 1010).tabStops.empty());
    EXPECT_TRUE(Enabled(dlg, 1017));
    for (int id : {1019, 1014, IDOK}) EXPECT_FALSE(Enabled(dlg, id)) << id;
    EXPECT_EQ(Act(dlg, "ok"), ActionRefusal::Disabled);

    // Column 3 to the second field.
    Act(dlg, "select:1011:2");
    Act(dlg, "select:1010:1");
    EXPECT_EQ(Act(dlg, "click:1017"), ActionRefusal::None);
    EXPECT_EQ(ListItems(dlg, 1010)[1], "お届け先\t003 7東京都千代田区丸の内一丁目一|196610"_sj);
    EXPECT_EQ(ListItems(dlg, 1011).size(), 2u);
    EXPECT_EQ(Control(dlg, 1010).selection, 0);  // the first field without a column
    for (int id : {1014, IDOK}) EXPECT_TRUE(Enabled(dlg, id)) << id;

    // Released: its column goes to the end of the left list.
    Act(dlg, "select:1010:1");
    EXPECT_FALSE(Enabled(dlg, 1017));
    EXPECT_EQ(Act(dlg, "click:1019"), ActionRefusal::None);
    EXPECT_EQ(ListItems(dlg, 1010)[1], "お届け先\t|2"_sj);
    EXPECT_EQ(ListItems(dlg, 1011).back(), "003 7東京都千代田区丸の内一丁目一|3"_sj);

    // Double clicks: a column onto the selected field, then the field back.
    Act(dlg, "select:1010:2");
    Act(dlg, "dblclick:1011:1");
    EXPECT_EQ(ListItems(dlg, 1010)[2], "備考\t002 ㈱髙橋商店|131077"_sj);
    Act(dlg, "dblclick:1010:2");
    EXPECT_EQ(ListItems(dlg, 1010)[2], "備考\t|5"_sj);
    Act(dlg, "dblclick:1010:0");  // a field without a column takes the selected one
    EXPECT_EQ(ListItems(dlg, 1010)[0], "日付\t001 2024/04/01|65537"_sj);
    EXPECT_EQ(Act(dlg, "ok"), ActionRefusal::None);
  });
  CCnvInItemDlg dialog(*settings, preview, TRUE);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  // OK rebuilt the definition the dialog showed and put it first; nothing stored.
  EXPECT_EQ(settings->importDefs.front().get(), dialog.Current());
  EXPECT_EQ(dialog.Current()->orderList, (std::vector<DWORD>{1}));
  EXPECT_EQ(dialog.Current()->columnList, (std::vector<DWORD>{1}));
  EXPECT_FALSE(Stored());
}

TEST_F(Dialogs, ItemDialogStoresOnSaveAndOpenAndReadsWithWhatItShowed) {
  auto settings = Settings();
  suite.ui->QueueDialogUser([](CDialog& dlg) {
    Act(dlg, "select:1010:1");
    Act(dlg, "dblclick:1011:2");
    Act(dlg, "click:1021");  // saved as "A123": stored, current and first
    EXPECT_EQ(Act(dlg, "cancel"), ActionRefusal::None);
  });
  suite.ui->QueueDialog({"text:1001:A123", "ok"});
  CCnvInItemDlg saving(*settings, preview, FALSE);
  EXPECT_EQ(saving.DoModal(), IDCANCEL);
  auto stored = Reload();
  ASSERT_EQ(stored->importDefs.size(), 2u);
  const CCnvDefData& a123 = *stored->importDefs.front();
  EXPECT_EQ(a123.title, "A123");
  EXPECT_EQ(a123.quoted, 0);  // the layout of the file being read
  EXPECT_EQ(a123.orderList, (std::vector<DWORD>{2}));
  EXPECT_EQ(a123.columnList, (std::vector<DWORD>{3}));

  // With A123 first, the dialog opens on the last definition (the default);
  // what the user confirms is what the reading uses, A123 stays stored.
  suite.ui->QueueDialog({"select:1010:0", "dblclick:1011:0", "ok"});
  CCnvInItemDlg confirming(*stored, preview, TRUE);
  ASSERT_EQ(confirming.DoModal(), IDOK);
  EXPECT_EQ(stored->importDefs.front()->title, "消してください"_sj);
  EXPECT_EQ(stored->importDefs.front()->columnList, (std::vector<DWORD>{1}));

  // "開く"_sj: A123 chosen and shown; its deletion elsewhere leaves the dialog working.
  suite.ui->QueueDialogUser([](CDialog& dlg) {
    Act(dlg, "click:1020");
    EXPECT_EQ(ListItems(dlg, 1010)[1], "お届け先\t003 7東京都千代田区丸の内一丁目一|196610"_sj);
    Act(dlg, "click:1020");
    EXPECT_EQ(ListItems(dlg, 1010)[1], "お届け先\t|2"_sj);
    Act(dlg, "cancel");
  });
  suite.ui->QueueDialog({"select:1009:0", "ok"});
  suite.ui->QueueDialog({"select:1009:0", "click:4", "cancel"});
  suite.ui->QueueAnswer(IDOK);
  auto settings3 = Reload();
  CCnvInItemDlg opening(*settings3, preview, TRUE);
  EXPECT_EQ(opening.DoModal(), IDCANCEL);
  EXPECT_EQ(Messages(suite.ui).back(), "「A123」を削除してよろしいですか？"_sj);
  EXPECT_EQ(Reload()->importDefs.size(), 1u);  // the deletion was stored by "開く"_sj
}

TEST_F(Dialogs, OrderDialogMovesFieldsAndChoosesTheLayout) {
  auto settings = Settings();
  suite.ui->QueueDialogUser([](CDialog& dlg) {
    EXPECT_EQ(ListItems(dlg, 1011),
              (std::vector<std::string>{"日付\t2024/04/01|1"_sj, "お届け先\t㈱髙橋|2"_sj,
                                        "備考\ta b|5"_sj}));
    EXPECT_TRUE(ListItems(dlg, 1010).empty());
    EXPECT_EQ(Control(dlg, 1004).check, BST_CHECKED);
    for (int id : {1012, 1000}) EXPECT_TRUE(Enabled(dlg, id)) << id;
    for (int id : {1013, 1014, IDOK}) EXPECT_FALSE(Enabled(dlg, id)) << id;

    Act(dlg, "select:1011:1");
    Act(dlg, "click:1012");
    EXPECT_EQ(Control(dlg, 1011).selection, 1);  // the same position, now 備考
    EXPECT_EQ(dlg.Model()->State().focus, 1011);
    Act(dlg, "dblclick:1011:1");
    EXPECT_EQ(Control(dlg, 1011).selection, 0);  // the last one went: the one before
    EXPECT_EQ(ListItems(dlg, 1010),
              (std::vector<std::string>{"お届け先\t㈱髙橋|2"_sj, "備考\ta b|5"_sj}));
    Act(dlg, "dblclick:1010:0");
    EXPECT_EQ(ListItems(dlg, 1011).back(), "お届け先\t㈱髙橋|2"_sj);
    Act(dlg, "click:1000");
    EXPECT_TRUE(ListItems(dlg, 1011).empty());
    EXPECT_FALSE(Enabled(dlg, 1012));

    Act(dlg, "click:1004");
    EXPECT_EQ(Control(dlg, 1004).check, BST_CHECKED);  // clicked while on: still quoted
    Act(dlg, "click:1005");
    Act(dlg, "ok");
  });
  CCnvOutOrderDlg dialog(*settings, doc.get());
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.Current(), settings->exportDefs.front().get());
  EXPECT_EQ(dialog.Current()->orderList, (std::vector<DWORD>{5, 1, 2}));
  EXPECT_EQ(dialog.Current()->quoted, 0);
  EXPECT_FALSE(Stored());
}

TEST_F(Dialogs, OrderDialogSavesOnlyAChosenOrder) {
  auto settings = Settings();
  suite.ui->QueueDialogUser([this](CDialog& dlg) {
    Act(dlg, "click:1021");  // a title, but nothing chosen: nothing stored
    EXPECT_FALSE(Stored());
    Act(dlg, "dblclick:1011:2");
    Act(dlg, "click:1021");
    EXPECT_TRUE(Stored());
    Act(dlg, "cancel");
  });
  suite.ui->QueueDialog({"text:1001:only", "ok"});
  suite.ui->QueueDialog({"text:1001:memo", "ok"});
  CCnvOutOrderDlg dialog(*settings, nullptr);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  auto stored = Reload();
  ASSERT_EQ(stored->exportDefs.size(), 2u);
  EXPECT_EQ(stored->exportDefs[0]->title, "memo");
  EXPECT_EQ(stored->exportDefs[0]->orderList, (std::vector<DWORD>{5}));
  EXPECT_EQ(stored->exportDefs[0]->kind, CCnvDefData::kWriting);
}

TEST_F(Dialogs, ListDialogHidesDefaultsAndDeletesOnlyUserDefinitions) {
  CnvDefList defs;
  for (const char* title : {"b", "消してください"_sj, "A", "c"}) {
    defs.push_back(std::make_unique<CCnvDefData>(CCnvDefData::kWriting, 1, title));
    defs.back()->builtIn = defs.back()->title == "c" ? 1 : 0;
  }
  const CCnvDefData* b = defs[0].get();
  suite.ui->QueueAnswer(IDCANCEL);
  suite.ui->QueueAnswer(IDOK);
  suite.ui->QueueDialogUser([&defs](CDialog& dlg) {
    EXPECT_EQ(dlg.Model()->State().window.text, "書き出し順登録データ一覧"_sj);
    const std::vector<std::string> titles = ListItems(dlg, 1009);
    ASSERT_EQ(titles.size(), 3u);  // sorted, the default left out
    EXPECT_EQ(titles[0].substr(0, 2) + titles[1].substr(0, 2) + titles[2].substr(0, 2), "A|b|c|");
    EXPECT_FALSE(Enabled(dlg, IDOK));
    EXPECT_FALSE(Enabled(dlg, 4));
    Act(dlg, "select:1009:2");  // "c", built in
    EXPECT_TRUE(Enabled(dlg, IDOK));
    EXPECT_FALSE(Enabled(dlg, 4));
    Act(dlg, "select:1009:0");
    Act(dlg, "click:4");  // answered Cancel: kept
    EXPECT_EQ(ListItems(dlg, 1009).size(), 3u);
    Act(dlg, "click:4");  // answered OK: gone
    EXPECT_EQ(ListItems(dlg, 1009).size(), 2u);
    EXPECT_EQ(defs.size(), 3u);
    Act(dlg, "select:1009:0");
    Act(dlg, "ok");
  });
  CCnvListDlg dialog(defs, TRUE);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(defs.front().get(), b);  // the choice moved to the front
  EXPECT_EQ(Messages(suite.ui),
            (std::vector<std::string>(2, "「A」を削除してよろしいですか？"_sj)));
}

TEST_F(Dialogs, TitleDialogEnablesOkAtTheFirstChangeAndAsksForHiragana) {
  suite.ui->QueueDialogUser([](CDialog& dlg) {
    EXPECT_EQ(dlg.Model()->State().window.text, "読み込み順の保存"_sj);
    EXPECT_EQ(dlg.Model()->State().focus, 1001);
    EXPECT_EQ(Act(dlg, "ok"), ActionRefusal::Disabled);
    Act(dlg, "text:1001:x");
    Act(dlg, "text:1001:");
    EXPECT_TRUE(Enabled(dlg, IDOK));
    EXPECT_EQ(Act(dlg, "ok"), ActionRefusal::None);
  });
  CCnvTitleDlg dialog(FALSE);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_title, "");
  // Opened in full-width hiragana while the field had the focus, closed after.
  std::vector<std::pair<bool, DWORD>> requests;
  for (const auto& event : suite.ui->Events())
    if (event.kind == vext::ui::ScriptedEvent::Kind::InputMethod)
      requests.emplace_back(event.begin, event.type);
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.front().first, true);
  EXPECT_NE(std::find(requests.begin(), requests.end(),
                      std::pair<bool, DWORD>(true, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE)),
            requests.end());
  EXPECT_EQ(requests.back().first, false);
}

}  // namespace

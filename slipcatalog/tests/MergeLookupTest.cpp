// The merged view of the catalogue and the downloads, and the lookups.
#include <string>

#include "CatalogTestSupport.h"

namespace slipcatalog::testing {
namespace {

class MergeLookupTest : public CatalogTest {
 protected:
  // SlipCatalog.dat: 伝票/納品書/3枚複写 2001, 2002 and 宛名印刷's label
  // forms; Original.dat: two pick-up categories; Custom.dat: 6001.
  void WriteCatalogue() {
    TestCatalogue writer;
    CShoBunrui* delivery = AddPath(writer.mainList, "伝票"_sj, "納品書"_sj, "3枚複写"_sj);
    CLayoutInfo* note = AddLayout(delivery, 2001, "2001");
    note->renzoku = 1;
    note->formGenre = 3;
    note->excelName = "n.xls";
    note->taiouPaper = "A4";
    AddLayout(delivery, 2002, "2002");
    CDaiBunrui* atena = AddMajor(writer.mainList, "宛名印刷"_sj);
    AddLayout(AddMinor(AddMiddle(atena, "シール"_sj), "12"), 1001, "1001");
    AddLayout(AddMinor(AddMiddle(atena, "封筒"_sj), "3"), 1201, "1201");
    AddLayout(AddMinor(AddMiddle(atena, "その他"_sj), "x"), 1301, "1301");
    AddLayout(AddPath(writer.mainList, "伝票2"_sj, "シール"_sj, "x"), 1401, "1401");
    AddLayout(AddPath(writer.mainList, "M", "C", "S"), 40005, "40005 catalogue");

    CShoBunrui* own = AddMinor(writer.pickUpList, "own");
    AddLayout(own, 40001, "40001 first")->motoLayoutId = 0;
    AddLayout(own, 40005, "40005 pick-up");
    AddLayout(own, 3001, "3001 pick-up");
    CShoBunrui* more = AddMinor(writer.pickUpList, "more");
    AddLayout(more, 40001, "40001 second")->motoLayoutId = 2001;
    AddLayout(AddPath(writer.customList, "custom", "c", "s"), 6001, "6001");
    ASSERT_TRUE(writer.WriteMotoData() && writer.WritePickUp() && writer.WriteCustom());
  }
};

TEST_F(MergeLookupTest, DownloadsReplaceInPlaceAppendAndStayOutWhenUnmatched) {
  WriteCatalogue();
  {
    CSlipCatalog writer;
    CShoBunrui* delivery = AddPath(writer.downloadList, "伝票"_sj, "納品書"_sj, "3枚複写"_sj);
    AddLayout(delivery, 2002, "2002 downloaded")->version = 0;
    AddLayout(delivery, 2003, "2003 downloaded");
    AddLayout(AddPath(writer.downloadList, "伝票"_sj, "請求書"_sj, "単票"_sj), 2101, "2101");
    AddLayout(AddPath(writer.downloadList, "季節"_sj, "年賀状"_sj, "はがき"_sj), 5001, "5001");
    ASSERT_EQ(writer.WriteDownLoad(), 1);
  }
  const std::string main = Bytes("SlipCatalog.dat");
  TestCatalogue catalogue;
  ASSERT_EQ(catalogue.ReadMain(), 1);

  ASSERT_EQ(catalogue.catalogView.GetSize(), catalogue.mainList.GetSize());
  for (int i = 0; i < catalogue.mainList.GetSize(); ++i)
    EXPECT_EQ(catalogue.catalogView.GetAt(i), catalogue.mainList.GetAt(i));
  const CDaiBunrui* slips = catalogue.mainList.GetAt(0);
  EXPECT_EQ(Names(slips->childList), (std::vector{S("納品書"_sj), S("請求書"_sj)}));
  const CShoBunrui* delivery = slips->childList.GetAt(0)->childList.GetAt(0);
  EXPECT_EQ(Ids(delivery->childList), (std::vector<LONG>{2001, 2002, 2003}));
  EXPECT_EQ(delivery->childList.GetAt(1)->title, "2002 downloaded");
  EXPECT_EQ(delivery->childList.GetAt(1)->version, 1u);  // the record's own version stays

  // Left in the download list: the unmatched category, and the matched one
  // that had a middle category moved over, holding its own copy of it.
  EXPECT_EQ(Names(catalogue.downloadList), (std::vector{S("伝票"_sj), S("季節"_sj)}));
  const CChuBunrui* kept = catalogue.downloadList.GetAt(0)->childList.GetAt(0);
  EXPECT_NE(kept, slips->childList.GetAt(1));
  EXPECT_EQ(kept->name, slips->childList.GetAt(1)->name);
  EXPECT_EQ(catalogue.GetLayoutInfo(5001), nullptr);
  EXPECT_NE(catalogue.GetLayoutInfo(2101), nullptr);

  EXPECT_EQ(catalogue.WriteMotoData(), 0);
  EXPECT_EQ(TakeMessages(), std::vector{S("メインデータを作成できません"_sj)});
  EXPECT_EQ(Bytes("SlipCatalog.dat"), main);
}

TEST_F(MergeLookupTest, AFullyMergedDownloadListLetsTheMainDataBeWritten) {
  WriteCatalogue();
  {
    CSlipCatalog writer;
    AddLayout(AddPath(writer.downloadList, "伝票"_sj, "納品書"_sj, "3枚複写"_sj), 2003, "2003");
    ASSERT_EQ(writer.WriteDownLoad(), 1);
  }
  TestCatalogue catalogue;
  ASSERT_EQ(catalogue.ReadMain(), 1);
  EXPECT_TRUE(catalogue.downloadList.IsEmpty());
  ASSERT_EQ(catalogue.WriteMotoData(), 1);
  fs::remove(Data() / "DownLoad.dat");
  ASSERT_EQ(catalogue.ReadMain(), 1);  // no DownLoad.dat: the view is the main list
  EXPECT_EQ(Ids(catalogue.mainList.GetAt(0)->childList.GetAt(0)->childList.GetAt(0)->childList),
            (std::vector<LONG>{2001, 2002, 2003}));
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(MergeLookupTest, LookupsByIdentifier) {
  WriteCatalogue();
  struct Case {
    LONG id;
    const char* title;  // nullptr: not found
  };
  const Case cases[] = {
      {2001, "2001"},           {6001, "6001"},  // custom forms after the view
      {40001, "40001 first"},                    // pick-up forms, first match
      {40005, "40005 pick-up"},                  // from 40000 on the pick-up forms come first
      {3001, nullptr},                           // below 40000 they are never searched
      {9999, nullptr},
  };
  CSlipCatalog catalogue;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const CLayoutInfo* layout = catalogue.GetLayoutInfo(c.id);
    EXPECT_EQ(layout ? layout->title.str() : "(none)", c.title ? c.title : "(none)");
    EXPECT_STREQ(catalogue.GetLayoutTitle(c.id), c.title ? c.title : "");
  }
  EXPECT_EQ(catalogue.IsRenzoku(2001), 1);
  EXPECT_EQ(catalogue.GetFormGenre(2001), 3);
  EXPECT_STREQ(catalogue.GetExcelName(2001), "n.xls");
  EXPECT_EQ(catalogue.bExistTaiouPaper(2001), 1);
  EXPECT_EQ(catalogue.bExistTaiouPaper(2002), 0);
  EXPECT_EQ(catalogue.IsRenzoku(9999), -1);
  EXPECT_EQ(catalogue.GetFormGenre(9999), -1);
  EXPECT_STREQ(catalogue.GetLayoutTitle(9999), "");
  EXPECT_STREQ(catalogue.GetExcelName(9999), "");
  EXPECT_EQ(catalogue.bExistTaiouPaper(9999), 0);

  for (const auto& [id, expected] :
       {std::pair{1001, 1}, {1201, 1}, {1301, 0}, {1401, 0}, {2001, 0}})
    EXPECT_EQ(catalogue.IsAtenaTack(id), expected) << id;
  EXPECT_EQ(catalogue.GetMotoLayoutID(40001), 2001);  // the first non-zero, category by category
  EXPECT_EQ(catalogue.GetMotoLayoutID(40005), 0);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(MergeLookupTest, PickUpCategoriesAndCustomLayouts) {
  WriteCatalogue();
  CSlipCatalog catalogue;
  CStringArray names;
  ASSERT_EQ(catalogue.GetPickUpBunrui(names), 1);
  EXPECT_EQ(names.GetSize(), 2);
  EXPECT_STREQ(names[1], "more");
  CStringArray titles;
  CDWordArray ids;
  ASSERT_EQ(catalogue.GetPickUpForm(0, titles, ids), 1);
  EXPECT_EQ(ids.items(), (std::vector<DWORD>{40001, 40005, 3001}));
  EXPECT_STREQ(titles[2], "3001 pick-up");
  EXPECT_EQ(catalogue.GetPickUpForm(2, titles, ids), 0);
  EXPECT_TRUE(titles.IsEmpty() && ids.IsEmpty());

  std::unique_ptr<CLayoutInfoArray> custom(catalogue.GetAllCustomLayout());
  ASSERT_TRUE(custom);
  EXPECT_EQ(Ids(*custom), std::vector<LONG>{6001});
  fs::remove(Data() / "Custom.dat");
  EXPECT_EQ(catalogue.GetAllCustomLayout(), nullptr);
}

TEST_F(MergeLookupTest, MissingOrUnreadableFiles) {
  WriteCatalogue();
  fs::remove(Data() / "Original.dat");
  CSlipCatalog catalogue;
  EXPECT_NE(catalogue.GetLayoutInfo(2001), nullptr);  // Original.dat is not needed
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(catalogue.GetLayoutInfo(40001), nullptr);
  EXPECT_EQ(TakeMessages(), std::vector{S("オリジナルフォームデータファイルがありません"_sj)});
  fs::create_directory(Data() / "Original.dat");  // there, but cannot be opened: no message
  EXPECT_EQ(catalogue.ReadPickUp(), 0);
  EXPECT_TRUE(TakeMessages().empty());

  fs::rename(Data() / "SlipCatalog.dat", Data() / "away.dat");
  EXPECT_EQ(catalogue.GetLayoutInfo(2001), nullptr);
  EXPECT_EQ(TakeMessages(), std::vector{S("メインデータファイルがありません。"_sj)});
  fs::create_directory(Data() / "SlipCatalog.dat");
  EXPECT_EQ(catalogue.IsAtenaTack(1001), 0);
  EXPECT_EQ(TakeMessages(), std::vector{S("メインデータファイルを開けません。"_sj)});
  EXPECT_EQ(catalogue.WriteMotoData(), 0);  // nothing read: nothing to write
  EXPECT_EQ(TakeMessages(), std::vector{S("メインデータを作成できません"_sj)});
}

}  // namespace
}  // namespace slipcatalog::testing

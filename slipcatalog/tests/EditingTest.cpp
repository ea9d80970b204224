// The editing operations: pick-up forms and their linked copies, the
// recent, custom and downloaded lists.
#include <sys/stat.h>

#include <functional>
#include <string>

#include "CatalogFileReader.h"
#include "CatalogTestSupport.h"
#include "platform/fs/File.h"

namespace slipcatalog::testing {
namespace {

const CLayoutInfo* EntryLayoutOf(const CDaiBunrui* entry) {
  return entry->childList.GetAt(0)->childList.GetAt(0)->childList.GetAt(0);
}

std::vector<LONG> RecentKeys(const CDaiBunruiArray& entries) {
  std::vector<LONG> keys;
  for (const CDaiBunrui* entry : entries) keys.push_back(EntryLayoutOf(entry)->layoutId);
  return keys;
}

// A rewrite replaces the file, so a new inode shows that it happened.
ino_t Inode(const fs::path& file) {
  struct stat status {};
  return stat(file.c_str(), &status) == 0 ? status.st_ino : 0;
}

class EditingTest : public CatalogTest {
 protected:
  // SlipCatalog.dat holds 2101; Original.dat the pick-up categories A and
  // B, A holding 40001 made from 2101.
  void WriteCatalogue() {
    CSlipCatalog writer;
    CLayoutInfo* source =
        AddLayout(AddPath(writer.mainList, "伝票"_sj, "請求書"_sj, "単票"_sj), 2101, "2101");
    source->excelName = "s.xls";
    source->formGenre = 3;
    source->taiouPaper = "A4";
    CLayoutInfo* own = AddLayout(AddMinor(writer.pickUpList, "A"), 40001, "own");
    own->motoLayoutId = 2101;
    own->extraText1 = "keep";
    AddMinor(writer.pickUpList, "B");
    ASSERT_TRUE(writer.WriteMotoData() && writer.WritePickUp());
  }

  CSlipCatalog catalogue;
};

TEST_F(EditingTest, RecentListKeepsFifteenMostRecentFirst) {
  CLayoutInfo layout;
  layout.title = "t";
  for (LONG id = 1; id <= 16; ++id) {
    layout.layoutId = id;
    ASSERT_EQ(catalogue.SetRecent(&layout), 1);
  }
  TestCatalogue reader;
  ASSERT_EQ(reader.ReadRecent(), 1);
  EXPECT_EQ(RecentKeys(reader.recentList),
            (std::vector<LONG>{16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
  const CDaiBunrui* entry = reader.recentList.GetAt(0);
  EXPECT_EQ(entry->name, "ﾋﾟｯｸｱｯﾌﾟ"_sj);
  EXPECT_EQ(entry->childList.GetAt(0)->name, "");
  EXPECT_EQ(entry->childList.GetAt(0)->childList.GetAt(0)->name, "");
  EXPECT_EQ(EntryLayoutOf(entry)->title, "t");

  layout.layoutId = 10;  // already there: moves to the front, nothing added
  ASSERT_EQ(catalogue.SetRecent(&layout), 1);
  ASSERT_EQ(reader.ReadRecent(), 1);
  EXPECT_EQ(RecentKeys(reader.recentList),
            (std::vector<LONG>{10, 16, 15, 14, 13, 12, 11, 9, 8, 7, 6, 5, 4, 3, 2}));
  // The layout of one of the list's own entries (14), which the read replaces.
  ASSERT_EQ(reader.SetRecent(const_cast<CLayoutInfo*>(EntryLayoutOf(reader.recentList.GetAt(3)))),
            1);
  // Then 16 to the front, and away.

  const std::string before = Bytes("Recent.dat");
  EXPECT_EQ(catalogue.ResetRecent(15), 0);
  EXPECT_EQ(catalogue.ResetRecent(-1), 0);
  EXPECT_EQ(catalogue.DelRecent(99), 0);
  EXPECT_EQ(Bytes("Recent.dat"), before);
  ASSERT_EQ(catalogue.ResetRecent(2), 1);
  ASSERT_EQ(catalogue.DelRecent(16), 1);
  ASSERT_EQ(reader.ReadRecent(), 1);
  EXPECT_EQ(RecentKeys(reader.recentList),
            (std::vector<LONG>{14, 10, 15, 13, 12, 11, 9, 8, 7, 6, 5, 4, 3, 2}));

  // A longer file, from elsewhere, is trimmed by the next change.
  for (LONG id = 100; id < 106; ++id) AddLayout(AddPath(reader.recentList, "r", "", ""), id, "");
  ASSERT_EQ(reader.WriteRecent(), 1);
  layout.layoutId = 105;
  ASSERT_EQ(catalogue.SetRecent(&layout), 1);
  ASSERT_EQ(reader.ReadRecent(), 1);
  EXPECT_EQ(reader.recentList.GetSize(), 15);
  EXPECT_EQ(RecentKeys(reader.recentList).front(), 105);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(EditingTest, AnEntryBecomesTheCataloguesOnlyOnSuccess) {
  auto entry = [](LONG id) {
    auto major = std::make_unique<CDaiBunrui>();
    AddLayout(AddMinor(AddMiddle(major.get(), ""), ""), id, "given");
    return major;
  };
  ASSERT_EQ(catalogue.SetRecent(entry(1).release()), 1);  // kept
  ASSERT_EQ(catalogue.SetRecent(entry(1).release()), 1);  // destroyed: 1 is there
  auto empty = std::make_unique<CDaiBunrui>();
  EXPECT_EQ(catalogue.SetRecent(empty.get()), 0);  // no layout: still ours

  WriteBytes("Recent.dat", "\x01");
  auto refused = entry(2);
  EXPECT_EQ(catalogue.SetRecent(refused.get()), 0);
  EXPECT_EQ(TakeMessages(), std::vector{S("ファイル操作中にエラーが起こりました。"_sj)});
  EXPECT_EQ(Bytes("Recent.dat"), "\x01");

  auto custom = entry(3);
  WriteBytes("Custom.dat", "\x01");
  EXPECT_EQ(catalogue.SetCustom(custom.get()), 0);
  EXPECT_EQ(Names(custom->childList), std::vector<std::string>{""});  // untouched
  CDaiBunruiArray downloads;
  downloads.Add(entry(4).release());
  WriteBytes("DownLoad.dat", "\x01");
  EXPECT_EQ(catalogue.SetDownLoad(downloads), 0);
  ASSERT_EQ(downloads.GetSize(), 1);  // still ours
  delete downloads.GetAt(0);
}

TEST_F(EditingTest, NoOperationWritesBackAListItCouldNotRead) {
  using Operation = std::function<int(CSlipCatalog&)>;
  CLayoutInfo layout;
  layout.layoutId = 7;
  const std::pair<const char*, Operation> operations[] = {
      {"Recent.dat", [&](CSlipCatalog& c) { return c.SetRecent(&layout); }},
      {"Recent.dat", [](CSlipCatalog& c) { return c.ResetRecent(0); }},
      {"Recent.dat", [](CSlipCatalog& c) { return c.DelRecent(7); }},
      {"Custom.dat", [](CSlipCatalog& c) { return c.DelCustom(7); }},
      {"DownLoad.dat", [](CSlipCatalog& c) { return c.DelDownLoad(7); }},
      {"Original.dat", [](CSlipCatalog& c) { return c.DelPickUp(40001); }},
  };
  for (const bool unopenable : {false, true}) {
    for (const auto& [file, operation] : operations) {
      SCOPED_TRACE(std::string(file) + (unopenable ? " (a folder)" : " (not an archive)"));
      fs::remove_all(Data() / file);
      if (unopenable)
        fs::create_directories(Data() / file / "inside");
      else
        WriteBytes(file, std::string("\x05\x00\xFF\xFF", 4));
      EXPECT_EQ(operation(catalogue), 0);
      if (unopenable)
        EXPECT_TRUE(fs::exists(Data() / file / "inside"));
      else
        EXPECT_EQ(Bytes(file), std::string("\x05\x00\xFF\xFF", 4));
    }
  }
}

TEST_F(EditingTest, PickUpFormsRegisteredMovedAndRemoved) {
  WriteCatalogue();
  // Made from a catalogue layout: its fields, then the five of the form.
  ASSERT_EQ(catalogue.SetPickUp("new", 2101, 40002, 1, "C:\\forms\\40002.fmt", 0, 0, 0), 1);
  ASSERT_EQ(catalogue.ReadPickUp(), 1);
  const CLayoutInfo* made = catalogue.pickUpList.GetAt(1)->childList.GetAt(0);
  EXPECT_EQ(made->title, "new");
  EXPECT_EQ(made->layoutId, 40002);
  EXPECT_EQ(made->motoLayoutId, 2101);
  EXPECT_EQ(made->isPickUp, 1);
  EXPECT_EQ(made->fileName, "40002.fmt");
  EXPECT_EQ(made->excelName, "s.xls");
  EXPECT_EQ(made->formGenre, 3);

  // The same identifiers: only the five fields change; another position
  // moves the form to the end of that category.
  ASSERT_EQ(catalogue.SetPickUp("renamed", 40001, 40001, 1, "plain.fmt", 0, 0, 0), 1);
  ASSERT_EQ(catalogue.ReadPickUp(), 1);
  EXPECT_TRUE(catalogue.pickUpList.GetAt(0)->childList.IsEmpty());
  EXPECT_EQ(Ids(catalogue.pickUpList.GetAt(1)->childList), (std::vector<LONG>{40002, 40001}));
  const CLayoutInfo* moved = catalogue.pickUpList.GetAt(1)->childList.GetAt(1);
  EXPECT_EQ(moved->title, "renamed");
  EXPECT_EQ(moved->fileName, "plain.fmt");
  EXPECT_EQ(moved->extraText1, "keep");
  EXPECT_EQ(moved->motoLayoutId, 40001);

  // A source found nowhere: initial values but for the five.
  ASSERT_EQ(catalogue.SetPickUp("orphan", 7777, 40003, 0, "", 0, 0, 0), 1);
  ASSERT_EQ(catalogue.ReadPickUp(), 1);
  const CLayoutInfo* orphan = catalogue.pickUpList.GetAt(0)->childList.GetAt(0);
  EXPECT_EQ(orphan->motoLayoutId, 7777);
  EXPECT_EQ(orphan->excelName, "");
  EXPECT_EQ(orphan->taiouPaper, "");

  const std::string before = Bytes("Original.dat");
  EXPECT_EQ(catalogue.SetPickUp("x", 2101, 40004, 2, "", 0, 0, 0), 0);  // no category 2
  EXPECT_EQ(Bytes("Original.dat"), before);

  CLayoutInfo recent;
  recent.layoutId = 40002;
  ASSERT_EQ(catalogue.SetRecent(&recent), 1);
  ASSERT_EQ(catalogue.DelPickUp(40002), 1);
  EXPECT_EQ(catalogue.GetLayoutInfo(40002), nullptr);
  TestCatalogue reader;
  ASSERT_EQ(reader.ReadRecent(), 1);
  EXPECT_TRUE(reader.recentList.IsEmpty());
  EXPECT_EQ(catalogue.DelPickUp(40002), 0);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(EditingTest, CopiesInTheLinkedProductsFiles) {
  WriteCatalogue();
  registry.Add(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\ShiteiV]\n"
      "\"DenRen\"=dword:00000001\n\"OkuriRen\"=dword:00000001\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DiduveV]\n\"Ver\"=dword:00000262\n"
      "\"InstalledDataDir\"=\"C:\\\\Sorenta\\\\Den\"\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DadudivV]\n\"Ver\"=dword:00000300\n"
      "\"InstalledDataDir\"=\"C:\\\\Sorenta\\\\Oku\"\n");
  fs::create_directories(Data("Den"));
  fs::create_directories(Data("Oku"));
  const auto linked = [&](const char* product) {
    CObArray records;
    CString reason;
    EXPECT_EQ(
        ReadCatalogFile(
            CString(
                ("C:\\Sorenta\\" + std::string(product) + "\\Data\\MyData\\Original.dat").c_str()),
            records, reason),
        1);
    std::vector<std::unique_ptr<CLayoutInfo>> layouts;
    for (CObject* record : records.items())
      layouts.emplace_back(dynamic_cast<CLayoutInfo*>(record));
    return layouts;
  };

  // Registering with both flags: the slip product's file is made, the
  // waybill product's copy has the genre.
  ASSERT_EQ(catalogue.SetPickUp("own", 2101, 40002, 0, "", 1, 1, 1), 1);
  auto den = linked("Den");
  ASSERT_EQ(den.size(), 1u);
  EXPECT_EQ(den[0]->layoutId, 40002);
  EXPECT_EQ(den[0]->linkFlag, 1);
  EXPECT_EQ(den[0]->formGenre, 3);
  auto oku = linked("Oku");
  ASSERT_EQ(oku.size(), 1u);
  EXPECT_EQ(oku[0]->formGenre, 2);

  // Again for the same identifier: replaced, not added; a record of that
  // identifier without the link flag is not the copy.
  CLayoutInfo record;
  record.layoutId = 40002;
  record.title = "again";
  record.formGenre = 5;
  ASSERT_EQ(catalogue.SetOkuPickUp(&record, 0), 1);
  oku = linked("Oku");
  ASSERT_EQ(oku.size(), 1u);
  EXPECT_EQ(oku[0]->title, "again");
  EXPECT_EQ(oku[0]->formGenre, 0);
  EXPECT_EQ(record.formGenre, 5);  // the caller's record is left as it was
  EXPECT_EQ(record.linkFlag, 0);
  {
    CLayoutInfo unlinked;
    unlinked.layoutId = 40002;
    unlinked.title = "unlinked";
    CFile file((Data("Den") / "Original.dat").c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar.WriteCount(1);
    ar.WriteObject(&unlinked);
    ar.Close();
    file.Close();
  }
  ASSERT_EQ(catalogue.SetDenPickUp(&record), 1);
  ASSERT_EQ(catalogue.SetDenPickUp(&record), 1);
  den = linked("Den");
  ASSERT_EQ(den.size(), 2u);
  EXPECT_EQ(den[0]->title, "unlinked");
  EXPECT_EQ(den[1]->title, "again");

  const std::string corrupt("\x01\x00\xFF\xFF\x01\x00\x03\x00XYZ", 11);
  std::ofstream(Data("Den") / "Original.dat", std::ios::binary | std::ios::trunc) << corrupt;
  EXPECT_EQ(catalogue.SetDenPickUp(&record), 0);
  EXPECT_EQ(
      TakeMessages(),
      std::vector{S(
          "伝票印刷オリジナルフォームのデータファイルを読むことができません。\nファイルのバージョンが違う可能性があります。"_sj)});
  EXPECT_EQ(ReadBytes(Data("Den") / "Original.dat"), corrupt);

  registry.Add(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DadudivV]\n\"Ver\"=dword:00000261\n");
  EXPECT_EQ(catalogue.SetOkuPickUp(&record, 1), 0);  // link off: no copy, no message
  EXPECT_EQ(linked("Oku")[0]->formGenre, 0);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(EditingTest, FormGenresRefreshedFromTheSourceLayouts) {
  WriteCatalogue();
  CDWordArray ids;
  ids.Add(40001);
  ids.Add(49999);
  ASSERT_EQ(catalogue.UpdateFormGenre(ids, 1), 1);
  EXPECT_EQ(catalogue.GetFormGenre(40001), 3);
  EXPECT_STREQ(catalogue.GetExcelName(40001), "s.xls");
  ASSERT_EQ(catalogue.UpdateFormGenre(ids, 0), 1);
  EXPECT_EQ(catalogue.GetFormGenre(40001), 0);
  EXPECT_STREQ(catalogue.GetExcelName(40001), "s.xls");
  const ino_t before = Inode(Data() / "Original.dat");
  ids.RemoveAll();
  ASSERT_EQ(catalogue.UpdateFormGenre(ids, 1), 1);
  EXPECT_NE(Inode(Data() / "Original.dat"), before);  // written all the same
}

TEST_F(EditingTest, CustomFormsMergedAndPruned) {
  auto entry = [](const char* major, const char* middle, LONG id) {
    auto record = std::make_unique<CDaiBunrui>();
    record->name = major;
    AddLayout(AddMinor(AddMiddle(record.get(), middle), "s"), id, "");
    return record.release();
  };
  ASSERT_EQ(catalogue.SetCustom(entry("custom", "c", 6001)), 1);
  ASSERT_EQ(catalogue.SetCustom(entry("custom", "c", 6002)), 1);  // merged down to the layouts
  ASSERT_EQ(catalogue.SetCustom(entry("custom", "d", 6003)), 1);  // a new middle category
  ASSERT_EQ(catalogue.SetCustom(entry("other", "e", 6101)), 1);
  TestCatalogue reader;
  ASSERT_EQ(reader.ReadCustom(), 1);
  EXPECT_EQ(Names(reader.customList), (std::vector<std::string>{"custom", "other"}));
  EXPECT_EQ(Names(reader.customList.GetAt(0)->childList), (std::vector<std::string>{"c", "d"}));
  EXPECT_EQ(Ids(reader.customList.GetAt(0)->childList.GetAt(0)->childList.GetAt(0)->childList),
            (std::vector<LONG>{6001, 6002}));

  ASSERT_EQ(catalogue.DelCustom(6003), 1);  // its minor and middle categories go with it
  ASSERT_EQ(catalogue.DelCustom(6101), 1);  // and its major category too
  const ino_t before = Inode(Data() / "Custom.dat");
  ASSERT_EQ(catalogue.DelCustom(1234), 1);  // nothing matched: written all the same
  EXPECT_NE(Inode(Data() / "Custom.dat"), before);
  ASSERT_EQ(reader.ReadCustom(), 1);
  EXPECT_EQ(Names(reader.customList), std::vector<std::string>{"custom"});
  EXPECT_EQ(Names(reader.customList.GetAt(0)->childList), std::vector<std::string>{"c"});
}

TEST_F(EditingTest, DownloadsMergedAndRemovedKeepingCategories) {
  CDaiBunruiArray given;
  for (const char* name : {"g1", "g2"}) {
    CDaiBunrui* major = AddMajor(given, name);
    AddLayout(AddMinor(AddMiddle(major, "m"), "s"), name[1] == '1' ? 1 : 2, "old");
  }
  ASSERT_EQ(catalogue.SetDownLoad(given), 1);  // an empty list: both appended
  EXPECT_TRUE(given.IsEmpty());
  AddLayout(AddMinor(AddMiddle(AddMajor(given, "g1"), "m"), "s"), 1, "new");
  ASSERT_EQ(catalogue.SetDownLoad(given), 1);
  TestCatalogue reader;
  ASSERT_EQ(reader.ReadDownLoad(), 1);
  EXPECT_EQ(Names(reader.downloadList), (std::vector<std::string>{"g1", "g2"}));
  const CShoBunrui* minor = reader.downloadList.GetAt(0)->childList.GetAt(0)->childList.GetAt(0);
  EXPECT_EQ(Ids(minor->childList), std::vector<LONG>{1});
  EXPECT_EQ(minor->childList.GetAt(0)->title, "new");

  ASSERT_EQ(catalogue.DelDownLoad(1), 1);
  EXPECT_EQ(catalogue.DelDownLoad(1), 0);
  ASSERT_EQ(reader.ReadDownLoad(), 1);
  EXPECT_EQ(
      reader.downloadList.GetAt(0)->childList.GetAt(0)->childList.GetAt(0)->childList.GetSize(), 0);
}

}  // namespace
}  // namespace slipcatalog::testing

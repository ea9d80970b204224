// The catalogue files byte for byte: what the catalogue writes, what it
// reads back, and what it refuses.
#include <cstdint>
#include <memory>
#include <string>

#include "CatalogTestSupport.h"

namespace slipcatalog::testing {
namespace {

// Expected file content, spelt out in the archive's terms.
struct Expect {
  std::string bytes;
  Expect& W(std::uint16_t v) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>(v >> 8);
    return *this;
  }
  Expect& D(std::uint32_t v) { return W(v & 0xFFFF).W(v >> 16); }
  Expect& Raw(const std::string& raw) {
    bytes += raw;
    return *this;
  }
  Expect& Str(const std::string& text) {  // texts below 255 bytes
    bytes += static_cast<char>(text.size());
    return Raw(text);
  }
  Expect& NewClass(const std::string& name) { return W(0xFFFF).W(1).W(name.size()).Raw(name); }
};

// The catalogue's smallest entry: a major category "ﾋﾟｯｸｱｯﾌﾟ", a middle
// and a minor category without names, and one layout.
CLayoutInfo* AddEntry(CDaiBunruiArray& list, LONG layoutId) {
  return AddLayout(AddPath(list, "ﾋﾟｯｸｱｯﾌﾟ"_sj, "", ""), layoutId, "A");
}

TEST_F(CatalogTest, WorkedExampleThenClassReferencesAcrossLevelsAndEntries) {
  CSlipCatalog catalogue;
  CLayoutInfo* first = AddEntry(catalogue.recentList, 1001);
  first->motoLayoutId = 2;
  first->taiouPaper = "P";
  first->extraText1 = "x1";
  first->fileName = "f.fmt";
  first->extraText2 = "x2";
  first->isPickUp = 1;
  first->excelName = "e.xls";
  first->renzoku = 1;
  first->formGenre = 2;
  first->linkFlag = 1;
  first->extraText3 = "x3";
  AddEntry(catalogue.recentList, 1002);
  ASSERT_EQ(catalogue.WriteRecent(), 1);

  Expect expected;
  expected.W(2)
      .NewClass("CDaiBunrui")
      .D(1)
      .Str("ﾋﾟｯｸｱｯﾌﾟ"_sj)
      .W(1)
      .NewClass("CChuBunrui")
      .D(1)
      .Str("")
      .W(1)
      .NewClass("CShoBunrui")
      .D(1)
      .Str("")
      .W(1)
      .NewClass("CLayoutInfo")
      .D(1)
      .Str("A")
      .D(1001)
      .D(2)
      .Str("P")
      .Str("x1")
      .Str("f.fmt")
      .Str("x2")
      .D(1)
      .Str("e.xls")
      .D(1)
      .D(2)
      .D(1)
      .Str("x3")
      // The second entry: every class by the number it took in the first.
      .W(0x8001)
      .D(1)
      .Str("ﾋﾟｯｸｱｯﾌﾟ"_sj)
      .W(1)
      .W(0x8003)
      .D(1)
      .Str("")
      .W(1)
      .W(0x8005)
      .D(1)
      .Str("")
      .W(1)
      .W(0x8007)
      .D(1)
      .Str("A")
      .D(1002)
      .D(0)
      .Str("")
      .Str("")
      .Str("")
      .Str("")
      .D(0)
      .Str("")
      .D(0)
      .D(0)
      .D(0)
      .Str("");
  EXPECT_EQ(Bytes("Recent.dat"), expected.bytes);

  TestCatalogue reader;
  ASSERT_EQ(reader.ReadRecent(), 1);
  ASSERT_EQ(reader.recentList.GetSize(), 2);
  const CLayoutInfo* read =
      reader.recentList.GetAt(0)->childList.GetAt(0)->childList.GetAt(0)->childList.GetAt(0);
  EXPECT_EQ(read->extraText2, "x2");
  EXPECT_EQ(read->formGenre, 2);
  ASSERT_EQ(reader.WriteRecent(), 1);
  EXPECT_EQ(Bytes("Recent.dat"), expected.bytes);
}

TEST_F(CatalogTest, NameLengthAndListCountPrefixes) {
  struct Case {
    int nameLength;
    int layouts;
    std::string prefixes;  // the name's length, then the layout count
  };
  const Case cases[] = {
      {254, 0, Expect().Raw("\xFE").Raw(std::string(254, 'n')).W(0).bytes},
      {255, 0, Expect().Raw("\xFF").W(255).Raw(std::string(255, 'n')).W(0).bytes},
      {0, 65534, Expect().Str("").W(0xFFFE).bytes},
      {0, 65535, Expect().Str("").W(0xFFFF).D(65535).bytes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.nameLength) + " / " + std::to_string(c.layouts));
    const std::string name(static_cast<std::size_t>(c.nameLength), 'n');
    {
      CSlipCatalog writer;
      CShoBunrui* minor = AddMinor(writer.pickUpList, name.c_str());
      for (int i = 0; i < c.layouts; ++i) AddLayout(minor, i, "");
      ASSERT_EQ(writer.WritePickUp(), 1);
    }
    const std::string written = Bytes("Original.dat");
    const std::string head = Expect().W(1).NewClass("CShoBunrui").D(1).bytes;
    EXPECT_EQ(written.substr(0, head.size() + c.prefixes.size()), head + c.prefixes);

    CSlipCatalog reader;
    ASSERT_EQ(reader.ReadPickUp(), 1);
    EXPECT_EQ(reader.pickUpList.GetAt(0)->name, name.c_str());
    EXPECT_EQ(reader.pickUpList.GetAt(0)->childList.GetSize(), c.layouts);
    ASSERT_EQ(reader.WritePickUp(), 1);
    EXPECT_TRUE(Bytes("Original.dat") == written);
  }
}

TEST_F(CatalogTest, LaterVersionsKeepOnlyTheirVersionAndVersionZeroLoadsInFull) {
  // A pick-up file: a minor category with a version 0 and a version 2
  // layout, then a version 2 minor category.
  const std::string file = Expect()
                               .W(2)
                               .NewClass("CShoBunrui")
                               .D(1)
                               .Str("S")
                               .W(2)
                               .NewClass("CLayoutInfo")
                               .D(0)
                               .Str("zero")
                               .D(7)
                               .D(8)
                               .Str("P")
                               .Str("")
                               .Str("z.fmt")
                               .Str("")
                               .D(1)
                               .Str("")
                               .D(1)
                               .D(3)
                               .D(0)
                               .Str("t3")
                               .W(0x8003)
                               .D(2)
                               .W(0x8001)
                               .D(2)
                               .bytes;
  WriteBytes("Original.dat", file);
  CSlipCatalog catalogue;
  ASSERT_EQ(catalogue.ReadPickUp(), 1);
  const CShoBunrui* minor = catalogue.pickUpList.GetAt(0);
  ASSERT_EQ(minor->childList.GetSize(), 2);
  const CLayoutInfo* zero = minor->childList.GetAt(0);
  EXPECT_EQ(zero->version, 0u);
  EXPECT_EQ(zero->title, "zero");
  EXPECT_EQ(zero->formGenre, 3);
  EXPECT_EQ(zero->extraText3, "t3");
  const CLayoutInfo* two = minor->childList.GetAt(1);
  EXPECT_EQ(two->version, 2u);
  EXPECT_EQ(two->title, "");
  EXPECT_EQ(two->layoutId, 0);
  EXPECT_EQ(catalogue.pickUpList.GetAt(1)->version, 2u);
  EXPECT_EQ(catalogue.pickUpList.GetAt(1)->name, "");

  ASSERT_EQ(catalogue.WritePickUp(), 1);
  EXPECT_EQ(Bytes("Original.dat"), file);
}

TEST_F(CatalogTest, FilesThatAreNotCatalogueListsFailWithTheMessage) {
  const std::string good = Expect().W(1).NewClass("CShoBunrui").D(1).Str("S").W(0).bytes;
  const std::string cases[] = {
      good.substr(0, good.size() - 1),                                // cut short
      Expect().W(1).NewClass("CShoBunruX").D(1).Str("S").W(0).bytes,  // unknown class
      Expect().W(1).W(0xFFFF).W(2).W(10).Raw("CShoBunrui").D(1).Str("S").W(0).bytes,  // schema 2
      Expect().W(1).NewClass("CDaiBunrui").D(1).Str("S").W(0).bytes,  // not a minor category
      Expect().W(0xFFFF).D(0x7FFFFFFF).bytes,                         // more than the file holds
      Expect().W(2).NewClass("CShoBunrui").D(1).Str("S").W(0).W(2).bytes,  // the same object twice
  };
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    WriteBytes("Original.dat", bytes);
    CSlipCatalog catalogue;
    EXPECT_EQ(catalogue.ReadPickUp(), 0);
    EXPECT_TRUE(catalogue.pickUpList.IsEmpty());
    EXPECT_EQ(TakeMessages(), std::vector{S("ファイル操作中にエラーが起こりました。"_sj)});
  }
}

TEST(CatalogRecords, CopyIsDeepAndLeavesTheLayoutVersion) {
  auto source = std::make_unique<CDaiBunrui>();
  source->version = 0;
  source->name = "M";
  CShoBunrui* minor = AddMinor(AddMiddle(source.get(), "C"), "S");
  AddLayout(minor, 5, "five")->version = 0;
  minor->childList.Add(nullptr);

  CDaiBunrui copy;
  AddMiddle(&copy, "replaced");
  copy.Copy(source.get());
  copy.Copy(&copy);  // copying onto itself changes nothing
  const CChuBunrui* original = source->childList.GetAt(0);
  source.reset();

  EXPECT_EQ(copy.version, 0u);  // categories take the version
  EXPECT_EQ(Names(copy.childList), std::vector<std::string>{"C"});
  EXPECT_NE(copy.childList.GetAt(0), original);
  const CShoBunrui* copiedMinor = copy.childList.GetAt(0)->childList.GetAt(0);
  EXPECT_EQ(Ids(copiedMinor->childList), (std::vector<LONG>{5, -1}));
  EXPECT_EQ(copiedMinor->childList.GetAt(0)->title, "five");
  EXPECT_EQ(copiedMinor->childList.GetAt(0)->version, 1u);  // layouts keep their own

  CLayoutInfo target;
  target.version = 0;
  CLayoutInfo other;
  other.title = "t";
  other.linkFlag = 1;
  target = other;
  EXPECT_EQ(target.version, 0u);
  EXPECT_EQ(target.title, "t");
  EXPECT_EQ(target.linkFlag, 1);
}

}  // namespace
}  // namespace slipcatalog::testing

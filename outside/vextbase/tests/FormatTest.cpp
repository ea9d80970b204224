// Layouts, their format files, and the frames that load them.
#include <gtest/gtest.h>

#include "FormBuilder.h"
#include "ScopedInstallation.h"
#include "platform/text/Sj.h"

using namespace vextbase_test;
using vext::testing::ScopedInstallation;

namespace {

TEST(Layout, RefusesObjectsItCannotFile) {
  auto layout = MakeLayout(1, 1, {{5, "five"}});
  CNPropObj inLayout(6, "six");
  ASSERT_TRUE(layout->AddPropObj(new CNPropObj(inLayout)));
  CNPropObj* owned = layout->GetPropObjByOrder(6);
  struct Case {
    const char* why;
    CNPropObj* obj;
    BOOL body;
  } cases[] = {{"null", nullptr, FALSE},
               {"order 0", new CNPropObj(0, "zero"), FALSE},
               {"order too high", new CNPropObj(NVEXT_MAX_ORDER + 1, "high"), FALSE},
               {"order taken in the head list", new CNPropObj(5, "again"), TRUE},
               {"already in a layout", owned, FALSE}};
  for (const Case& c : cases) {
    EXPECT_FALSE(layout->AddPropObj(c.obj, c.body)) << c.why;
    if (c.obj != owned) delete c.obj;  // refused objects stay the caller's
  }
  EXPECT_EQ(layout->GetPropObjCount(), 2);
  EXPECT_EQ(layout->GetMaxOrder(), 6u);
  EXPECT_FALSE(layout->SetMenCount(NVEXT_MAX_MEN + 1));
  EXPECT_FALSE(layout->SetMenCount(-1));
  EXPECT_FALSE(CNPropObj(1, "x").SetIndexNo(NVEXT_INDEX_COUNT + 1));
}

TEST(Layout, FileRoundTripKeepsEveryMember) {
  auto layout =
      MakeLayout(1234, 12, {{3, "宛名"_sj, 1, 1}, {1, "〒"_sj, 2}, {9, "label", 0, 0, true}});
  layout->SetName("宛名ラベル"_sj);
  layout->SetComment("12面"_sj);
  layout->SetSort(-3);
  layout->SetDate(20240401);
  layout->SetUserNo(7);
  layout->SetTableStartOrder(41);
  layout->SetTableEndOrder(11);  // kept as given, even backwards
  layout->SetTableLineCount(3);
  layout->SetTopMargin(1);
  layout->SetBottomMargin(2);
  layout->SetLeftMargin(3);
  layout->SetRightMargin(4);
  layout->SetPercent(95);
  layout->SetPrintPaper(11);
  const std::string bytes = Store(*layout);

  CNVextLayoutData read;
  EXPECT_EQ(Load(read, bytes + "tail"), bytes.size());  // stops at the record's end
  EXPECT_EQ(Store(read), bytes);
  EXPECT_EQ(read.GetName(), "宛名ラベル"_sj);
  EXPECT_EQ(read.GetTableEndOrder(), 11);
  EXPECT_EQ(read.GetHeadDefList().GetCount(), 2);
  EXPECT_EQ(read.GetBodyDefList().GetHead()->GetOrder(), 9u);
  EXPECT_EQ(read.GetPropObjByOrder(3)->GetIndexNo(), 1);

  CNVextLayoutData copy(read);  // deep: changing the copy leaves the original
  copy.GetPropObjByOrder(3)->SetItemName("changed");
  EXPECT_EQ(Store(read), bytes);
}

// Writes a layout record by hand, the way the file description lays it out.
std::string LayoutRecord(DWORD signature, WORD schema, LONG faces,
                         const std::vector<std::pair<DWORD, BYTE>>& objects) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar << signature << schema << LONG{1} << CString("name") << CString() << LONG{0} << DWORD{0}
     << LONG{0} << faces;
  for (int i = 0; i < 9; ++i) ar << LONG{0};
  ar.WriteCount(static_cast<DWORD>(objects.size()));
  for (const auto& [order, indexNo] : objects)
    ar << WORD{1} << order << CString("f") << DWORD{1} << LONG{0} << indexNo;
  ar.WriteCount(0);
  ar.Close();
  return std::string(reinterpret_cast<const char*>(file.GetBytes()), file.GetLength());
}

TEST(Layout, DamagedRecordsAreArchiveErrors) {
  const DWORD vxfm = 0x4D465856;
  ASSERT_NO_THROW({
    CNVextLayoutData ok;
    Load(ok, LayoutRecord(vxfm, 1, 3, {{1, 0}, {2, 20}}));
  });
  struct Case {
    const char* why;
    std::string bytes;
    int cause;
  } cases[] = {
      {"another file's signature", LayoutRecord(0x53445856, 1, 1, {}), CArchiveException::badClass},
      {"a later schema", LayoutRecord(vxfm, 2, 1, {}), CArchiveException::badSchema},
      {"schema 0", LayoutRecord(vxfm, 0, 1, {}), CArchiveException::badSchema},
      {"too many faces", LayoutRecord(vxfm, 1, NVEXT_MAX_MEN + 1, {}), CArchiveException::generic},
      {"negative faces", LayoutRecord(vxfm, 1, -1, {}), CArchiveException::generic},
      {"order 0", LayoutRecord(vxfm, 1, 1, {{0, 0}}), CArchiveException::generic},
      {"order too high", LayoutRecord(vxfm, 1, 1, {{NVEXT_MAX_ORDER + 1, 0}}),
       CArchiveException::generic},
      {"an order twice", LayoutRecord(vxfm, 1, 1, {{4, 0}, {4, 0}}), CArchiveException::generic},
      {"index key 21", LayoutRecord(vxfm, 1, 1, {{4, 21}}), CArchiveException::generic},
      {"a count past the end", LayoutRecord(vxfm, 1, 1, {}).substr(0, 68) + "\xFE\xFF",
       CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    CNVextLayoutData layout;
    try {
      Load(layout, c.bytes);
      ADD_FAILURE() << c.why << ": loaded";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, c.cause) << c.why;
    }
  }
}

TEST(Frame, SetFormatByNumber) {
  ScopedInstallation suite;
  EXPECT_EQ(CVextBase::GetFormatFilePath(12), "C:\\Vext\\DATA\\FMT\\ON12.FMT");
  auto layout = MakeLayout(12, 2, {{1, "a"}, {2, "b"}});
  const std::string bytes = Store(*layout);
  suite.Write("DATA\\FMT\\ON12.FMT", bytes);
  suite.Write("DATA\\FMT\\ON13.FMT", bytes.substr(0, bytes.size() - 1));  // truncated
  suite.Write("DATA\\FMT\\ON14.FMT", "not a format file at all");
  CVextFileIO empty;
  suite.Write("DATA\\FMT\\ON15.FMT", Store(empty));  // a data file

  CVextBasePrtFrm frame;
  EXPECT_EQ(frame.GetData(0, 0), nullptr);  // no layout yet
  ASSERT_TRUE(frame.SetFormat(12u));
  EXPECT_EQ(frame.GetFormatNo(), 12u);
  EXPECT_EQ(frame.GetFormat()->GetMenCount(), 2);
  for (UINT bad : {11u, 13u, 14u, 15u}) {
    EXPECT_FALSE(frame.SetFormat(bad)) << bad;
    EXPECT_EQ(frame.GetFormatNo(), 12u);  // the current layout stays
    EXPECT_EQ(frame.GetFormat()->GetID(), 12);
  }
}

TEST(Frame, SetFormatByLayoutAndBlankDocuments) {
  auto mine = MakeLayout(5, 3, {{1, "a"}});
  CVextBasePrtFrm frame;
  EXPECT_FALSE(frame.SetFormat(static_cast<CNVextLayoutData*>(nullptr)));
  ASSERT_TRUE(frame.SetFormat(mine.get()));
  EXPECT_NE(frame.GetFormat(), mine.get());  // the caller keeps its own
  mine->SetID(6);
  EXPECT_EQ(frame.GetFormat()->GetID(), 5);

  std::unique_ptr<CNVextDoc> doc(frame.GetData(0, 0));
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetFormat(), frame.GetFormat());
  EXPECT_EQ(doc->GetID(), 5);
  int index;
  CString name;
  EXPECT_EQ(doc->GetStrDataByOrder(1, 1, index, name), "");
  EXPECT_EQ(frame.GetData(1, 0), nullptr);

  // A document's layout given back to a frame stays one layout with it,
  // and outlives the document.
  CVextBasePrtFrm second;
  ASSERT_TRUE(second.SetFormat(doc->GetFormat()));
  EXPECT_EQ(second.GetFormat(), doc->GetFormat());
  doc.reset();
  std::unique_ptr<CNVextDoc> next(second.GetData(0, 0));
  EXPECT_EQ(next->GetMenCount(), 3);
}

}  // namespace

// Loading a form once per query object, and what each source does with a
// file it cannot use.
#include <gtest/gtest.h>

#include <fstream>

#include "FmtQuery.h"
#include "FormFixture.h"
#include "platform/text/Sj.h"

using namespace fmtquery_test;
using vext::test::Utf8;

namespace {

struct Counts {
  int result;
  long head = -1, columns = -1, lines = -1, foot = -1;
  bool operator==(const Counts&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Counts& c) {
  return out << c.result << ": " << c.head << "/" << c.columns << "x" << c.lines << "/" << c.foot;
}

Counts Count(CFmtDataGet& query, int source, long number) {
  Counts c{0};
  c.result = query.GetSpaceCount(source, number, c.head, c.columns, c.lines, c.foot);
  return c;
}

Json Layout(long id, int spaces) {
  Json fields = Json::array();
  for (int order = 1; order <= spaces; ++order) fields.push_back(Field(order, "S"));
  return {{"id", id}, {"fields", fields}};
}

TEST(Loading, AnObjectAnswersForItsFirstFormOnly) {
  FormFiles files;
  files.Format(Layout(1, 3));
  files.Format(Layout(2, 5));
  files.Org(1, Layout(11, 4));
  files.Org(2, Layout(12, 6));
  CFmtDataGet query;
  EXPECT_EQ(Count(query, 1, 1), (Counts{1, 3, 0, 0, 0}));
  EXPECT_EQ(Count(query, 1, 2), (Counts{1, 3, 0, 0, 0}));
  // The two sources are loaded independently, each once.
  EXPECT_EQ(Count(query, 0, 2), (Counts{1, 6, 0, 0, 0}));
  EXPECT_EQ(Count(query, 0, 1), (Counts{1, 6, 0, 0, 0}));
  EXPECT_EQ(Count(query, 1, 2), (Counts{1, 3, 0, 0, 0}));
  EXPECT_TRUE(files.ui.Messages().empty());
}

TEST(Loading, AFormatFileThatCannotBeOpenedIsShownWithItsPath) {
  FormFiles files;
  CFmtDataGet query;
  int columns = 0, lines = 0;
  CStringArray head, table, foot;
  char buffer[16];
  EXPECT_EQ(Count(query, 1, 42).result, 0);
  EXPECT_EQ(query.GetSpaceNameMFC(1, 42, columns, lines, head, table, foot), -1);
  EXPECT_EQ(query.GetSpaceName(1, 42, 16, 1, 1, 1, buffer, buffer, buffer), 0);
  const std::string message = Utf8(CString("C:\\Vext\\DATA\\FMT\\ON42.FMT"
                                           "のﾌｧｲﾙｵｰﾌﾟﾝに失敗しました"_sj)
                                       .str());
  EXPECT_EQ(files.ui.Messages(), std::vector<std::string>(3, message));
  // Nothing was loaded: the file is read once it is there.
  files.Format(Layout(42, 2));
  EXPECT_EQ(Count(query, 1, 42), (Counts{1, 2, 0, 0, 0}));
}

TEST(Loading, AnErrorWhileReadingAFormatFileStillCountsAsALoad) {
  FormFiles files;
  files.Format(Layout(3, 40));
  files.Format(Layout(4, 40));
  const auto path = files.suite.Native("DATA\\FMT\\ON3.FMT");
  std::filesystem::resize_file(path, std::filesystem::file_size(path) * 2 / 3);
  CFmtDataGet query;
  const Counts partial = Count(query, 1, 3);
  EXPECT_EQ(partial.result, 1);
  EXPECT_GT(partial.head, 0);
  EXPECT_LT(partial.head, 40);
  ASSERT_EQ(files.ui.Messages().size(), 1u);
  const CArchiveException endOfFile(CArchiveException::endOfFile, "C:\\Vext\\DATA\\FMT\\ON3.FMT");
  EXPECT_EQ(files.ui.Messages()[0], Utf8(endOfFile.GetErrorMessage().str()));
  // What was read stays the object's form; nothing is read again.
  EXPECT_EQ(Count(query, 1, 4), partial);
  EXPECT_EQ(files.ui.Messages().size(), 1u);
}

TEST(Loading, UnusableFormsFailWithoutMessages) {
  FormFiles files;
  const Json good = Layout(20, 2);
  files.Format({{"id", 21}});  // no objects
  files.Format({{"id", 22}, {"bodyFields", {Field(1, "B"), Field(2, "B", 0)}}});
  files.OrgData(30, {{"kind", "data"}, {"layout", good}, {"documents", Json::array()}});
  files.OrgData(31, {{"kind", "data"}, {"layout", good}, {"documents", {{{"layout", nullptr}}}}});
  const auto damaged = files.Org(32, good);
  std::filesystem::resize_file(damaged, std::filesystem::file_size(damaged) - 3);
  files.Org(33, {{"id", 23}});  // a layout without objects: no spaces, no failure

  struct Case {
    const char* what;
    int source;
    long number;
    Counts want;
  } cases[] = {
      {"format without objects", 1, 21, {0}},
      {"format with a body list only", 1, 22, {1, 1, 0, 0, 0}},
      {"no original-form file", 0, 29, {0}},
      {"original-form file without documents", 0, 30, {0}},
      {"document without a layout", 0, 31, {0}},
      {"damaged original-form file", 0, 32, {0}},
      {"document whose layout has no objects", 0, 33, {1, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    CFmtDataGet query;
    EXPECT_EQ(Count(query, c.source, c.number), c.want) << c.what;
    int columns = 0, lines = 0;
    CStringArray head, table, foot;
    EXPECT_EQ(query.GetSpaceNameMFC(c.source, c.number, columns, lines, head, table, foot),
              c.want.result ? c.want.head : -1)
        << c.what;
  }
  EXPECT_TRUE(files.ui.Messages().empty());
}

}  // namespace

namespace {

// A host's subclass, which sees the loaders and the object's state.
class Probe : public CFmtDataGet {
 public:
  using CFmtDataGet::GetVextDoc;
  BYTE Marker() const { return m_byTrailMark; }
  bool HoldsDocument() const { return m_pFileIO && m_pDoc; }
};

TEST(Loading, OnlyALoadByPathSetsTheTrailingMarker) {
  FormFiles files;
  files.Org(1, Layout(1, 1), "2");
  files.Org(2, Layout(2, 1), "");
  struct Case {
    bool byPath;
    long number;
    BYTE marker;
  } cases[] = {{true, 1, '2'}, {true, 2, 0}, {false, 1, 0}};
  for (const Case& c : cases) {
    Probe probe;
    EXPECT_EQ(c.byPath ? probe.GetVextDoc(files.OrgPath(c.number)) : probe.GetVextDoc(c.number), 1);
    EXPECT_TRUE(probe.HoldsDocument());
    EXPECT_EQ(probe.Marker(), c.marker) << c.byPath << c.number;
  }
}

}  // namespace

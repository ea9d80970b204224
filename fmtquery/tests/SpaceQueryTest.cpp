// The three queries on forms written as vextform writes them, each form
// asked through both sources: its format file and an original-form file
// holding a document of it.
#include <gtest/gtest.h>

#include <cstring>

#include "FmtQuery.h"
#include "FormFixture.h"

using namespace fmtquery_test;

namespace {

struct Region {
  long first, last, lines;
};

// What a form answers, kind by kind.
struct Answer {
  std::vector<std::string> head;
  long columns, lines;
  std::vector<std::string> table;
  std::vector<std::string> foot;
};

// Asks one object per query, as separate hosts would, and checks the three
// queries against each other's kind of answer.
void ExpectAnswer(int source, long number, const Answer& want) {
  SCOPED_TRACE(source ? "format file" : "original-form file");
  long head = -1, columns = -1, lines = -1, foot = -1;
  ASSERT_EQ(CFmtDataGet().GetSpaceCount(source, number, head, columns, lines, foot), 1);
  EXPECT_EQ(head, static_cast<long>(want.head.size()));
  EXPECT_EQ(columns, want.columns);
  EXPECT_EQ(lines, want.lines);
  EXPECT_EQ(foot, static_cast<long>(want.foot.size()));

  int mfcColumns = -1, mfcLines = -1;
  CStringArray headNames, tableNames, footNames;
  tableNames.Add("stale");
  const int named = CFmtDataGet().GetSpaceNameMFC(source, number, mfcColumns, mfcLines, headNames,
                                                  tableNames, footNames);
  EXPECT_EQ(named, static_cast<int>(want.head.size() + want.table.size() + want.foot.size()));
  EXPECT_EQ(mfcColumns, want.columns);
  EXPECT_EQ(mfcLines, want.lines);
  EXPECT_EQ(Utf8Names(headNames), want.head);
  EXPECT_EQ(Utf8Names(tableNames), want.table);
  EXPECT_EQ(Utf8Names(footNames), want.foot);

  constexpr long kSize = 8;
  std::vector<char> buffers[3];
  for (auto& buffer : buffers) buffer.assign(64 * kSize, '\x7f');
  const int written = CFmtDataGet().GetSpaceName(
      source, number, kSize, 64, 64, 64, buffers[0].data(), buffers[1].data(), buffers[2].data());
  // Without a rebuild the slots hold what the arrays hold.
  const std::vector<std::string>* kinds[] = {&want.head, &want.table, &want.foot};
  int expected = 0;
  for (int k = 0; k < 3; ++k) {
    expected += static_cast<int>(kinds[k]->size());
    for (std::size_t i = 0; i < kinds[k]->size(); ++i)
      EXPECT_STREQ(buffers[k].data() + i * kSize, (*kinds[k])[i].c_str());
    EXPECT_EQ(buffers[k][kinds[k]->size() * kSize], '\x7f') << "kind " << k;
  }
  EXPECT_EQ(written, expected);
}

TEST(SpaceQueries, KindsFollowTheTableRegion) {
  // In list order: a foot space first, head spaces around the table, and
  // objects whose flags have neither bit 0 nor bit 1.
  Json fields = Json::array({Field(41, "F41", 1), Field(1, "H1", 1), Field(2, "H2", 2),
                             Field(4, "label4", 0), Field(5, "other5", 4)});
  for (unsigned order = 11; order <= 40; ++order)
    fields.push_back(Field(order, "T" + std::to_string(order), order % 2 ? 1 : 3));
  for (const Json& field : {Field(3, "H3", 3), Field(42, "F42", 2), Field(43, "other43", 8)})
    fields.push_back(field);

  std::vector<std::string> allInListOrder = {"F41", "H1", "H2"};
  for (const std::string& name : Names("T", 11, 40)) allInListOrder.push_back(name);
  allInListOrder.insert(allInListOrder.end(), {"H3", "F42"});
  const Answer noRegion{allInListOrder, 0, 0, {}, {}};
  const std::vector<std::string> head = {"H1", "H2", "H3"}, foot = {"F41", "F42"};

  struct Case {
    const char* what;
    Region region;
    Answer answer;
  } cases[] = {
      {"ten columns of three lines", {11, 40, 3}, {head, 10, 3, Names("T", 11, 20), foot}},
      {"fifteen columns of two lines", {11, 40, 2}, {head, 15, 2, Names("T", 11, 25), foot}},
      {"one line", {11, 40, 1}, {head, 30, 1, Names("T", 11, 40), foot}},
      {"columns cut by integer division", {11, 40, 4}, {head, 7, 4, Names("T", 11, 17), foot}},
      {"no lines", {11, 40, 0}, noRegion},
      {"no first order", {0, 40, 3}, noRegion},
      {"no last order", {11, 0, 3}, noRegion},
      {"running backwards", {40, 11, 3}, noRegion},
      {"negative line count", {11, 40, -3}, noRegion},
      {"beyond the highest order", {11, 70000, 1}, noRegion},
  };
  long id = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FormFiles files;
    const Json layout = {
        {"id", ++id},
        {"table",
         {{"firstOrder", c.region.first}, {"lastOrder", c.region.last}, {"lines", c.region.lines}}},
        {"fields", fields}};
    files.Format(layout);
    files.Org(7, layout);
    ExpectAnswer(1, id, c.answer);
    ExpectAnswer(0, 7, c.answer);
    EXPECT_TRUE(files.ui.Messages().empty());
  }
}

TEST(SpaceQueries, MissingFirstLineNamesAreRebuiltByOrder) {
  // Three columns (orders 11-13 and 14-16); only 11 is a space, 12 is a
  // label, 13 is absent: the names come from the objects by order.
  const Json fields = {Field(1, "H1"), Field(11, "T11"), Field(12, "label12", 0), Field(14, "T14"),
                       Field(17, "F17")};
  for (int faces : {1, 3}) {
    SCOPED_TRACE(faces);
    FormFiles files;
    const Json layout = {{"id", 5},
                         {"faces", faces},
                         {"table", {{"firstOrder", 11}, {"lastOrder", 16}, {"lines", 2}}},
                         {"fields", fields}};
    files.Format(layout);
    files.Org(5, layout);
    for (int source : {1, 0}) {
      int columns = 0, lines = 0;
      CStringArray headNames, tableNames, footNames;
      EXPECT_EQ(CFmtDataGet().GetSpaceNameMFC(source, 5, columns, lines, headNames, tableNames,
                                              footNames),
                5);
      EXPECT_EQ(Utf8Names(tableNames), (std::vector<std::string>{"T11", "label12", ""}));
      EXPECT_EQ(Utf8Names(footNames), std::vector<std::string>{"F17"});
    }
  }
}

TEST(SpaceQueries, NamesStayInsideTheirSlots) {
  const std::string date = vext::test::U8(u8"日付欄");  // 6 bytes in CP932
  FormFiles files;
  files.Format({{"id", 9},
                {"table", {{"firstOrder", 11}, {"lastOrder", 11}, {"lines", 1}}},
                {"fields",
                 {Field(1, date), Field(2, "AB"), Field(3, "ABCDEFGH"), Field(11, "T11"),
                  Field(12, "F12")}}});
  struct Case {
    const char* what;
    long size, headLimit, tableLimit, footLimit;
    bool tableBuffer;
    int result;
    std::vector<std::string> head;  // UTF-8
    std::string table, foot;        // "-": left untouched
  } cases[] = {
      {"room for all", 16, 9, 9, 9, true, 5, {date, "AB", "ABCDEFGH"}, "T11", "F12"},
      {"head limit 2 stops the walk", 16, 2, 9, 9, true, 2, {date, "AB"}, "-", "-"},
      {"cut at a whole character",
       4,
       9,
       9,
       9,
       true,
       5,
       {vext::test::U8(u8"日"), "AB", "ABC"},
       "T11",
       "F12"},
      {"cut after two characters",
       5,
       9,
       9,
       9,
       true,
       5,
       {vext::test::U8(u8"日付"), "AB", "ABCD"},
       "T11",
       "F12"},
      {"room for the zero byte only", 1, 9, 9, 9, true, 5, {"", "", ""}, "", ""},
      {"no table buffer stops the walk at the table",
       16,
       9,
       9,
       9,
       false,
       3,
       {date, "AB", "ABCDEFGH"},
       "-",
       "-"},
      {"item size 0 writes nothing", 0, 9, 9, 9, true, 0, {}, "-", "-"},
      {"negative item size writes nothing", -1, 9, 9, 9, true, 0, {}, "-", "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string head(64, '\x7f'), table(64, '\x7f'), foot(64, '\x7f');
    const std::string untouched = head;
    EXPECT_EQ(CFmtDataGet().GetSpaceName(1, 9, c.size, c.headLimit, c.tableLimit, c.footLimit,
                                         head.data(), c.tableBuffer ? table.data() : nullptr,
                                         foot.data()),
              c.result);
    const long slot = std::max(c.size, 1L);
    for (std::size_t i = 0; i < c.head.size(); ++i)
      EXPECT_EQ(vext::test::Utf8(head.data() + i * slot), c.head[i]) << i;
    EXPECT_EQ(head.substr(c.head.size() * slot), untouched.substr(c.head.size() * slot));
    EXPECT_EQ(table[0] == '\x7f' ? "-" : std::string(table.data()), c.table);
    EXPECT_EQ(foot[0] == '\x7f' ? "-" : std::string(foot.data()), c.foot);
  }
}

}  // namespace

// DenpyoXML import and the slip file dialog through the public header.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "SnXmlConv.h"

namespace {

using vext::test::U8;
using Texts = std::vector<std::string>;

Texts TextsOf(const CStringList& list) {
  Texts texts;
  list.ForEach([&](const CString& text) { texts.push_back(vext::test::Utf8(text.str())); });
  return texts;
}

// The host's lists for one slip, as the slip programs hold them.
struct Slip {
  static constexpr int kSections =
      8;  // Buyer ShipTo1 ShipTo2 SellerInfo Header Total PaperInfo Extension
  CString date = "unchanged";
  long unused3 = 33;
  int unused4 = 44;
  CString unused5 = "55";
  std::array<CStringList, kSections> names;
  std::array<CStringList, kSections> values;
  CStringList columns;
  CPtrList rows;

  ~Slip() {
    while (!rows.IsEmpty()) delete static_cast<CStringList*>(rows.RemoveHead());
  }
  int Import(const CString& path) {
    CXMLConv conv;
    return conv.XmlImport(path, date, unused3, unused4, unused5, &names[0], &names[1], &names[2],
                          &names[3], &names[4], &columns, &names[5], &names[6], &names[7],
                          &values[0], &values[1], &values[2], &values[3], &values[4], &rows,
                          &values[5], &values[6], &values[7]);
  }
  std::vector<Texts> Rows() const {
    std::vector<Texts> out;
    rows.ForEach([&](void* row) { out.push_back(TextsOf(*static_cast<CStringList*>(row))); });
    return out;
  }
  bool Untouched() const {
    for (int k = 0; k < kSections; ++k)
      if (!names[k].IsEmpty() || !values[k].IsEmpty()) return false;
    return rows.IsEmpty() && columns.IsEmpty() && unused3 == 33 && unused4 == 44 && unused5 == "55";
  }
};

enum Section { kBuyer, kShipTo1, kShipTo2, kSeller, kHeader, kTotal, kPaper, kExtension };

class SlipImport : public ::testing::Test {
 protected:
  int Import(const std::string& utf8, Slip& slip) {
    vext::test::WriteBytes(dir / "slip.xml", utf8);
    return slip.Import(path);
  }

  vext::test::ScratchDir dir;
  CString path = vext::test::SystemPath(dir / "slip.xml");
  vext::test::ScriptedUi ui;
};

TEST_F(SlipImport, SectionsToLists) {
  Slip slip;
  ASSERT_EQ(
      Import(U8(u8"<?xml version='1.0' encoding='UTF-8'?>\n"
                u8"<DenpyoXML xmlns='urn:denpyo' version='1.0' creator='x' date='2024-04-01'>\n"
                u8" <Buyer><Name>㈱髙橋</Name><!-- note --><?pi x?><Zip>100</Zip></Buyer>\n"
                u8" <Header><No>1</No></Header>\n"
                u8" <Unknown><X>1</X></Unknown>\n"
                u8" <ShipTo1><Name>①</Name></ShipTo1><ShipTo2/>\n"
                u8" <SellerInfo><Name>S</Name></SellerInfo>\n"
                u8" <Total><Sum>300</Sum></Total><PaperInfo><Form>A4</Form></PaperInfo>\n"
                u8" <Extension><ExtensionItem name='a' type='t'>1</ExtensionItem>"
                u8"<ExtensionItem>no name</ExtensionItem><Other name='x'/></Extension>\n"
                u8" <Buyer><Tel>03</Tel></Buyer>\n"
                u8"</DenpyoXML>\n"),
             slip),
      1);
  EXPECT_EQ(ui.Messages(), Texts());
  EXPECT_EQ(vext::test::Utf8(slip.date.str()), "2024-04-01");
  const std::array<std::pair<Texts, Texts>, Slip::kSections> expected = {{
      {{"Name", "Zip", "Tel"}, {U8(u8"㈱髙橋"), "100", "03"}},
      {{"Name"}, {U8(u8"①")}},
      {{}, {}},
      {{"Name"}, {"S"}},
      {{"No"}, {"1"}},
      {{"Sum"}, {"300"}},
      {{"Form"}, {"A4"}},
      {{"a"}, {"1"}},
  }};
  for (int k = 0; k < Slip::kSections; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(TextsOf(slip.names[k]), expected[k].first);
    EXPECT_EQ(TextsOf(slip.values[k]), expected[k].second);
  }
  EXPECT_EQ(slip.unused3, 33);
  EXPECT_EQ(slip.unused4, 44);
  EXPECT_EQ(slip.unused5, "55");
}

TEST_F(SlipImport, StatementLinesOverAllColumns) {
  struct Case {
    const char* name;
    Texts hostColumns;  // already in the host's list
    std::string statements;
    Texts columns;
    std::vector<Texts> rows;
  };
  const Case cases[] = {
      {"columns in order of first appearance, empty where a line has none",
       {},
       "<Statement><StatementItem><A>a1</A><B>b1</B></StatementItem>"
       "<StatementItem><B>b2</B><C>c2</C></StatementItem></Statement>",
       {"A", "B", "C"},
       {{"a1", "b1", ""}, {"", "b2", "c2"}}},
      {"a repeated child keeps the last text",
       {},
       "<Statement><StatementItem><A>1</A><A>2</A></StatementItem></Statement>",
       {"A"},
       {{"2"}}},
      {"the host's own columns come first and are filled too",
       {"B", "Z"},
       "<Statement><StatementItem><A>a</A><B>b</B></StatementItem></Statement>",
       {"B", "Z", "A", "B"},
       {{"b", "", "a", "b"}}},
      {"a second section adds its new names; its lines span every column",
       {},
       "<Statement><StatementItem><A>a</A></StatementItem></Statement>"
       "<Statement><StatementItem><B>b</B><!-- c --></StatementItem><Other/></Statement>",
       {"A", "B"},
       {{"a"}, {"", "b"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Slip slip;
    for (const std::string& column : c.hostColumns) slip.columns.AddTail(CString(column));
    ASSERT_EQ(Import("<DenpyoXML>" + c.statements + "</DenpyoXML>", slip), 1);
    EXPECT_EQ(TextsOf(slip.columns), c.columns);
    EXPECT_EQ(slip.Rows(), c.rows);
    EXPECT_EQ(slip.date, "unchanged");
  }
}

TEST_F(SlipImport, FailuresTouchNoList) {
  const std::string loadFailed = U8(u8"XMLﾌｧｲﾙの読み込みに失敗しました。\n");
  const struct {
    const char* name;
    std::string document;
    std::string message;  // its start when ending in "..."
    const char* date;     // the date afterwards
  } cases[] = {
      {"not well-formed near the end",
       "<DenpyoXML date='d'><Buyer><Name>x</Name></Buyer><Total></DenpyoXML>", loadFailed + "...",
       "unchanged"},
      {"text outside CP932", U8(u8"<DenpyoXML><Buyer><Name>😀</Name></Buyer></DenpyoXML>"),
       loadFailed + U8(u8"文字コードを変換できない文字が含まれています。"), "unchanged"},
      {"a ContactXML document: the slip message, the date taken",
       "<ContactXML version='1.1' date='d'><Buyer><Name>x</Name></Buyer></ContactXML>",
       U8(u8"このXMLファイルは対応していない形式です。"), "d"},
      {"an empty file", "", loadFailed + "...", "unchanged"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Slip slip;
    EXPECT_EQ(Import(c.document, slip), 0);
    EXPECT_TRUE(slip.Untouched());
    EXPECT_EQ(vext::test::Utf8(slip.date.str()), c.date);
    const Texts messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    if (c.message.ends_with("..."))
      EXPECT_TRUE(messages[0].starts_with(c.message.substr(0, c.message.size() - 3)))
          << messages[0];
    else
      EXPECT_EQ(messages[0], c.message);
    ui->ClearEvents();
  }
}

TEST_F(SlipImport, NullListsReceiveNothing) {
  vext::test::WriteBytes(dir / "slip.xml",
                         "<DenpyoXML><Buyer><A>1</A></Buyer><Statement><StatementItem><A>1</A>"
                         "</StatementItem></Statement></DenpyoXML>");
  CString date;
  long l = 0;
  int i = 0;
  CString s;
  CStringList buyerNames;
  CXMLConv conv;
  EXPECT_EQ(conv.XmlImport(path, date, l, i, s, &buyerNames, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(TextsOf(buyerNames), Texts{"A"});
}

TEST_F(SlipImport, FileDialog) {
  CXMLConv conv;
  CString chosen = "before";
  ui->QueueFileResult(std::nullopt);
  EXPECT_EQ(conv.SelectInportXmlFile(chosen), IDCANCEL);
  EXPECT_EQ(chosen, "before");

  ui->QueueFileResult(CString("/data/slip.xml"));
  EXPECT_EQ(conv.SelectInportXmlFile(chosen), IDOK);
  EXPECT_EQ(chosen, "/data/slip.xml");

  const auto events = ui->Events();
  ASSERT_EQ(events.size(), 2u);
  const vext::ui::FileDialogRequest& request = events[1].fileRequest;
  EXPECT_TRUE(request.open);
  EXPECT_EQ(vext::test::Utf8(request.filter.str()), U8(u8"DenpyoXMLﾌｧｲﾙ(*.xml)|*.xml||"));
  EXPECT_EQ(request.defaultExt, "");
  EXPECT_EQ(request.fileName, "");
  EXPECT_EQ(request.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
}

}  // namespace

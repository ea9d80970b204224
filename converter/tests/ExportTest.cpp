// Write mode: the ContactXMLItem made for each phone-book row, and the
// document written from the CSV file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConverterTestSupport.h"
#include "PhoneBookConv.h"
#include "platform/text/Sj.h"
#include "platform/xml/XmlDom.h"

namespace {

using vext::test::Render;
using vext::test::Sjis;
using vext::test::U8;

CStringArray Row(const std::vector<std::string>& utf8Fields) {
  CStringArray row;
  for (const std::string& field : utf8Fields) row.Add(CString(Sjis(field)));
  return row;
}

// The rendered tree of the item built for the row.
std::string ItemFor(const CStringArray& row) {
  vext::xml::Document doc;
  vext::xml::Node root = doc.CreateElement("ContactXML");
  doc.AppendChild(root);
  vext::xml::Node item = CPhoneBookConv::BuildItem(doc, CPhoneBookConv::MakeRecord(row));
  root.AppendChild(item);
  return Render(item);
}

// The item layout with the kind-dependent values and texts filled in.
std::string Layout(const std::string& fullName, const std::string& location, const std::string& zip,
                   const std::string& jis5, const std::string& prefecture, const std::string& city,
                   const std::string& town, const std::string& number,
                   const std::string& organization, const std::string& usage,
                   const std::string& tel, const std::string& entryType) {
  std::string out =
      "ContactXMLItem\n"
      " PersonName\n"
      "  PersonNameItem xml:lang=\"ja-JP\"\n"
      "   FullName \"" +
      fullName +
      "\"\n"
      " Address\n"
      "  AddressItem xml:lang=\"ja-JP\" locationType=\"" +
      location +
      "\"\n"
      "   AddressCode codeDomain=\"ZIP7\" \"" +
      zip +
      "\"\n"
      "   AddressCode codeDomain=\"JIS5\" \"" +
      jis5 +
      "\"\n"
      "   AddressLine addressLineType=\"Prefecture\" \"" +
      prefecture +
      "\"\n"
      "   AddressLine addressLineType=\"City\" \"" +
      city +
      "\"\n"
      "   AddressLine addressLineType=\"Town\" \"" +
      town +
      "\"\n"
      "   AddressLine addressLineType=\"Number\" \"" +
      number + "\"\n";
  if (!organization.empty())
    out +=
        " Occupation\n"
        "  OccupationItem xml:lang=\"ja-JP\"\n"
        "   OrganizationName \"" +
        organization + "\"\n";
  out +=
      " Phone\n"
      "  PhoneItem phoneDevice=\"Phone\" usage=\"" +
      usage + "\" \"" + tel +
      "\"\n"
      " Extension\n"
      "  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Extended\" name=\"EntryType\" \"" +
      entryType + "\"\n";
  return out;
}

const std::string kCompany = U8(u8"法人");
const std::string kPerson = U8(u8"個人");

TEST(BuildItem, CompanyRowIsAnOfficeEntryNamedWithDots) {
  const CStringArray row =
      Row({"03-3344-5566", "1600023", U8(u8"東京都"), U8(u8"新宿区"), U8(u8"西新宿"), "2-8-1",
           "13104", "", U8(u8"株式会社ソリューション")});
  EXPECT_EQ(
      ItemFor(row),
      Layout("...", "Office", "1600023", "13104", U8(u8"東京都"), U8(u8"新宿区"), U8(u8"西新宿"),
             "2-8-1", U8(u8"株式会社ソリューション"), "Official", "03-3344-5566", kCompany));
}

TEST(BuildItem, PersonalRowWithoutOrganizationHasNoOccupation) {
  const CStringArray row = Row({"090-1111-2222", "5300001", U8(u8"大阪府"), U8(u8"大阪市北区"),
                                U8(u8"梅田"), "1-1", "27127", U8(u8"山田 太郎"), ""});
  EXPECT_EQ(ItemFor(row), Layout(U8(u8"山田 太郎"), "Home", "5300001", "27127", U8(u8"大阪府"),
                                 U8(u8"大阪市北区"), U8(u8"梅田"), "1-1", "", "Private",
                                 "090-1111-2222", kPerson));
}

TEST(BuildItem, PersonalRowWithOrganizationCarriesBoth) {
  const CStringArray row = Row({"", "", "", "", "", "", "", U8(u8"髙橋①"), U8(u8"㈱テスト")});
  EXPECT_EQ(ItemFor(row), Layout(U8(u8"髙橋①"), "Home", "", "", "", "", "", "", U8(u8"㈱テスト"),
                                 "Private", "", kPerson));
}

TEST(BuildItem, RowOfNineEmptyFieldsGivesACompleteItem) {
  const CStringArray row = Row({"", "", "", "", "", "", "", "", ""});
  EXPECT_EQ(ItemFor(row),
            Layout("...", "Office", "", "", "", "", "", "", "", "Official", "", kCompany));
}

TEST(BuildItem, ShortRowReadsMissingFieldsAsEmptyAndLongRowIgnoresExtras) {
  EXPECT_EQ(ItemFor(Row({"03-1", "1000001"})), Layout("...", "Office", "1000001", "", "", "", "",
                                                      "", "", "Official", "03-1", kCompany));
  EXPECT_EQ(ItemFor(Row({"t", "z", "p", "c", "w", "n", "j", "name", "org", "extra", "more"})),
            Layout("name", "Home", "z", "j", "p", "c", "w", "n", "org", "Private", "t", kPerson));
  EXPECT_EQ(ItemFor(CStringArray()),
            Layout("...", "Office", "", "", "", "", "", "", "", "Official", "", kCompany));
}

TEST(BuildItem, KeepsBlanksAndMarkupCharactersAsText) {
  // A name of blanks only is still a name: the entry is personal.
  EXPECT_EQ(
      ItemFor(Row({"  03", "", "", "", "", "", "", "  ", " A&B <C> \"D\""})),
      Layout("  ", "Home", "", "", "", "", "", "", " A&B <C> \"D\"", "Private", "  03", kPerson));
}

// --- the whole document -----------------------------------------------------

class ExportTest : public ::testing::Test {
 protected:
  BOOL Export(const std::vector<CStringArray>& rows) {
    CPhoneBookConv conv;
    conv.m_strXmlPath = xmlPath;
    std::vector<CStringArray> kept = rows;
    for (CStringArray& row : kept) conv.m_rowList.push_back(&row);
    return conv.Export();
  }

  vext::test::ScratchDir dir;
  vext::test::ScriptedUi ui;
  CString xmlPath = vext::test::SystemPath(dir / "book.xml");
};

TEST_F(ExportTest, WritesTheHeaderRootAndOneItemPerRowInShiftJis) {
  ASSERT_TRUE(Export({Row({"03-1", "", "", "", "", "", "", U8(u8"佐藤"), ""}),
                      Row({"06-2", "", "", "", "", "", "", "", U8(u8"有限会社～波")})}));
  EXPECT_TRUE(ui.Messages().empty());
  const std::string bytes = vext::test::ReadBytes(dir / "book.xml");
  EXPECT_EQ(bytes.rfind("<?xml version='1.1' encoding='Shift_JIS'?>", 0), 0u)
      << bytes.substr(0, 80);
  EXPECT_NE(bytes.find(R"(<!--<!DOCTYPE ContactXML SYSTEM "ContactXML_01_01a.dtd">-->)"),
            std::string::npos);
  EXPECT_NE(bytes.find(R"(<ContactXML xmlns="http://www.xmlns.org/2002/ContactXML" version="1.1" )"
                       R"(creator="http://www.nq.example/software/ContactXMLConv/1.1">)"),
            std::string::npos);
  EXPECT_NE(bytes.find(Sjis(U8(u8"有限会社～波"))), std::string::npos);
  EXPECT_LT(bytes.find(Sjis(U8(u8"佐藤"))), bytes.find(Sjis(U8(u8"有限会社～波"))));

  vext::xml::Document doc;
  ASSERT_TRUE(doc.Load(xmlPath)) << vext::test::Utf8(doc.ParseErrorReason().str());
  std::vector<std::string> names;
  for (const vext::xml::Node& child : doc.DocumentElement().ChildNodes())
    names.push_back(child.NodeName().str());
  EXPECT_EQ(names, (std::vector<std::string>{"ContactXMLItem", "ContactXMLItem"}));
}

TEST_F(ExportTest, FolderThatCannotHoldTheFileIsAFileErrorAndNothingIsSaved) {
  xmlPath = vext::test::SystemPath(dir / "missing" / "book.xml");
  EXPECT_FALSE(Export({Row({"03-1"})}));
  const std::vector<std::string> messages = ui.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("book.xml"), std::string::npos) << messages[0];
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(ExportTest, TextThatIsNotShiftJisFailsTheSaveAndKeepsTheOldFile) {
  vext::test::WriteBytes(dir / "book.xml", "old document");
  CStringArray bad;
  bad.Add("03-1");
  bad.Add(CString("\x81"));  // a lead byte without its trail byte
  EXPECT_FALSE(Export({Row({"03-0"}), bad}));
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{vext::test::Utf8(
                (xmlPath + "のセーブに失敗しました。\n"_sj + vext::xml::ConversionError::Message())
                    .str())});
  EXPECT_EQ(vext::test::ReadBytes(dir / "book.xml"), "old document");
}

// --- write mode from the CSV file, in batches ----------------------------------

class WriteModeTest : public ExportTest {
 protected:
  CString csvPath = vext::test::SystemPath(dir / "xmlSnc.csv");

  BOOL Convert() {
    CPhoneBookConv conv;
    conv.m_strCsvPath = csvPath;
    conv.m_strXmlPath = xmlPath;
    return conv.ReadPhoneBook() && conv.Export();
  }
};

// More than a mebibyte, so that the file is read in several batches; a
// quoted field with a line break sits on every line.
std::string LargePhoneBook(int lines) {
  std::string csv;
  for (int i = 0; i < lines; ++i)
    csv += Sjis("0" + std::to_string(i) +
                U8(u8",1600023,東京都,新宿区,西新宿,\"1-2\r\n3\",13104,山田,\"株式会社\"\"") +
                std::to_string(i) + "\"\"\"\r\n");
  return csv;
}

TEST_F(WriteModeTest, LargePhoneBookGivesOneItemPerLineInOrder) {
  constexpr int kLines = 30000;
  vext::test::WriteBytes(dir / "xmlSnc.csv", LargePhoneBook(kLines));
  ASSERT_GT(std::filesystem::file_size(dir / "xmlSnc.csv"), std::uintmax_t{2} << 20);
  ASSERT_TRUE(Convert());
  EXPECT_TRUE(ui.Messages().empty());

  vext::xml::EntryReader reader;
  ASSERT_TRUE(reader.Open(xmlPath));
  int count = 0;
  for (vext::xml::Node item = reader.NextEntry(); item; item = reader.NextEntry(), ++count) {
    const std::string rendered = Render(item);
    ASSERT_NE(rendered.find("\"0" + std::to_string(count) + "\""), std::string::npos) << rendered;
    ASSERT_NE(rendered.find(U8(u8"株式会社\"") + std::to_string(count) + "\""), std::string::npos)
        << rendered;
    ASSERT_NE(rendered.find("\"1-2\r\n3\""), std::string::npos) << rendered;
  }
  EXPECT_EQ(reader.ParseErrorCode(), 0);
  EXPECT_EQ(count, kLines);
}

TEST_F(WriteModeTest, FormatErrorInALaterBatchSavesNothing) {
  vext::test::WriteBytes(dir / "book.xml", "old document");
  vext::test::WriteBytes(dir / "xmlSnc.csv", LargePhoneBook(30000) + "\"ab\"c,d\r\n");
  EXPECT_FALSE(Convert());
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{U8(
                u8"テキストファイルの形式が正しくありません。\nファイルの読み込みを中止します。")});
  EXPECT_EQ(vext::test::ReadBytes(dir / "book.xml"), "old document");
}

TEST_F(WriteModeTest, TextThatIsNotShiftJisIsNamedByItsLineInThePhoneBook) {
  // Early in the file, and in a later batch (two lines to a row there).
  const std::vector<std::pair<std::string, long long>> cases = {
      {"03-0,,,,,,,a,\r\n\"1\r\n2\",,,,,,,b,\r\n03-2,,,,,,,c\x01,\r\n", 4},
      {LargePhoneBook(20000) + "03-2,,,,,,,\x81,\r\n", 40001}};
  for (const auto& [csv, line] : cases) {
    SCOPED_TRACE(line);
    ui->ClearEvents();
    vext::test::WriteBytes(dir / "xmlSnc.csv", csv);
    EXPECT_FALSE(Convert());
    EXPECT_EQ(
        ui.Messages(),
        std::vector<std::string>{vext::test::Utf8(
            (xmlPath + "のセーブに失敗しました。\n"_sj + csvPath + " " +
             std::to_string(line).c_str() + " 行目: "_sj + vext::xml::ConversionError::Message())
                .str())});
    EXPECT_FALSE(std::filesystem::exists(dir / "book.xml"));
  }
}

TEST_F(WriteModeTest, EmptyPhoneBookIsRefusedSilently) {
  vext::test::WriteBytes(dir / "xmlSnc.csv", "");
  CPhoneBookConv conv;
  conv.m_strCsvPath = csvPath;
  EXPECT_FALSE(conv.ReadPhoneBook());
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(WriteModeTest, MissingPhoneBookIsAFileError) {
  CPhoneBookConv conv;
  conv.m_strCsvPath = csvPath;
  EXPECT_FALSE(conv.ReadPhoneBook());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find("xmlSnc.csv"), std::string::npos) << ui.Messages()[0];
}

}  // namespace

// ContactXML export through the public header: the document as written,
// every item's layout, and the way back through the import.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ContactXmlNames.h"
#include "HostTable.h"
#include "SnXmlConv.h"
#include "platform/xml/XmlDom.h"

namespace {

using vext::test::HostTable;
using vext::test::U8;
using Record = std::map<std::string, std::string>;

const std::vector<std::string> kAllColumns = {
    "Name",    "PhoenicPerson", "CustomerCode", "Company", "PhoenicCompany",
    "Section", "Zip",           "Address",      "TEL",     "FAX",
    "E-mail",  "Keisho2",       "Memo",         "Branch",  "Fax"};

class ContactXmlExport : public ::testing::Test {
 protected:
  int Export(HostTable& table) {
    CContactXmlConv conv;
    return conv.ExportContactXML(path, table.get());
  }
  // The exported items, one rendered tree each.
  std::vector<std::string> Items() {
    vext::xml::Document doc;
    EXPECT_TRUE(doc.Load(path)) << vext::test::Utf8(doc.ParseErrorReason().str());
    std::vector<std::string> items;
    for (const vext::xml::Node& item : doc.DocumentElement().ChildNodes())
      items.push_back(vext::test::Render(item));
    return items;
  }

  vext::test::ScratchDir dir;
  CString path = vext::test::SystemPath(dir / "out.xml");
  vext::test::ScriptedUi ui;
};

TEST_F(ContactXmlExport, AnEmptyTableGivesTheHeaderAndAnEmptyRoot) {
  HostTable table({"Name"});
  ASSERT_EQ(Export(table), 1);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>());
  EXPECT_EQ(vext::test::ReadBytes(dir / "out.xml"),
            "<?xml version='1.0' encoding='Shift_JIS'?>\r\n"
            "<!--<!DOCTYPE ContactXML SYSTEM \"ContactXML_01_01a_20030312.dtd\">-->\r\n"
            "<ContactXML xmlns=\"http://www.xmlns.org/2002/ContactXML\" version=\"1.1\" "
            "creator=\"" +
                std::string(vext::contactxml::kCreatorUri) + "\"/>\r\n");
}

TEST_F(ContactXmlExport, ItemLayout) {
  struct Case {
    const char* name;
    Record record;
    std::string item;
  };
  const Case cases[] = {
      {"a person: home data, readings in full width, prefecture split off",
       {{"Name", U8(u8"山田 太郎")},
        {"PhoenicPerson", U8(u8"ﾔﾏﾀﾞ ﾀﾛｳ")},
        {"CustomerCode", "C-1"},
        {"Zip", "2200012"},
        {"Address", U8(u8"神奈川県横浜市西区１－１")},
        {"TEL", "045-000-0000"},
        {"E-mail", "taro@example.jp"},
        {"Keisho2", U8(u8"様")},
        {"Branch", U8(u8"①号店")},
        {"Fax", "045-999"}},
       U8(u8"ContactXMLItem\n"
          u8" PersonName\n"
          u8"  PersonNameItem xml:lang=\"ja-JP\"\n"
          u8"   FullName pronunciation=\"ヤマダ タロウ\" \"山田 太郎\"\n"
          u8" PersonID\n"
          u8"  PersonIDItem codeDomain=\"UserDefined\" \"C-1\"\n"
          u8" Address\n"
          u8"  AddressItem locationType=\"Home\" xml:lang=\"ja-JP\"\n"
          u8"   AddressCode codeDomain=\"ZIP7\" \"2200012\"\n"
          u8"   AddressLine addressLineType=\"Prefecture\" \"神奈川県\"\n"
          u8"   AddressLine addressLineType=\"City\" \"横浜市西区１－１\"\n"
          u8" Occupation\n"
          u8"  OccupationItem\n"
          u8"   OrganizationName pronunciation=\"\" \"\"\n"
          u8"   Department \"\"\n"
          u8" Phone\n"
          u8"  PhoneItem phoneDevice=\"Phone\" usage=\"Private\" \"045-000-0000\"\n"
          u8"  PhoneItem phoneDevice=\"Fax\" usage=\"Private\" \"\"\n"
          u8" Email\n"
          u8"  EmailItem usage=\"Private\" \"taro@example.jp\"\n"
          u8" Extension\n"
          u8"  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Common\" name=\"Suffix\" \"様\"\n"
          u8"  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Common\" name=\"Memo\" \"\"\n"
          u8"  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Extended\" name=\"Branch\" "
          u8"\"①号店\"\n"
          u8"  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Extended\" name=\"Fax\" "
          u8"\"045-999\"\n")},
      {"an organisation, also with a person's name; no leading prefecture",
       {{"Name", U8(u8"担当 花子")},
        {"Company", U8(u8"㈱髙橋")},
        {"PhoenicCompany", U8(u8"ﾀｶﾊｼ")},
        {"Section", U8(u8"総務")},
        {"Address", U8(u8" 東京都港区")},
        {"FAX", "03-1"}},
       U8(u8"ContactXMLItem\n"
          u8" PersonName\n"
          u8"  PersonNameItem xml:lang=\"ja-JP\"\n"
          u8"   FullName pronunciation=\"\" \"担当 花子\"\n"
          u8" PersonID\n"
          u8"  PersonIDItem codeDomain=\"UserDefined\" \"\"\n"
          u8" Address\n"
          u8"  AddressItem locationType=\"Office\" xml:lang=\"ja-JP\"\n"
          u8"   AddressCode codeDomain=\"ZIP7\" \"\"\n"
          u8"   AddressLine addressLineType=\"Prefecture\" \"\"\n"
          u8"   AddressLine addressLineType=\"City\" \" 東京都港区\"\n"
          u8" Occupation\n"
          u8"  OccupationItem\n"
          u8"   OrganizationName pronunciation=\"タカハシ\" \"㈱髙橋\"\n"
          u8"   Department \"総務\"\n"
          u8" Phone\n"
          u8"  PhoneItem phoneDevice=\"Phone\" usage=\"Official\" \"\"\n"
          u8"  PhoneItem phoneDevice=\"Fax\" usage=\"Official\" \"03-1\"\n"
          u8" Email\n"
          u8"  EmailItem usage=\"Official\" \"\"\n"
          u8" Extension\n"
          u8"  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Common\" name=\"Suffix\" \"\"\n"
          u8"  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Common\" name=\"Memo\" \"\"\n"
          u8"  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Extended\" name=\"Branch\" \"\"\n"
          u8"  ExtensionItem xml:lang=\"ja-JP\" extensionType=\"Extended\" name=\"Fax\" \"\"\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostTable table(kAllColumns);
    table.Add(c.record);
    ASSERT_EQ(Export(table), 1);
    EXPECT_EQ(Items(), std::vector<std::string>{c.item});
  }
}

TEST_F(ContactXmlExport, AnEmptyRecordGivesEveryGroupAndTheNoNameMark) {
  HostTable table({"Name", "TEL"});
  table.Add({});
  ASSERT_EQ(Export(table), 1);
  const std::vector<std::string> items = Items();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_NE(items[0].find("FullName pronunciation=\"\" \"...\""), std::string::npos) << items[0];
  EXPECT_NE(items[0].find("PhoneItem phoneDevice=\"Phone\" usage=\"Private\" \"\""),
            std::string::npos);
  EXPECT_EQ(items[0].find("Extended"), std::string::npos);
}

TEST_F(ContactXmlExport, SupplierTablesWriteTheSupplierCode) {
  HostTable table({"CustomerCode", "SupplierCode", "", "Branch", "Branch"});
  table.Add({{"CustomerCode", "C"}, {"SupplierCode", "S"}, {"Branch", "B"}});
  ASSERT_EQ(Export(table), 1);
  const std::string item = Items().at(0);
  EXPECT_NE(item.find("PersonIDItem codeDomain=\"UserDefined\" \"S\""), std::string::npos) << item;
  // No item for the unnamed column; one for the repeated name.
  EXPECT_NE(item.find("name=\"Branch\" \"B\"\n"), std::string::npos) << item;
  EXPECT_EQ(item.find("name=\"\""), std::string::npos) << item;
  EXPECT_EQ(item.find("name=\"Branch\"", item.find("name=\"Branch\"") + 1), std::string::npos);
}

// Export, then import with the person choice: every named column comes
// back, for people and organisations alike.
TEST_F(ContactXmlExport, RoundTrip) {
  const Record person = {{"Name", U8(u8"山田 太郎")},
                         {"PhoenicPerson", U8(u8"ﾔﾏﾀﾞ ﾀﾛｳ ｳﾞｨ")},
                         {"CustomerCode", "C-1"},
                         {"Zip", "2200012"},
                         {"Address", U8(u8"神奈川県横浜市西区１－１")},
                         {"TEL", "045-000-0000"},
                         {"FAX", "045-000-0001"},
                         {"E-mail", "taro@example.jp"},
                         {"Keisho2", U8(u8"様")},
                         {"Memo", U8(u8"①～③")},
                         {"Branch", U8(u8"本店")},
                         {"Fax", "x"}};
  const Record organisation = {{"Name", U8(u8"担当 花子")},
                               {"Company", U8(u8"㈱髙橋商事")},
                               {"PhoenicCompany", U8(u8"ﾀｶﾊｼｼｮｳｼﾞ")},
                               {"Section", U8(u8"総務部")},
                               {"Zip", "1000001"},
                               {"Address", U8(u8"東京都千代田区")},
                               {"TEL", "03-0000-0000"},
                               {"E-mail", "info@example.jp"},
                               {"Keisho2", U8(u8"御中")}};
  HostTable table(kAllColumns);
  table.Add(person);
  table.Add(organisation);
  table.Add({});
  ASSERT_EQ(Export(table), 1);

  HostTable back(kAllColumns);
  ui->QueueDialog({"click:14002", "ok"});  // personal data
  CContactXmlConv conv;
  ASSERT_EQ(conv.ImportContactXML(path, 0, back.get()), 1);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>());
  ASSERT_EQ(back.Records(), 3);
  for (int record = 1; record <= 3; ++record) {
    Record expected = table.Record(record);
    expected["#"] = std::to_string(record - 1);
    EXPECT_EQ(back.Record(record), expected) << "record " << record;
  }
}

TEST_F(ContactXmlExport, FailuresLeaveAnExistingFileAsItWas) {
  vext::test::WriteBytes(dir / "out.xml", "old");
  const std::string message =
      vext::test::Utf8(path.str()) +
      U8(u8"のセーブに失敗しました。\n文字コードを変換できない文字が含まれています。");
  const struct {
    const char* name;
    const char* column;
    std::string bytes;  // CP932
  } cases[] = {
      {"a lead byte without its trail byte", "Name", "\x81"},
      {"a control character in an extension item", "Branch", "a\x01z"},
      {"an unassigned two-byte code in a reading", "PhoenicPerson", "\x85\x40"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HostTable table({"Name", "PhoenicPerson", "Branch"});
    table.Add({{"Name", "A"}});
    table.Add({});
    table.SetBytes(2, c.column, c.bytes);
    EXPECT_EQ(Export(table), 2);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{message});
    EXPECT_EQ(vext::test::ReadBytes(dir / "out.xml"), "old");
    ui->ClearEvents();
  }
}

TEST_F(ContactXmlExport, AFolderThatIsNotThereIsAFileError) {
  HostTable table({"Name"});
  CContactXmlConv conv;
  EXPECT_EQ(conv.ExportContactXML(vext::test::SystemPath(dir / "none" / "out.xml"), table.get()),
            2);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_NE(ui.Messages()[0].find((dir / "none" / "out.xml").string()), std::string::npos)
      << ui.Messages()[0];
  EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

TEST_F(ContactXmlExport, ATableWithoutColumnNames) {
  CPtrArray noRows;
  CContactXmlConv conv;
  EXPECT_EQ(conv.ExportContactXML(path, &noRows), 2);
  EXPECT_EQ(conv.ExportContactXML(path, nullptr), 2);
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{U8(u8"項目名未設定"), U8(u8"項目名未設定")}));
  EXPECT_FALSE(std::filesystem::exists(dir / "out.xml"));
}

}  // namespace

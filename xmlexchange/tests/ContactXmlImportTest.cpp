// ContactXML import through the public header, as a host calls it: the
// host's table, the choice answered by the scripted user interface, the
// messages it records.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ContactXmlNames.h"
#include "HostTable.h"
#include "SnXmlConv.h"
#include "platform/text/Ascii.h"

namespace {

using vext::test::HostTable;
using vext::test::U8;
using Record = std::map<std::string, std::string>;

const std::string kMaker = vext::contactxml::kCreatorUri;

// Every key the library knows, and one of the host's own.
const std::vector<std::string> kAllColumns = {
    "Name",    "PhoenicPerson", "CustomerCode", "Company", "PhoenicCompany", "Section", "Zip",
    "Address", "TEL",           "FAX",          "E-mail",  "Keisho2",        "Memo",    "Branch"};

// A 1.1 document (UTF-8) with the given ContactXMLItem contents.
std::string Doc11(const std::vector<std::string>& items, const std::string& creator = kMaker) {
  std::string xml =
      U8(u8"<?xml version='1.0' encoding='UTF-8'?>\n"
         u8"<!--<!DOCTYPE ContactXML SYSTEM \"ContactXML_01_01a_20030312.dtd\">-->\n"
         u8"<ContactXML xmlns='http://www.xmlns.org/2002/ContactXML' version='1.1'");
  if (!creator.empty()) xml += " creator='" + creator + "'";
  xml += ">\n";
  for (const std::string& item : items) xml += "  <ContactXMLItem>" + item + "</ContactXMLItem>\n";
  return xml + "</ContactXML>\n";
}

std::string Name(const std::string& name, const std::string& reading = "") {
  return "<PersonName><PersonNameItem xml:lang='ja-JP'><FullName pronunciation='" + reading + "'>" +
         name + "</FullName></PersonNameItem></PersonName>";
}

class ContactXmlImport : public ::testing::Test {
 protected:
  // Imports `bytes` into `table`, the user working the company-or-person
  // question with `answer`.
  int Import(const std::string& bytes, HostTable& table, std::vector<std::string> answer = {"ok"}) {
    vext::test::WriteBytes(dir / "book.xml", bytes);
    ui->QueueDialog(std::move(answer));
    CContactXmlConv conv;
    return conv.ImportContactXML(path, 0, table.get());
  }
  std::string LoadFailed(const std::string& reasonStart) const {
    return vext::test::Utf8(path.str()) + U8(u8"のロードに失敗しました。\n") + reasonStart;
  }

  vext::test::ScratchDir dir;
  CString path = vext::test::SystemPath(dir / "book.xml");
  vext::test::ScriptedUi ui;
};

// --- what one entry gives ---------------------------------------------------------

struct EntryCase {
  const char* name;
  std::string item;  // the ContactXMLItem's content
  Record expected;   // besides "#" = "0"
  std::string creator = kMaker;
};

TEST_F(ContactXmlImport, EntryToRecord) {
  const EntryCase cases[] = {
      {"names and readings to half-width, organisation",
       Name(U8(u8"山田 太郎"), U8(u8"ヤマダ タロウ")) +
           U8(u8"<Occupation><OccupationItem><OrganizationName pronunciation='ガッコウ'>"
              u8"㈱髙橋商事</OrganizationName><Department>営業部</Department>"
              u8"</OccupationItem></Occupation>"),
       {{"Name", U8(u8"山田 太郎")},
        {"PhoenicPerson", U8(u8"ﾔﾏﾀﾞ ﾀﾛｳ")},
        {"Company", U8(u8"㈱髙橋商事")},
        {"PhoenicCompany", U8(u8"ｶﾞｯｺｳ")},
        {"Section", U8(u8"営業部")}}},
      {"\"...\" is an organisation's entry",
       Name("...") + U8(u8"<Occupation><OccupationItem><OrganizationName>東西物産"
                        u8"</OrganizationName></OccupationItem></Occupation>"),
       {{"Company", U8(u8"東西物産")}}},
      {"the first Japanese name item with a name is taken",
       U8(u8"<PersonName><PersonNameItem xml:lang='en'><FullName>Taro</FullName></PersonNameItem>"
          u8"<PersonNameItem xml:lang='ja-JP'><FullName>太郎</FullName></PersonNameItem>"
          u8"<PersonNameItem xml:lang='ja-JP'><FullName>次郎</FullName></PersonNameItem>"
          u8"</PersonName>"),
       {{"Name", U8(u8"太郎")}}},
      {"address lines joined in their fixed order, Others in document order",
       U8(u8"<Address><AddressItem locationType='Home'>"
          u8"<AddressLine addressLineType='Others'>別館</AddressLine>"
          u8"<AddressLine addressLineType='City'>横浜市</AddressLine>"
          u8"<AddressLine addressLineType='Prefecture'>神奈川県</AddressLine>"
          u8"<AddressLine addressLineType='Others'>３階</AddressLine>"
          u8"<AddressLine addressLineType='Unknown'>無視</AddressLine>"
          u8"<FullAddress>使われない</FullAddress>"
          u8"<AddressCode codeDomain='ZIP7'>2200012</AddressCode>"
          u8"<AddressCode codeDomain='JIS5'>14101</AddressCode>"
          u8"</AddressItem></Address>"),
       {{"Address", U8(u8"神奈川県横浜市別館３階")}, {"Zip", "2200012"}}},
      {"FullAddress when there are no lines; Zip is no postal code",
       U8(u8"<Address><AddressItem locationType='Office'><Zip>1000001</Zip>"
          u8"<FullAddress>東京都千代田区１－１</FullAddress></AddressItem></Address>"),
       {{"Address", U8(u8"東京都千代田区１－１")}}},
      {"an AddressItem without attributes is skipped",
       U8(u8"<Address><AddressItem><FullAddress>どこか</FullAddress></AddressItem></Address>"),
       {}},
      {"a mobile number stands in for a missing telephone",
       "<Phone><PhoneItem phoneDevice='Cellular' usage='Private'>090-1111-2222</PhoneItem>"
       "<PhoneItem phoneDevice='Fax' usage='Private'>03-3333-4444</PhoneItem></Phone>",
       {{"TEL", "090-1111-2222"}, {"FAX", "03-3333-4444"}}},
      {"the telephone wins over the mobile; an item without a known device is skipped",
       "<Phone><PhoneItem usage='Private'>0</PhoneItem>"
       "<PhoneItem phoneDevice='Cellular' usage='Private'>090</PhoneItem>"
       "<PhoneItem phoneDevice='Phone' usage='Private'>03</PhoneItem></Phone>",
       {{"TEL", "03"}}},
      {"a usage-less item is read as other data, not as the usage before it",
       "<Phone><PhoneItem phoneDevice='Phone' usage='Private'>03</PhoneItem>"
       "<PhoneItem phoneDevice='Fax'>04</PhoneItem></Phone>",
       {{"TEL", "03"}}},
      {"two e-mails of one usage: the first",
       "<Email><EmailItem usage='Official'>a@x.jp</EmailItem>"
       "<EmailItem usage='Official'>b@x.jp</EmailItem></Email>",
       {{"E-mail", "a@x.jp"}}},
      {"two e-mails of one usage: the preferred one",
       "<Email><EmailItem usage='Official'>a@x.jp</EmailItem>"
       "<EmailItem usage='Official' preference='True'>b@x.jp</EmailItem>"
       "<EmailItem usage='Official'>c@x.jp</EmailItem></Email>",
       {{"E-mail", "b@x.jp"}}},
      {"an e-mail without usage is not used", "<Email><EmailItem>a@x.jp</EmailItem></Email>", {}},
      {"maker's document: code, extended items, typed values",
       U8(u8"<PersonID><PersonIDItem codeDomain='Other'>X</PersonIDItem>"
          u8"<PersonIDItem codeDomain='UserDefined'>C-001</PersonIDItem>"
          u8"<PersonIDItem codeDomain='UserDefined'>C-002</PersonIDItem></PersonID>"
          u8"<Extension>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Common' "
          u8"name='Suffix'>様</ExtensionItem>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Common' "
          u8"name='Memo'>①要連絡</ExtensionItem>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Common' name='Other'>x</ExtensionItem>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Extended' name='Branch' type='code'>"
          u8"本店</ExtensionItem>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Extended' "
          u8"name='Branch'>支店</ExtensionItem>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Extended' "
          u8"name='Unknown'>x</ExtensionItem>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Extended'>no name</ExtensionItem>"
          u8"</Extension>"),
       {{"CustomerCode", "C-001"},
        {"Keisho2", U8(u8"様")},
        {"Memo", U8(u8"①要連絡")},
        {"Branch", U8(u8"code:本店")}}},
      {"another creator: no code, no extended items; common items still read",
       U8(u8"<PersonID><PersonIDItem codeDomain='UserDefined'>C-001</PersonIDItem></PersonID>"
          u8"<Extension>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Common' "
          u8"name='Suffix'>様</ExtensionItem>"
          u8"<ExtensionItem xml:lang='ja-JP' extensionType='Extended' "
          u8"name='Branch'>本店</ExtensionItem>"
          u8"</Extension>"),
       {{"Keisho2", U8(u8"様")}},
       "http://www.example.com/other/1.1"},
      {"a creator differing in case is another creator",
       "<PersonID><PersonIDItem codeDomain='UserDefined'>C-001</PersonIDItem></PersonID>",
       {},
       vext::ToUpperAscii(kMaker)},
      {"extension items need xml:lang ja-JP",
       U8(u8"<Extension><ExtensionItem extensionType='Common' name='Memo'>x</ExtensionItem>"
          u8"<ExtensionItem xml:lang='en' extensionType='Common' name='Memo'>y</ExtensionItem>"
          u8"</Extension>"),
       {}},
      {"a prefixed element is not recognised",
       "<c:PersonName xmlns:c='urn:x'><PersonNameItem xml:lang='ja-JP'><FullName>A</FullName>"
       "</PersonNameItem></c:PersonName>",
       {}},
      {"comments and unknown elements are not data",
       "<!-- note --><Unknown>x</Unknown>" + Name("A"),
       {{"Name", "A"}}},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    HostTable table(kAllColumns);
    EXPECT_EQ(Import(Doc11({c.item}, c.creator), table), 1);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>());
    ASSERT_EQ(table.Records(), 1);
    Record expected = c.expected;
    expected["#"] = "0";
    EXPECT_EQ(table.Record(1), expected);
    ui->ClearEvents();
  }
}

// --- the table's layout -------------------------------------------------------------

TEST_F(ContactXmlImport, RowsFollowTheHostsColumns) {
  const std::string item = Name("A") +
                           "<Phone><PhoneItem phoneDevice='Phone' usage='Private'>03</PhoneItem>"
                           "</Phone><PersonID><PersonIDItem codeDomain='UserDefined'>S-9"
                           "</PersonIDItem></PersonID>";
  struct Case {
    const char* name;
    std::vector<std::string> columns;
    Record expected;
  };
  const Case cases[] = {
      {"only the columns asked for", {"Name", "Zip"}, {{"#", "0"}, {"Name", "A"}}},
      {"a supplier table takes the code as SupplierCode",
       {"CustomerCode", "TEL", "SupplierCode"},
       {{"#", "0"}, {"TEL", "03"}, {"SupplierCode", "S-9"}}},
      {"an empty name has no key; of a repeated name the first column",
       {"", "TEL", "Name", "TEL"},
       {{"#", "0"}, {"TEL", "03"}, {"Name", "A"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostTable table(c.columns);
    ASSERT_EQ(Import(Doc11({item}), table), 1);
    ASSERT_EQ(table.Records(), 1);
    EXPECT_EQ(table.Row(1).GetSize(), static_cast<int>(c.columns.size()) + 1);
    EXPECT_EQ(table.Record(1), c.expected);
  }
}

TEST_F(ContactXmlImport, RootForms) {
  struct Case {
    const char* name;
    std::string document;
    std::vector<std::string> names;  // "Name" of the rows appended, in order
  };
  const Case cases[] = {
      {"1.1: each ContactXMLItem, nothing else",
       "<ContactXML version='1.1'><ContactXMLItem>" + Name("A") +
           "</ContactXMLItem><ContactXML version='1.0'>" + Name("X") +
           "</ContactXML><ContactXMLItem>" + Name("B") + "</ContactXMLItem><ContactXMLItem>" +
           Name("C") + "</ContactXMLItem></ContactXML>",
       {"A", "B", "C"}},
      {"1.0: the root is the one entry",
       "<ContactXML version='1.0'>" + Name("A") + "<Unknown/></ContactXML>",
       {"A"}},
      {"SNContactXML: each ContactXML child",
       "<SNContactXML><ContactXML>" + Name("A") + "</ContactXML><ContactXMLItem>" + Name("X") +
           "</ContactXMLItem><ContactXML>" + Name("B") + "</ContactXML></SNContactXML>",
       {"A", "B"}},
      {"SNContactXML without entries", "<SNContactXML version='9'/>", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostTable table({"Name"});
    EXPECT_EQ(Import(c.document, table), 1);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>());
    ASSERT_EQ(table.Records(), static_cast<int>(c.names.size()));
    for (int i = 0; i < table.Records(); ++i)
      EXPECT_EQ(table.Record(i + 1), (Record{{"#", std::to_string(i)}, {"Name", c.names[i]}}));
  }
}

TEST_F(ContactXmlImport, RowsAreAppendedAfterTheHostsOwn) {
  HostTable table({"Name"});
  table.Add({{"Name", "old"}});
  ASSERT_EQ(Import(Doc11({Name("A"), Name("B")}), table), 1);
  ASSERT_EQ(table.Records(), 3);
  EXPECT_EQ(table.Record(1), (Record{{"#", "0"}, {"Name", "old"}}));
  EXPECT_EQ(table.Record(2), (Record{{"#", "0"}, {"Name", "A"}}));
  EXPECT_EQ(table.Record(3), (Record{{"#", "1"}, {"Name", "B"}}));
}

// --- encodings --------------------------------------------------------------------

TEST_F(ContactXmlImport, EveryEncodingGivesTheSameText) {
  const std::string name = U8(u8"①㈱髙橋 ～ ｶﾅ");
  const std::string body = "<ContactXML version='1.0'>" + Name(name) + "</ContactXML>\n";
  const auto utf16 = [](const std::string& utf8) {
    std::string out = "\xFF\xFE";
    std::u16string wide;
    for (std::size_t i = 0; i < utf8.size();) {  // the text here is all in the BMP
      const unsigned char c = utf8[i];
      char16_t ch;
      if (c < 0x80) {
        ch = c;
        i += 1;
      } else if (c < 0xE0) {
        ch = static_cast<char16_t>(((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F));
        i += 2;
      } else {
        ch = static_cast<char16_t>(((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) |
                                   (utf8[i + 2] & 0x3F));
        i += 3;
      }
      out += static_cast<char>(ch & 0xFF);
      out += static_cast<char>(ch >> 8);
    }
    return out;
  };
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"UTF-8", "<?xml version='1.0' encoding='UTF-8'?>\n" + body},
      {"UTF-16", utf16("<?xml version='1.0' encoding='UTF-16'?>\n" + body)},
      {"Shift_JIS", vext::test::Sjis("<?xml version='1.0' encoding='Shift_JIS'?>\n" + body)},
      {"Windows-31J", vext::test::Sjis("<?xml version='1.0' encoding='Windows-31J'?>\n" + body)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HostTable table({"Name"});
    EXPECT_EQ(Import(c.bytes, table), 1);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>());
    ASSERT_EQ(table.Records(), 1);
    EXPECT_EQ(table.Record(1), (Record{{"#", "0"}, {"Name", name}}));
    ui->ClearEvents();
  }
}

// --- failures: a message, result 2 and the table as it was ------------------------------------

TEST_F(ContactXmlImport, FailuresLeaveTheTableAsItWas) {
  std::string brokenAtEnd = Doc11({Name("A"), Name("B")});
  brokenAtEnd.resize(brokenAtEnd.size() - 3);
  const struct {
    const char* name;
    std::string bytes;
    std::string message;  // the whole message, or its start when ending in "..."
  } cases[] = {
      {"not well-formed after whole entries", brokenAtEnd, LoadFailed("...")},
      {"not well-formed, with a root of another form", "<Phonebook><x></Phonebook>",
       LoadFailed("...")},
      {"text that CP932 cannot hold", Doc11({Name(U8(u8"😀"))}),
       LoadFailed(U8(u8"文字コードを変換できない文字が含まれています。"))},
      {"another version", "<ContactXML version='1.2'/>",
       U8(u8"このバージョンのContactXMLファイルは読み込むことができません。")},
      {"a root differing in case", "<contactxml version='1.1'/>",
       U8(u8"このＸＭＬファイルは対応していない形式です。")},
      {"another root", "<DenpyoXML/>", U8(u8"このＸＭＬファイルは対応していない形式です。")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HostTable table({"Name"});
    EXPECT_EQ(Import(c.bytes, table), 2);
    EXPECT_EQ(table.Records(), 0);
    const std::vector<std::string> messages = ui.Messages();
    ASSERT_EQ(messages.size(), 1u);
    if (c.message.ends_with("..."))
      EXPECT_TRUE(messages[0].starts_with(c.message.substr(0, c.message.size() - 3)))
          << messages[0];
    else
      EXPECT_EQ(messages[0], c.message);
    ui->ClearEvents();
  }
}

TEST_F(ContactXmlImport, AMissingFileIsALoadFailure) {
  HostTable table({"Name"});
  CContactXmlConv conv;
  EXPECT_EQ(conv.ImportContactXML(vext::test::SystemPath(dir / "none.xml"), 0, table.get()), 2);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_TRUE(ui.Messages()[0].starts_with(vext::test::Utf8(
      vext::test::SystemPath(dir / "none.xml").str() + "のロードに失敗しました。\n"_sj)));
}

TEST_F(ContactXmlImport, ATableWithoutColumnNames) {
  const std::string document = Doc11({Name("A")});
  CPtrArray noRows;
  CStringArray emptyNames;
  CPtrArray emptyNameRow;
  emptyNameRow.Add(&emptyNames);
  for (CPtrArray* table : {&noRows, &emptyNameRow, static_cast<CPtrArray*>(nullptr)}) {
    vext::test::WriteBytes(dir / "book.xml", document);
    CContactXmlConv conv;
    EXPECT_EQ(conv.ImportContactXML(path, 0, table), 2);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{U8(u8"項目名未設定")});
    ui->ClearEvents();
  }
  EXPECT_EQ(emptyNameRow.GetSize(), 1);
}

// --- the company-or-person question ---------------------------------------------------

const std::vector<std::string> kCompany = {"ok"};
const std::vector<std::string> kPerson = {"click:14002", "ok"};

TEST_F(ContactXmlImport, TheQuestionAsShown) {
  HostTable table({"Name"});
  ASSERT_EQ(Import(Doc11({}), table, {"default"}), 1);
  const auto events = ui->Events();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(vext::test::Utf8(events[0].text.str()), U8(u8"会社/個人の選択"));
  EXPECT_EQ(events[0].result, IDOK);
  const vext::DialogState& shown = events[0].steps.at(0).state;
  const auto text = [&](int id) { return vext::test::Utf8(shown.Find(id)->text.str()); };
  EXPECT_EQ(text(14000), U8(u8"会社/個人の区別があるデータが両方あった場合に、\n"
                            u8"どちらを読み込むか選択して【OK】をクリックしてください。"));
  EXPECT_EQ(text(14001), U8(u8"会社（郵便番号･住所･TEL･FAX･E-mail）"));
  EXPECT_EQ(text(14002), U8(u8"個人（郵便番号･住所･TEL･FAX･E-mail）"));
  EXPECT_EQ(shown.Find(14001)->check, BST_CHECKED);
  EXPECT_EQ(shown.Find(14002)->check, BST_UNCHECKED);
}

// Which location set an entry is read from, for either answer.
TEST_F(ContactXmlImport, LocationSetChoice) {
  const auto address = [](const char* locationType, const std::string& text) {
    return std::string("<AddressItem locationType='") + locationType + "'><FullAddress>" + text +
           "</FullAddress></AddressItem>";
  };
  const auto phone = [](const char* usage, const char* number) {
    return std::string("<PhoneItem phoneDevice='Phone' usage='") + usage + "'>" + number +
           "</PhoneItem>";
  };
  struct Case {
    const char* name;
    std::string item;
    Record company;  // read with the first answer
    Record person;   // read with the second
  };
  const Case cases[] = {
      {"office and home data",
       "<Address>" + address("Home", "H") + address("Office", "O") + "</Address><Phone>" +
           phone("Official", "1") + phone("Private", "2") + "</Phone>",
       {{"Address", "O"}, {"TEL", "1"}},
       {{"Address", "H"}, {"TEL", "2"}}},
      {"office data only",
       "<Address>" + address("Office", "O") + "</Address>",
       {{"Address", "O"}},
       {{"Address", "O"}}},
      {"home data only",
       "<Phone>" + phone("Private", "2") + "</Phone>",
       {{"TEL", "2"}},
       {{"TEL", "2"}}},
      {"other data only",
       "<Address>" + address("Branch", "B") + "</Address><Phone>" + phone("", "3") + "</Phone>",
       {{"Address", "B"}, {"TEL", "3"}},
       {{"Address", "B"}, {"TEL", "3"}}},
      {"other data do not count when office or home data exist",
       "<Address>" + address("Branch", "B") + "</Address><Phone>" + phone("Private", "2") +
           "</Phone>",
       {{"TEL", "2"}},
       {{"TEL", "2"}}},
      {"a lone office e-mail decides for the office set",
       "<Address>" + address("Home", "H") +
           "</Address><Email><EmailItem usage='Official'>o@x.jp</EmailItem></Email>",
       {{"E-mail", "o@x.jp"}},
       {{"Address", "H"}}},
  };
  for (const Case& c : cases) {
    for (const bool company : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (company ? ", company" : ", person"));
      HostTable table(kAllColumns);
      ASSERT_EQ(Import(Doc11({c.item}), table, company ? kCompany : kPerson), 1);
      Record expected = company ? c.company : c.person;
      expected["#"] = "0";
      EXPECT_EQ(table.Record(1), expected);
    }
  }
}

TEST_F(ContactXmlImport, CancelReadsNothing) {
  for (const std::vector<std::string>& answer :
       {std::vector<std::string>{"cancel"}, std::vector<std::string>{"click:14002", "cancel"}}) {
    HostTable table({"Name"});
    EXPECT_EQ(Import(Doc11({Name("A")}), table, answer), 2);
    EXPECT_EQ(table.Records(), 0);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>());
  }
}

}  // namespace

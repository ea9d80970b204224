// Read mode: which document shapes are accepted and which CSV lines each
// ContactXML entry gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConverterTestSupport.h"
#include "PhoneBookConv.h"
#include "platform/text/Sj.h"
#include "platform/xml/XmlDom.h"

namespace {

using vext::test::U8;

// A version 1.1 document holding the given ContactXMLItem contents.
std::string Doc11(const std::vector<std::string>& items) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<ContactXML xmlns=\"http://www.xmlns.org/2002/ContactXML\" version=\"1.1\">\n";
  for (const std::string& item : items) xml += "  <ContactXMLItem>" + item + "</ContactXMLItem>\n";
  return xml + "</ContactXML>\n";
}

struct Outcome {
  BOOL result;
  std::string csv;  // UTF-8; "<none>" when no CSV file was written
  std::vector<std::string> messages;
};

class ImportTest : public ::testing::Test {
 protected:
  Outcome Import(const std::string& xmlBytes) {
    vext::test::WriteBytes(dir / "book.xml", xmlBytes);
    vext::test::ScriptedUi ui;
    CPhoneBookConv conv;
    conv.m_strXmlPath = xmlPath;
    conv.m_strCsvPath = vext::test::SystemPath(dir / "xmlSnc.csv");
    Outcome outcome;
    outcome.result = conv.Import();
    outcome.csv = std::filesystem::exists(dir / "xmlSnc.csv")
                      ? vext::test::Utf8(vext::test::ReadBytes(dir / "xmlSnc.csv"))
                      : "<none>";
    outcome.messages = ui.Messages();
    return outcome;
  }

  std::string LoadFailed(const std::string& reasonStart) const {
    return vext::test::Utf8(xmlPath.str()) + U8(u8"のロードに失敗しました。\n") + reasonStart;
  }

  vext::test::ScratchDir dir;
  CString xmlPath = vext::test::SystemPath(dir / "book.xml");
};

// --- entries to lines, table-driven -------------------------------------------

struct EntryCase {
  const char* name;
  std::u8string item;  // the content of one ContactXMLItem
  std::u8string csv;   // the lines it gives
};

const std::u8string kHome =
    u8R"(<Address><AddressItem locationType="Home" xml:lang="ja-JP">)"
    u8R"(<AddressCode codeDomain="ZIP7">1600023</AddressCode><AddressCode codeDomain="JIS5">13104</AddressCode>)"
    u8R"(<AddressLine addressLineType="Prefecture">東京都</AddressLine><AddressLine addressLineType="City">新宿区</AddressLine>)"
    u8R"(<AddressLine addressLineType="Town">西新宿</AddressLine><AddressLine addressLineType="Number">1-2-3</AddressLine>)"
    u8R"(</AddressItem></Address>)";
const std::u8string kName =
    u8R"(<PersonName><PersonNameItem xml:lang="ja-JP"><FullName>山田太郎</FullName></PersonNameItem></PersonName>)";
const std::u8string kPrivatePhone =
    u8R"(<Phone><PhoneItem phoneDevice="Phone" usage="Private">03-1111-2222</PhoneItem></Phone>)";
const std::u8string kOrganization =
    u8R"(<Occupation><OccupationItem><OrganizationName>株式会社テスト</OrganizationName></OccupationItem></Occupation>)";

std::u8string Phones(const std::u8string& items) { return u8"<Phone>" + items + u8"</Phone>"; }
std::u8string Addresses(const std::u8string& items) {
  return u8"<Address>" + items + u8"</Address>";
}
std::u8string HomeItem(const std::u8string& attributes, const std::u8string& children) {
  return u8"<AddressItem locationType=\"Home\"" + attributes + u8">" + children +
         u8"</AddressItem>";
}
std::u8string Line(const std::u8string& type, const std::u8string& text) {
  return u8"<AddressLine addressLineType=\"" + type + u8"\">" + text + u8"</AddressLine>";
}

class EntryTest : public ImportTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryTest, GivesItsLines) {
  const Outcome outcome = Import(Doc11({U8(GetParam().item.c_str())}));
  if (GetParam().csv.empty()) {
    EXPECT_FALSE(outcome.result);
    EXPECT_EQ(outcome.messages,
              std::vector<std::string>{U8(u8"読み込むデータがありませんでした。")});
    EXPECT_EQ(outcome.csv, "<none>");
    return;
  }
  EXPECT_EQ(outcome.csv, U8(GetParam().csv.c_str()));
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(outcome.messages, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EntryTest,
    ::testing::Values(
        EntryCase{"HomeAddressPrivatePhoneAndName", kName + kHome + kPrivatePhone,
                  u8"03-1111-2222,1600023,東京都,新宿区,西新宿,1-2-3,13104,山田太郎,\r\n"},
        EntryCase{"OrganizationWithoutOfficeDataGivesABareCompanyLine",
                  kName + kHome + kPrivatePhone + kOrganization,
                  u8"03-1111-2222,1600023,東京都,新宿区,西新宿,1-2-3,13104,山田太郎,\r\n"
                  u8",,,,,,,,株式会社テスト\r\n"},
        EntryCase{"OfficeAddressWithOrganizationIsACompanyLine",
                  kOrganization +
                      Addresses(u8R"(<AddressItem locationType="Office">)" +
                                Line(u8"City", u8"港区") + u8"</AddressItem>") +
                      kName,
                  u8",,,港区,,,,,株式会社テスト\r\n"},
        EntryCase{"ElementsInAnyOrderAndUnknownOnesIgnored",
                  u8"<Memo>x</Memo>" + kPrivatePhone + u8"<Email/>" + kName,
                  u8"03-1111-2222,,,,,,,山田太郎,\r\n"},
        // Names.
        EntryCase{"DotsAreNoName",
                  u8R"(<PersonName><PersonNameItem xml:lang="ja-JP"><FullName>...</FullName>)"
                  u8R"(</PersonNameItem></PersonName>)" +
                      kPrivatePhone,
                  u8"03-1111-2222,,,,,,,,\r\n"},
        EntryCase{
            "LastJapaneseFullNameStays",
            u8R"(<PersonName><PersonNameItem xml:lang="ja-JP"><FullName>一</FullName><FullName>二</FullName>)"
            u8R"(</PersonNameItem><PersonNameItem xml:lang="en"><FullName>Three</FullName></PersonNameItem>)"
            u8R"(<PersonNameItem xml:lang="ja-JP"><FullName>四</FullName></PersonNameItem>)"
            u8R"(<PersonNameItem><FullName>Five</FullName></PersonNameItem></PersonName>)" +
                kPrivatePhone,
            u8"03-1111-2222,,,,,,,四,\r\n"},
        EntryCase{"LastOrganizationStays",
                  u8R"(<Occupation><OccupationItem><OrganizationName>甲</OrganizationName>)"
                  u8R"(<OrganizationName>乙</OrganizationName></OccupationItem>)"
                  u8R"(<OccupationItem><Department>部</Department></OccupationItem></Occupation>)",
                  u8",,,,,,,,乙\r\n"},
        // Telephones.
        EntryCase{
            "FirstUsablePhoneStays",
            Phones(
                u8R"(<PhoneItem usage="Private">1</PhoneItem><PhoneItem usage="Private">2</PhoneItem>)"),
            u8"1,,,,,,,,\r\n"},
        EntryCase{"PreferredPhoneReplacesTheFirst",
                  Phones(u8R"(<PhoneItem usage="Private">1</PhoneItem>)"
                         u8R"(<PhoneItem usage="Private" preference="True">2</PhoneItem>)"
                         u8R"(<PhoneItem usage="Private" preference="True">3</PhoneItem>)"),
                  u8"2,,,,,,,,\r\n"},
        EntryCase{"PreferredTakenIsPerPhoneElement",
                  Phones(u8R"(<PhoneItem usage="Private" preference="True">1</PhoneItem>)") +
                      Phones(u8R"(<PhoneItem usage="Private" preference="True">2</PhoneItem>)"),
                  u8"2,,,,,,,,\r\n"},
        EntryCase{"LaterPhoneElementDoesNotReplaceWithoutPreference",
                  Phones(u8R"(<PhoneItem usage="Private">1</PhoneItem>)") +
                      Phones(u8R"(<PhoneItem usage="Private">2</PhoneItem>)"),
                  u8"1,,,,,,,,\r\n"},
        EntryCase{"PreferredTakenIsPerBlock",
                  Phones(u8R"(<PhoneItem usage="Official" preference="True">9</PhoneItem>)"
                         u8R"(<PhoneItem usage="Private" preference="True">1</PhoneItem>)") +
                      kOrganization,
                  u8"1,,,,,,,,\r\n9,,,,,,,,株式会社テスト\r\n"},
        EntryCase{"IgnoredPhonesStillSetThePersonalMark",
                  Phones(u8R"(<PhoneItem usage="Private" phoneDevice="Fax">1</PhoneItem>)"
                         u8R"(<PhoneItem usage="Private" preference="False">2</PhoneItem>)"
                         u8R"(<PhoneItem usage="Private" phoneDevice="Cellular">3</PhoneItem>)"),
                  u8",,,,,,,,\r\n"},
        EntryCase{"PhoneWithoutDeviceIsAPhone",
                  Phones(u8R"(<PhoneItem usage="Private" phoneDevice="Fax">1</PhoneItem>)"
                         u8R"(<PhoneItem usage="Private">2</PhoneItem>)"),
                  u8"2,,,,,,,,\r\n"},
        EntryCase{"PhoneOfOtherUsageIsIgnoredEntirely",
                  Phones(u8R"(<PhoneItem usage="Mobile">1</PhoneItem><PhoneItem>2</PhoneItem>)") +
                      kName + kPrivatePhone,
                  u8"03-1111-2222,,,,,,,山田太郎,\r\n"},
        // Addresses.
        EntryCase{
            "PreferredAddressReplacesColumnsAndScratch",
            Addresses(HomeItem(u8"", u8"<FullAddress>北海道札幌市</FullAddress><Zip>0600000</Zip>" +
                                         Line(u8"Town", u8"大通")) +
                      HomeItem(u8R"( preference="True")", Line(u8"City", u8"横浜市")) +
                      HomeItem(u8R"( preference="True")", Line(u8"City", u8"川崎市")) +
                      HomeItem(u8"", Line(u8"Town", u8"元町"))),
            u8",,,横浜市,,,,,\r\n"},
        EntryCase{"AddressWithPreferenceFalseIsIgnoredButMarks",
                  Addresses(HomeItem(u8R"( preference="False")", Line(u8"City", u8"横浜市"))),
                  u8",,,,,,,,\r\n"},
        EntryCase{"AddressOfOtherLocationIsIgnoredEntirely",
                  Addresses(u8R"(<AddressItem locationType="Other">)" + Line(u8"City", u8"横浜市") +
                            u8R"(</AddressItem><AddressItem>)" + Line(u8"City", u8"川崎市") +
                            u8"</AddressItem>"),
                  u8""},
        EntryCase{
            "LaterLineOfTheSameKindReplaces",
            Addresses(HomeItem(u8"", Line(u8"City", u8"横浜市") + Line(u8"City", u8"川崎市"))),
            u8",,,川崎市,,,,,\r\n"},
        EntryCase{
            "BuildingAndFloorFollowTheNumber",
            Addresses(HomeItem(u8"", Line(u8"FloorOrRoom", u8"5F") + Line(u8"Building", u8"ビル") +
                                         Line(u8"Number", u8"1-2-3"))),
            u8",,,,,1-2-3ビル5F,,,\r\n"},
        EntryCase{"ZipAndAreaCodeFallBack",
                  Addresses(HomeItem(u8"", u8"<Zip>1000001</Zip>" + Line(u8"JIS5", u8"13101"))),
                  u8",1000001,,,,,13101,,\r\n"},
        EntryCase{
            "ZipSevenAndJisFiveCodesWinOverTheFallbacks",
            Addresses(HomeItem(u8"", u8"<Zip>1000001</Zip>" + Line(u8"JIS5", u8"13101") +
                                         u8R"(<AddressCode codeDomain="ZIP7">2000002</AddressCode>)"
                                         u8R"(<AddressCode codeDomain="JIS5">14100</AddressCode>)"
                                         u8R"(<AddressCode codeDomain="zip7">3</AddressCode>)")),
            u8",2000002,,,,,14100,,\r\n"},
        EntryCase{"FullAddressIsSplitAtThePrefecture",
                  Addresses(HomeItem(u8"", u8"<FullAddress>東京都新宿区西新宿</FullAddress>")),
                  u8",,東京都,新宿区西新宿,,,,,\r\n"},
        EntryCase{"FullAddressWithoutPrefectureGoesWholeToTheCity",
                  Addresses(HomeItem(u8"", u8"<FullAddress>新宿区西新宿</FullAddress>")),
                  u8",,,新宿区西新宿,,,,,\r\n"},
        EntryCase{"FullAddressIsUnusedWhenAnyStreetColumnIsGiven",
                  Addresses(HomeItem(u8"", u8"<FullAddress>東京都新宿区</FullAddress>" +
                                               Line(u8"Town", u8"西新宿"))),
                  u8",,,,西新宿,,,,\r\n"},
        EntryCase{"OthersAccumulateAndAreSplitWithoutFullAddress",
                  Addresses(HomeItem(u8"", Line(u8"Others", u8"大阪府大阪市") +
                                               Line(u8"Others", u8"北区"))),
                  u8",,大阪府,大阪市北区,,,,,\r\n"},
        EntryCase{
            "CompanyAndPersonalBlocksKeepTheirOwnScratch",
            Addresses(
                u8R"(<AddressItem locationType="Office"><FullAddress>京都府京都市</FullAddress></AddressItem>)" +
                HomeItem(u8"", u8"<FullAddress>沖縄県那覇市</FullAddress>")) +
                kOrganization,
            u8",,沖縄県,那覇市,,,,,\r\n,,京都府,京都市,,,,,株式会社テスト\r\n"},
        EntryCase{"FieldsAreQuotedAsTheCsvNeeds",
                  kPrivatePhone +
                      u8R"(<PersonName><PersonNameItem xml:lang="ja-JP"><FullName>A "B", C)"
                      u8"\nD</FullName></PersonNameItem></PersonName>",
                  u8"03-1111-2222,,,,,,,\"A \"\"B\"\", C\nD\",\r\n"}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

// --- whole documents ----------------------------------------------------------

TEST_F(ImportTest, EntriesWithoutLinesGiveTheNoDataMessage) {
  const Outcome outcome =
      Import(Doc11({U8(kName.c_str()), U8((kName + u8"<Address/>").c_str()), ""}));
  EXPECT_FALSE(outcome.result);
  EXPECT_EQ(outcome.messages, std::vector<std::string>{U8(u8"読み込むデータがありませんでした。")});
  EXPECT_EQ(outcome.csv, "<none>");
}

TEST_F(ImportTest, LinesOfAllEntriesInDocumentOrder) {
  const Outcome outcome =
      Import(Doc11({U8((kName + kPrivatePhone).c_str()), U8(kOrganization.c_str()),
                    U8(kName.c_str()), U8(kPrivatePhone.c_str())}));
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(
      outcome.csv,
      U8(u8"03-1111-2222,,,,,,,山田太郎,\r\n,,,,,,,,株式会社テスト\r\n03-1111-2222,,,,,,,,\r\n"));
}

TEST_F(ImportTest, VersionOneZeroRootIsTheOneEntry) {
  const Outcome outcome =
      Import(U8((u8R"(<ContactXML version="1.0">)" + kName + kPrivatePhone + u8"<ContactXMLItem>" +
                 kOrganization + u8"</ContactXMLItem></ContactXML>")
                    .c_str()));
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(outcome.csv, U8(u8"03-1111-2222,,,,,,,山田太郎,\r\n"));
}

TEST_F(ImportTest, SnContactXmlRootHoldsContactXmlEntries) {
  const Outcome outcome = Import(
      U8((u8R"(<SNContactXML><ContactXML version="9">)" + kName + kPrivatePhone +
          u8"</ContactXML><ContactXMLItem>" + kOrganization + u8"</ContactXMLItem><ContactXML>" +
          kOrganization + u8"</ContactXML></SNContactXML>")
             .c_str()));
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(outcome.csv, U8(u8"03-1111-2222,,,,,,,山田太郎,\r\n,,,,,,,,株式会社テスト\r\n"));
}

TEST_F(ImportTest, SnContactXmlRootWithoutEntriesIsAcceptedButHasNoData) {
  const Outcome outcome = Import("<SNContactXML version=\"1.1\"/>");
  EXPECT_FALSE(outcome.result);
  EXPECT_EQ(outcome.messages, std::vector<std::string>{U8(u8"読み込むデータがありませんでした。")});
}

TEST_F(ImportTest, OtherRootsAndVersionsAreRefused) {
  for (const char* xml :
       {R"(<ContactXML version="1.2"><ContactXMLItem/></ContactXML>)", "<ContactXML/>",
        R"(<contactxml version="1.1"/>)", R"(<x:ContactXML xmlns:x="urn:x" version="1.1"/>)",
        R"(<AddressBook version="1.1"/>)"}) {
    const Outcome outcome = Import(xml);
    EXPECT_FALSE(outcome.result) << xml;
    EXPECT_EQ(outcome.messages,
              std::vector<std::string>{U8(u8"このＸＭＬファイルは対応していない形式です。")})
        << xml;
    EXPECT_EQ(outcome.csv, "<none>") << xml;
  }
}

TEST_F(ImportTest, MalformedDocumentIsALoadFailureWhateverItsRoot) {
  for (const std::string& xml :
       {std::string("<ContactXML version=\"1.1\"><ContactXMLItem>"),
        std::string("<Other version=\"1.2\"><a></Other>"),
        std::string("<ContactXML version=\"1.0\"><PersonName></ContactXML>"),
        std::string("not xml at all"), std::string(""),
        Doc11({U8((kName + kPrivatePhone).c_str())}) + "<trailing/>"}) {
    const Outcome outcome = Import(xml);
    EXPECT_FALSE(outcome.result) << xml;
    ASSERT_EQ(outcome.messages.size(), 1u) << xml;
    EXPECT_EQ(outcome.messages[0].rfind(LoadFailed(""), 0), 0u) << outcome.messages[0];
    EXPECT_GT(outcome.messages[0].size(), LoadFailed("").size()) << "the reason is missing";
    EXPECT_EQ(outcome.csv, "<none>") << xml;
  }
}

TEST_F(ImportTest, ParseErrorAfterGoodEntriesWritesNothing) {
  std::string xml =
      Doc11({U8((kName + kPrivatePhone).c_str()), U8((kName + kPrivatePhone).c_str())});
  xml.resize(xml.size() - 8);  // cut into the closing root tag
  vext::test::WriteBytes(dir / "xmlSnc.csv", "old,phone,book\r\n");
  const Outcome outcome = Import(xml);
  EXPECT_FALSE(outcome.result);
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_EQ(outcome.messages[0].rfind(LoadFailed(""), 0), 0u) << outcome.messages[0];
  EXPECT_EQ(outcome.csv, "old,phone,book\r\n");
}

TEST_F(ImportTest, MissingFileIsALoadFailure) {
  CPhoneBookConv conv;
  vext::test::ScriptedUi ui;
  conv.m_strXmlPath = vext::test::SystemPath(dir / "absent.xml");
  conv.m_strCsvPath = vext::test::SystemPath(dir / "xmlSnc.csv");
  EXPECT_FALSE(conv.Import());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].rfind(
                vext::test::Utf8(conv.m_strXmlPath.str()) + U8(u8"のロードに失敗しました。\n"), 0),
            0u)
      << ui.Messages()[0];
}

TEST_F(ImportTest, TextOutsideShiftJisIsALoadFailure) {
  const Outcome outcome = Import(Doc11({U8(
      (u8R"(<PersonName><PersonNameItem xml:lang="ja-JP"><FullName>😀</FullName></PersonNameItem>)"
       u8"</PersonName>" +
       kPrivatePhone)
          .c_str())}));
  EXPECT_FALSE(outcome.result);
  // Named where the text begins: line 3, just after <FullName>.
  EXPECT_EQ(outcome.messages, std::vector<std::string>{LoadFailed(
                                  U8(u8"3 行目 74 桁目: ") +
                                  vext::test::Utf8(vext::xml::ConversionError::Message().str()))});
  EXPECT_EQ(outcome.csv, "<none>");
}

TEST_F(ImportTest, ShiftJisDocumentKeepsTheVendorCharacters) {
  const std::string xml =
      "<?xml version='1.1' encoding='Shift_JIS'?>" +
      vext::test::Sjis(
          U8((u8R"(<ContactXML version="1.1"><ContactXMLItem>)"
              u8R"(<PersonName><PersonNameItem xml:lang="ja-JP"><FullName>髙橋①㈱～</FullName>)"
              u8R"(</PersonNameItem></PersonName>)" +
              kPrivatePhone + u8"</ContactXMLItem></ContactXML>")
                 .c_str()));
  const Outcome outcome = Import(xml);
  EXPECT_TRUE(outcome.result);
  EXPECT_EQ(vext::test::ReadBytes(dir / "xmlSnc.csv"),
            vext::test::Sjis(U8(u8"03-1111-2222,,,,,,,髙橋①㈱～,\r\n")));
}

}  // namespace

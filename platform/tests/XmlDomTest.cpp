// The XML DOM facade: decoding every Shift_JIS name as CP932, the tree the
// components see after loading, hostile documents, and the exact bytes of
// a saved document.
#include <gtest/gtest.h>

#include <stdexcept>

#include "XmlTestSupport.h"
#include "platform/base/Exceptions.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/xml/XmlDom.h"

namespace {

using vext::xml::ConversionError;
using vext::xml::Document;
using vext::xml::Node;
using xmltest::Bytes;
using xmltest::ScratchFolder;
using xmltest::U8;

std::vector<CString> Names(const std::vector<Node>& nodes) {
  std::vector<CString> names;
  names.reserve(nodes.size());
  for (const Node& node : nodes) names.push_back(node.NodeName());
  return names;
}

class XmlDomTest : public ScratchFolder {
 protected:
  // Loads `bytes`; the reason is printed when the load fails.
  bool Load(Document& doc, const std::string& bytes) {
    const bool loaded = doc.Load(Put("doc.xml", bytes));
    if (!loaded) ADD_FAILURE() << vext::Cp932ToUtf8Lossy(doc.ParseErrorReason().view());
    return loaded;
  }
};

// --- decoding ----------------------------------------------------------------

TEST_F(XmlDomTest, EveryShiftJisNameDecodesAsCp932) {
  // ① and ㈱ are NEC extensions, 髙 an IBM one, ～ maps differently in
  // the strict table, ｶﾅ are single-byte kana: strict SHIFT_JIS refuses or
  // changes every one of them.
  const std::string text = "①髙㈱ｶﾅ～"_sj;
  for (const char* name : {"Shift_JIS", "shift_jis", "Shift-JIS", "SJIS", "x-sjis", "MS_Kanji",
                           "Windows-31J", "CP932", "cp932"}) {
    SCOPED_TRACE(name);
    Document doc;
    std::string document = "<?xml version=\"1.0\" encoding=\"";
    document.append(name).append("\"?>\r\n<r a=\"").append(text).append("\">");
    document.append(text).append("</r>");
    ASSERT_TRUE(Load(doc, document));
    EXPECT_EQ(doc.DocumentElement().Text(), text.c_str());
    EXPECT_EQ(doc.DocumentElement().GetAttribute("a").value_or(""), text.c_str());
  }
}

TEST_F(XmlDomTest, UnicodeDocumentsComeOutInCp932) {
  const std::string utf8 = U8(u8"<?xml version='1.0' encoding='UTF-8'?><r>①髙ｶﾅ</r>");
  Document doc;
  ASSERT_TRUE(Load(doc, utf8));
  EXPECT_EQ(doc.DocumentElement().Text(), "①髙ｶﾅ"_sj);

  // UTF-16LE with its byte-order mark, as Windows tools write it.
  std::string utf16 = "\xFF\xFE";
  for (char16_t c :
       std::u16string(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><r a=\"㈱\">髙</r>")) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  ASSERT_TRUE(Load(doc, utf16));
  EXPECT_EQ(doc.DocumentElement().Text(), "髙"_sj);
  EXPECT_EQ(doc.DocumentElement().GetAttribute("a").value_or(""), "㈱"_sj);
}

TEST_F(XmlDomTest, TextThatCp932CannotHoldIsAnErrorNotAReplacement) {
  Document doc;
  ASSERT_TRUE(Load(doc, U8(u8"<r a='\U0001F600'><b>\U0001F600</b><c>ok</c></r>")));
  const Node root = doc.DocumentElement();
  EXPECT_THROW(root.Text(), ConversionError);
  EXPECT_THROW(root.GetAttribute("a"), ConversionError);
  EXPECT_THROW(root.Attributes(), ConversionError);
  EXPECT_EQ(root.ChildNodes().at(1).Text(), "ok");
  EXPECT_EQ(ConversionError::Message(), "文字コードを変換できない文字が含まれています。"_sj);
}

// --- the tree after loading ----------------------------------------------------

TEST_F(XmlDomTest, WhiteSpaceBetweenElementsIsDroppedButAnOnlyChildStays) {
  // A long run of indentation: libxml2's own blank dropping gives up on it.
  const std::string indent = "\r\n" + std::string(3000, ' ') + "\t\t\r\n" + std::string(3000, ' ');
  Document doc;
  ASSERT_TRUE(Load(doc, "<r>" + indent + "<a>   </a>" + indent + "<!--c-->" + indent +
                            "<b> x </b>" + indent + "<p>Hello <i>big</i> <i>world</i></p>" +
                            indent + "<s xml:space='preserve'> <i/> </s>" + indent + "</r>"));
  const Node root = doc.DocumentElement();
  const auto children = root.ChildNodes();
  EXPECT_EQ(Names(children), (std::vector<CString>{"a", "#comment", "b", "p", "s"}));
  EXPECT_EQ(children[0].Text(), "   ");
  EXPECT_EQ(Names(children[0].ChildNodes()), (std::vector<CString>{"#text"}));
  EXPECT_EQ(children[1].Text(), "c");
  EXPECT_EQ(children[2].Text(), " x ");
  // Only white space that stands alone between markup goes.
  EXPECT_EQ(children[3].Text(), "Hello bigworld");
  EXPECT_EQ(Names(children[4].ChildNodes()), (std::vector<CString>{"#text", "i", "#text"}));
}

TEST_F(XmlDomTest, TextIsTheConcatenationOfDescendantTextAndCdata) {
  Document doc;
  ASSERT_TRUE(Load(
      doc,
      "<?xml version='1.0' encoding='Shift_JIS'?><!DOCTYPE r [<!ENTITY co \"" +
          Bytes("株式会社"_sj) +
          "\"><!ENTITY tag \"<t>&co;</t>\">]>"
          "<r encoding='x'>a<x>b<y>c</y></x><![CDATA[<d>&amp;]]>&amp;e<!--no--><?pi no?>&co;&tag;" +
          std::string("\x82\x50") + "</r>"));
  const Node root = doc.DocumentElement();
  EXPECT_EQ(root.Text(), "abc<d>&amp;&e株式会社株式会社１"_sj);
  // Entities are expanded into the tree as plain nodes.
  EXPECT_EQ(Names(root.ChildNodes()),
            (std::vector<CString>{"#text", "x", "#cdata-section", "#text", "#comment", "pi",
                                  "#text", "t", "#text"}));
  EXPECT_EQ(root.ChildNodes()[5].Text(), "no");
}

TEST_F(XmlDomTest, NamesAndAttributesAreTheQualifiedNamesAsWritten) {
  Document doc;
  ASSERT_TRUE(Load(doc,
                   "<ContactXML xmlns='urn:contact' xmlns:p='urn:p' version='1.1' xml:lang='ja-JP' "
                   "p:q='&lt;&amp;'>"
                   "<p:PersonName/><personname/></ContactXML>"));
  const Node root = doc.DocumentElement();
  EXPECT_EQ(root.NodeName(), "ContactXML");
  EXPECT_EQ(root.GetAttribute("xml:lang").value_or("-"), "ja-JP");
  EXPECT_EQ(root.GetAttribute("p:q").value_or("-"), "<&");
  EXPECT_EQ(root.GetAttribute("xmlns").value_or("-"), "urn:contact");
  EXPECT_EQ(root.GetAttribute("xmlns:p").value_or("-"), "urn:p");
  EXPECT_FALSE(root.GetAttribute("lang"));
  EXPECT_FALSE(root.GetAttribute("q"));
  EXPECT_FALSE(root.GetAttribute("Version"));
  const std::vector<vext::xml::Attribute> expected{{"xmlns", "urn:contact"},
                                                   {"xmlns:p", "urn:p"},
                                                   {"version", "1.1"},
                                                   {"xml:lang", "ja-JP"},
                                                   {"p:q", "<&"}};
  EXPECT_EQ(root.Attributes(), expected);
  EXPECT_EQ(Names(root.ChildNodes()), (std::vector<CString>{"p:PersonName", "personname"}));
}

// --- failures --------------------------------------------------------------------

TEST_F(XmlDomTest, ParseErrorNamesLineAndColumnInJapanese) {
  Document doc;
  EXPECT_FALSE(doc.Load(Put("bad.xml", "<?xml version=\"1.0\"?>\n<r>\n  <a></b>\n</r>\n")));
  EXPECT_NE(doc.ParseErrorCode(), 0);
  EXPECT_EQ(doc.ParseErrorReason(), "3 行目 10 桁目: 開始タグと終了タグが対応していません。"_sj);
  EXPECT_FALSE(doc.DocumentElement());

  // Bytes that are not CP932 at all in a Shift_JIS document.
  EXPECT_FALSE(doc.Load(
      Put("sjis.xml", "<?xml version='1.0' encoding='Shift_JIS'?>\n<r>\x82\xA0\x85\x40</r>")));
  EXPECT_NE(doc.ParseErrorCode(), 0);
  EXPECT_EQ(doc.ParseErrorReason(),
            "2 行目 5 桁目: 宣言された文字コードで読めないバイトがあります。"_sj);

  EXPECT_FALSE(doc.Load(Put("empty.xml", "")));
  EXPECT_NE(doc.ParseErrorCode(), 0);
  EXPECT_EQ(doc.ParseErrorReason(), "1 行目 1 桁目: 文書が空です。"_sj);
}

TEST_F(XmlDomTest, VersionOneDotOneIsOnlyAWarning) {
  Document doc;
  EXPECT_TRUE(Load(doc, "<?xml version='1.1' encoding='Shift_JIS'?>\r\n<r/>"));
  EXPECT_EQ(doc.ParseErrorCode(), 0);
  EXPECT_EQ(doc.ParseErrorReason(), "");
}

TEST_F(XmlDomTest, MissingFileGivesThePlatformFileMessage) {
  Document doc;
  const CString path = PathOf("none.xml");
  EXPECT_FALSE(doc.Load(path));
  EXPECT_EQ(doc.ParseErrorCode(), Document::kFileError);
  EXPECT_EQ(doc.ParseErrorReason(),
            CFileException(CFileException::fileNotFound, 2, path).GetErrorMessage());
}

TEST_F(XmlDomTest, EntityBombsFailInsteadOfExpanding) {
  Document doc;
  EXPECT_FALSE(doc.Load(CString(xmltest::DataFile("billion-laughs.xml").string())));
  EXPECT_NE(doc.ParseErrorCode(), 0);

  // One large entity used many times passes libxml2's own checks when it
  // does not substitute; the expansion limit stops it.
  const std::string big(20000, 'x');
  std::string refs;
  for (int i = 0; i < 5000; ++i) refs += "&e;";
  EXPECT_FALSE(doc.Load(
      Put("quadratic.xml", "<!DOCTYPE r [<!ENTITY e '" + big + "'>]><r>" + refs + "</r>")));
  EXPECT_EQ(doc.ParseErrorCode(), Document::kExpansionError);
  EXPECT_EQ(doc.ParseErrorReason(), "エンティティの展開が大きすぎます。"_sj);
}

TEST_F(XmlDomTest, ExternalEntitiesAndDtdsAreNeverRead) {
  const CString secret = Put("secret.txt", "TOPSECRET");
  Put("secret.dtd", "<!ENTITY leak 'TOPSECRET'><!ATTLIST r leak CDATA 'TOPSECRET'>");
  const std::string dtd = (m_dir / "secret.dtd").string();
  const std::string documents[] = {
      "<!DOCTYPE r [<!ENTITY x SYSTEM 'file://" + std::string(secret) + "'>]><r>&x;</r>",
      "<!DOCTYPE r [<!ENTITY x SYSTEM '" + std::string(secret) + "'>]><r>&x;</r>",
      "<!DOCTYPE r [<!ENTITY % p SYSTEM '" + dtd + "'> %p;]><r>&leak;</r>",
      "<!DOCTYPE r SYSTEM '" + dtd + "'><r/>",
  };
  for (const std::string& text : documents) {
    SCOPED_TRACE(text);
    Document doc;
    if (!doc.Load(Put("doc.xml", text))) continue;  // refusing is fine too
    const Node root = doc.DocumentElement();
    EXPECT_EQ(root.Text().Find("TOPSECRET"), -1);
    EXPECT_FALSE(root.GetAttribute("leak"));
  }
}

// --- building ---------------------------------------------------------------------

TEST_F(XmlDomTest, BuildingRefusesWhatXmlCannotCarry) {
  Document doc;
  Node element = doc.CreateElement("e");
  EXPECT_THROW(element.SetText(CString("\x82")), ConversionError);  // a lead byte alone
  EXPECT_THROW(element.SetText(CString("a\x01")), ConversionError);
  EXPECT_THROW(element.SetAttribute("a", CString("\x81\x20")), ConversionError);
  EXPECT_THROW(doc.CreateElement(CString("\xFF")), ConversionError);
  EXPECT_THROW(doc.CreateElement("two words"), std::invalid_argument);
  EXPECT_THROW(element.SetAttribute("", "x"), std::invalid_argument);
  element.SetText("tab\tline\r\nok");
  EXPECT_EQ(element.Text(), "tab\tline\r\nok");
}

TEST_F(XmlDomTest, AppendingKeepsTheTreeATree) {
  Document doc, other;
  Node a = doc.CreateElement("a");
  Node b = doc.CreateElement("b");
  a.AppendChild(b);
  EXPECT_THROW(b.AppendChild(a), std::invalid_argument);
  EXPECT_THROW(a.AppendChild(a), std::invalid_argument);
  EXPECT_THROW(a.AppendChild(other.CreateElement("c")), std::invalid_argument);
  doc.AppendChild(a);
  EXPECT_THROW(doc.AppendChild(doc.CreateElement("second")), std::invalid_argument);
  EXPECT_EQ(doc.DocumentElement().NodeName(), "a");

  // Children replaced by SetText leave the tree but stay usable.
  b.SetText("old");
  a.SetText("new");
  EXPECT_EQ(a.Text(), "new");
  EXPECT_EQ(b.Text(), "old");
  a.AppendChild(b);
  EXPECT_EQ(a.Text(), "newold");
  EXPECT_EQ(Names(a.ChildNodes()), (std::vector<CString>{"#text", "b"}));
}

TEST_F(XmlDomTest, SetAttributeReplacesInPlace) {
  Document doc;
  Node e = doc.CreateElement("e");
  e.SetAttribute("a", "1");
  e.SetAttribute("xml:lang", "ja-JP");
  e.SetAttribute("b", "2");
  e.SetAttribute("a", "3");
  EXPECT_EQ(e.Attributes(),
            (std::vector<vext::xml::Attribute>{{"a", "3"}, {"xml:lang", "ja-JP"}, {"b", "2"}}));
  EXPECT_EQ(e.GetAttribute("xml:lang").value_or(""), "ja-JP");
}

// --- saving ------------------------------------------------------------------------

// The converter's document, in small.
void BuildContactDocument(Document& doc) {
  doc.AppendChild(doc.CreateProcessingInstruction("xml", "version='1.1' encoding='Shift_JIS'"));
  doc.AppendChild(doc.CreateComment("<!DOCTYPE ContactXML SYSTEM \"ContactXML_01_01a.dtd\">"));
  Node root = doc.CreateElement("ContactXML");
  root.SetAttribute("xmlns", "http://www.example.jp/2002/ContactXML");
  root.SetAttribute("version", "1.1");
  Node item = doc.CreateElement("ContactXMLItem");
  Node name = doc.CreateElement("FullName");
  name.SetAttribute("pronunciation", "ﾔﾏﾀﾞ"_sj);
  name.SetText("山田①髙"_sj);
  item.AppendChild(name);
  Node code = doc.CreateElement("AddressCode");
  code.SetAttribute("codeDomain", "ZIP7");
  code.SetText("");
  item.AppendChild(code);
  Node memo = doc.CreateElement("Memo");
  memo.SetAttribute("x", "\"&<>\t\n\r'");
  memo.SetText("a<b>&\"c'\r\nd");
  item.AppendChild(memo);
  root.AppendChild(item);
  doc.AppendChild(root);
}

std::string ContactBytes() {
  return "<?xml version='1.1' encoding='Shift_JIS'?>\r\n"
         "<!--<!DOCTYPE ContactXML SYSTEM \"ContactXML_01_01a.dtd\">-->\r\n"
         "<ContactXML xmlns=\"http://www.example.jp/2002/ContactXML\" "
         "version=\"1.1\"><ContactXMLItem>" +
         Bytes("<FullName pronunciation=\"ﾔﾏﾀﾞ\">山田①髙</FullName>"_sj) +
         "<AddressCode codeDomain=\"ZIP7\"/>"
         "<Memo x=\"&quot;&amp;&lt;>&#9;&#10;&#13;'\">a&lt;b&gt;&amp;\"c'&#13;\nd</Memo>"
         "</ContactXMLItem></ContactXML>\r\n";
}

TEST_F(XmlDomTest, SavedBytesAreExact) {
  Document doc;
  BuildContactDocument(doc);
  ASSERT_TRUE(doc.Save(PathOf("out.xml")));
  EXPECT_EQ(doc.ParseErrorCode(), 0);
  EXPECT_EQ(Get("out.xml"), ContactBytes());
}

TEST_F(XmlDomTest, SavedDocumentReadsBackUnchanged) {
  Document doc;
  BuildContactDocument(doc);
  ASSERT_TRUE(doc.Save(PathOf("out.xml")));
  Document again;
  ASSERT_TRUE(again.Load(PathOf("out.xml")));
  const Node item = again.DocumentElement().ChildNodes().at(0);
  const Node memo = item.ChildNodes().at(2);
  EXPECT_EQ(memo.Text(), "a<b>&\"c'\r\nd");
  EXPECT_EQ(memo.GetAttribute("x").value_or(""), "\"&<>\t\n\r'");
  EXPECT_EQ(item.ChildNodes().at(0).Text(), "山田①髙"_sj);
  EXPECT_EQ(item.ChildNodes().at(1).ChildNodes().size(), 0u);
}

TEST_F(XmlDomTest, EveryCp932CharacterSurvivesSaveAndLoad) {
  std::string all;
  for (int b = 0x20; b < 0x100; ++b) all += static_cast<char>(b);
  for (int lead = 0x81; lead <= 0xFC; ++lead)
    for (int trail = 0x40; trail <= 0xFC; ++trail)
      all += {static_cast<char>(lead), static_cast<char>(trail)};
  // Keep what iconv's CP932 can decode, one character at a time.
  std::string text;
  for (std::size_t i = 0; i < all.size();) {
    const std::size_t n = i >= 0x100 - 0x20 ? 2 : 1;
    const std::string one = all.substr(i, n);
    if (vext::Cp932ToUtf8(one)) text += one;
    i += n;
  }
  // Duplicate codes (NEC and IBM rows) come back as iconv's preferred one.
  const std::string expected = *vext::Utf8ToCp932(*vext::Cp932ToUtf8(text));

  Document doc;
  doc.AppendChild(doc.CreateProcessingInstruction("xml", "version=\"1.0\" encoding=\"Shift_JIS\""));
  Node root = doc.CreateElement("r");
  root.SetText(CString(text));
  root.SetAttribute("a", CString(text));
  doc.AppendChild(root);
  ASSERT_TRUE(doc.Save(PathOf("all.xml")));
  Document again;
  ASSERT_TRUE(again.Load(PathOf("all.xml")));
  EXPECT_EQ(again.DocumentElement().Text().str(), expected);
  EXPECT_EQ(again.DocumentElement().GetAttribute("a").value_or("").str(), expected);
}

TEST_F(XmlDomTest, OutputEncodingFollowsTheDeclaration) {
  struct Case {
    const char* declaration;
    std::string bytes;
  };
  const Case cases[] = {
      {"version=\"1.0\" encoding=\"SJIS\"", Bytes("<r>髙高</r>"_sj)},
      {"version=\"1.0\" encoding=\"UTF-8\"", U8(u8"<r>髙高</r>")},
      {"version=\"1.0\"", U8(u8"<r>髙高</r>")},
      {"version=\"1.0\" encoding=\"EUC-JP\"", "<r>&#39641;\xB9\xE2</r>"},
      {"version=\"1.0\" encoding=\"ISO-8859-1\"", "<r>&#39641;&#39640;</r>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.declaration);
    Document doc;
    doc.AppendChild(doc.CreateProcessingInstruction("xml", c.declaration));
    Node root = doc.CreateElement("r");
    root.SetText("髙高"_sj);  // an IBM extension, then plain JIS
    doc.AppendChild(root);
    ASSERT_TRUE(doc.Save(PathOf("enc.xml")));
    EXPECT_EQ(Get("enc.xml"), "<?xml " + std::string(c.declaration) + "?>\r\n" + c.bytes + "\r\n");
    Document again;
    ASSERT_TRUE(again.Load(PathOf("enc.xml")));
    EXPECT_EQ(again.DocumentElement().Text(), "髙高"_sj);
  }
}

TEST_F(XmlDomTest, UnwritableContentFailsTheSaveAndKeepsTheOldFile) {
  Put("out.xml", "OLD");
  struct Case {
    const char* declaration;
    const char* comment;
    long code;
    std::string reason;
  };
  const Case cases[] = {
      {"version='1.0' encoding='x-no-such-encoding'", "c", Document::kConversionError,
       "文字コードを変換できない文字が含まれています。"_sj},
      {"version='1.0' encoding='UTF-16'", "c", Document::kConversionError,
       "文字コードを変換できない文字が含まれています。"_sj},
      {"version='1.0'", "a--b", Document::kStructureError,
       "コメントまたは処理命令に書き込めない文字列が含まれています。"_sj},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.declaration);
    Document doc;
    doc.AppendChild(doc.CreateProcessingInstruction("xml", c.declaration));
    doc.AppendChild(doc.CreateComment(c.comment));
    doc.AppendChild(doc.CreateElement("r"));
    EXPECT_FALSE(doc.Save(PathOf("out.xml")));
    EXPECT_EQ(doc.ParseErrorCode(), c.code);
    EXPECT_EQ(doc.ParseErrorReason(), c.reason.c_str());
    EXPECT_EQ(Get("out.xml"), "OLD");
  }

  Document doc;
  doc.AppendChild(doc.CreateElement("r"));
  const CString missing = PathOf("no-folder/out.xml");
  EXPECT_FALSE(doc.Save(missing));
  EXPECT_EQ(doc.ParseErrorCode(), Document::kFileError);
  EXPECT_EQ(doc.ParseErrorReason(),
            CFileException(CFileException::badPath, 2, missing).GetErrorMessage());
}

TEST_F(XmlDomTest, LoadedDocumentIsSavedAsUtf8) {
  // A parsed document has no declaration node: UTF-8 keeps every character.
  Document doc;
  ASSERT_TRUE(Load(doc, U8(u8"<r a='\U0001F600'>x\U0001F600y</r>")));
  ASSERT_TRUE(doc.Save(PathOf("copy.xml")));
  EXPECT_EQ(Get("copy.xml"), U8(u8"<r a=\"\U0001F600\">x\U0001F600y</r>\r\n"));
}

}  // namespace

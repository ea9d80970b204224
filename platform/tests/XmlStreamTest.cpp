// EntryReader and EntryWriter: documents read and written one entry at a
// time, errors in the middle of a long document, atomic output, and
// memory that stays flat over a long list.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cerrno>
#include <stdexcept>

#include "XmlTestSupport.h"
#include "platform/base/Exceptions.h"
#include "platform/fs/detail/Syscalls.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/xml/XmlDom.h"

namespace {

using vext::xml::Document;
using vext::xml::EntryReader;
using vext::xml::EntryWriter;
using vext::xml::Node;
using xmltest::Bytes;
using xmltest::ScratchFolder;

class XmlStreamTest : public ScratchFolder {
 protected:
  // The names of the entries that NextEntry hands out, in order.
  std::vector<CString> EntryNames(EntryReader& reader) {
    std::vector<CString> names;
    for (Node entry = reader.NextEntry(); entry; entry = reader.NextEntry())
      names.push_back(entry.NodeName());
    return names;
  }
  std::string Reason(const EntryReader& reader) {
    return vext::Cp932ToUtf8Lossy(reader.ParseErrorReason().view());
  }
};

std::string Item() {
  return "\r\n  <ContactXMLItem>\r\n    <PersonName>\r\n      <PersonNameItem "
         "xml:lang=\"ja-JP\">\r\n"
         "        <FullName>" +
         Bytes("山田太郎"_sj) +
         "</FullName>\r\n      </PersonNameItem>\r\n    </PersonName>\r\n  </ContactXMLItem>";
}

TEST_F(XmlStreamTest, EntriesAreTheRootsChildElementsInOrder) {
  const CString path = Put("list.xml",
                           "<?xml version='1.1' encoding='Shift_JIS'?>\r\n<!--header-->\r\n"
                           "<ContactXML xmlns='urn:c' version='1.1' creator='urn:me'>" +
                               Item() + "\r\n  <!--between-->\r\n  <Other a='1'/>text" + Item() +
                               "\r\n</ContactXML>\r\n<!--after-->\r\n");
  EntryReader reader;
  ASSERT_TRUE(reader.Open(path)) << Reason(reader);
  EXPECT_EQ(reader.RootName(), "ContactXML");
  EXPECT_EQ(reader.RootAttribute("version").value_or(""), "1.1");
  EXPECT_EQ(reader.RootAttribute("creator").value_or(""), "urn:me");
  EXPECT_EQ(reader.RootAttributes(),
            (std::vector<vext::xml::Attribute>{
                {"xmlns", "urn:c"}, {"version", "1.1"}, {"creator", "urn:me"}}));

  Node first = reader.NextEntry();
  ASSERT_TRUE(first);
  EXPECT_EQ(first.NodeName(), "ContactXMLItem");
  // Each entry is tidied like a loaded document.
  const Node item = first.ChildNodes().at(0).ChildNodes().at(0);
  EXPECT_EQ(item.GetAttribute("xml:lang").value_or(""), "ja-JP");
  ASSERT_EQ(item.ChildNodes().size(), 1u);
  EXPECT_EQ(item.ChildNodes()[0].Text(), "山田太郎"_sj);

  EXPECT_EQ(EntryNames(reader), (std::vector<CString>{"Other", "ContactXMLItem"}));
  EXPECT_FALSE(reader.NextEntry());
  EXPECT_TRUE(reader.Finish()) << Reason(reader);
  EXPECT_EQ(reader.ParseErrorCode(), 0);
}

TEST_F(XmlStreamTest, EntriesAreDecodedAndTidiedLikeADocument) {
  // UTF-16LE with its byte-order mark, an internal entity, indentation.
  std::string utf16 = "\xFF\xFE";
  for (char16_t c :
       std::u16string(u"<!DOCTYPE List [<!ENTITY co '株式会社'>]>\r\n<List>\r\n  <Item>\r\n"
                      u"    <Name a='&co;'>&co;髙</Name>\r\n  </Item>\r\n</List>\r\n")) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  EntryReader reader;
  ASSERT_TRUE(reader.Open(Put("utf16.xml", utf16))) << Reason(reader);
  const Node entry = reader.NextEntry();
  ASSERT_TRUE(entry);
  ASSERT_EQ(entry.ChildNodes().size(), 1u);
  const Node name = entry.ChildNodes()[0];
  EXPECT_EQ(name.Text(), "株式会社髙"_sj);
  EXPECT_EQ(name.GetAttribute("a").value_or(""), "株式会社"_sj);
  EXPECT_FALSE(reader.NextEntry());
  EXPECT_TRUE(reader.Finish());
}

TEST_F(XmlStreamTest, RootThatIsItsOwnEntry) {
  EntryReader reader;
  ASSERT_TRUE(
      reader.Open(Put("one.xml",
                      "<ContactXML version='1.0'>\n  <PersonName>\n    <x>a</x>\n  </PersonName>\n"
                      "  <Phone/>\n</ContactXML>\n")));
  const Node root = reader.ExpandRoot();
  ASSERT_TRUE(root);
  EXPECT_EQ(root.NodeName(), "ContactXML");
  ASSERT_EQ(root.ChildNodes().size(), 2u);
  EXPECT_EQ(root.ChildNodes()[0].Text(), "a");
  EXPECT_TRUE(reader.Finish());

  // An empty root has no entries, and is complete as it stands.
  ASSERT_TRUE(reader.Open(Put("empty.xml", "<SNContactXML version='1.0'/>")));
  EXPECT_EQ(reader.RootName(), "SNContactXML");
  EXPECT_FALSE(reader.NextEntry());
  EXPECT_TRUE(reader.Finish());
  ASSERT_TRUE(reader.Open(PathOf("empty.xml")));
  EXPECT_TRUE(reader.ExpandRoot());
  EXPECT_TRUE(reader.Finish());
}

TEST_F(XmlStreamTest, ParseErrorComesAfterTheGoodEntries) {
  struct Case {
    const char* name;
    std::string tail;  // after three good entries
    std::string reasonStart;
  };
  // Entries are small: the parser reads ahead in pieces larger than one,
  // so the error is met while the last good entry is being expanded.
  const Case cases[] = {
      {"in an entry", "\n<Item><a></b></Item>\n</List>",
       "6 行目 14 桁目: 開始タグと終了タグが対応していません。"_sj},
      {"right after an entry", "</Wrong>",
       "5 行目 23 桁目: 開始タグと終了タグが対応していません。"_sj},
      {"bad bytes", "\n<Item>\x82</Item></List>", "6 行目 "_sj},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CString path = Put("bad.xml",
                             "<?xml version='1.0' encoding='Shift_JIS'?>\n<List>\n<Item>1</Item>\n"
                             "<Item>2</Item>\n<Item>3</Item>" +
                                 c.tail);
    EntryReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(EntryNames(reader), (std::vector<CString>{"Item", "Item", "Item"}));
    EXPECT_NE(reader.ParseErrorCode(), 0);
    EXPECT_EQ(reader.ParseErrorReason().Left(static_cast<int>(c.reasonStart.size())),
              c.reasonStart.c_str());
    EXPECT_FALSE(reader.Finish());
  }
}

TEST_F(XmlStreamTest, ErrorAfterTheRootIsFoundByFinish) {
  EntryReader reader;
  ASSERT_TRUE(reader.Open(Put("tail.xml", "<r><e/></r>\n<r2/>")));
  EXPECT_EQ(EntryNames(reader), (std::vector<CString>{"e"}));
  EXPECT_EQ(reader.ParseErrorCode(), 0);
  EXPECT_FALSE(reader.Finish());
  EXPECT_EQ(reader.ParseErrorReason(), "2 行目 1 桁目: ルート要素の後に余分な内容があります。"_sj);
}

TEST_F(XmlStreamTest, OpenFailures) {
  EntryReader reader;
  const CString missing = PathOf("none.xml");
  EXPECT_FALSE(reader.Open(missing));
  EXPECT_EQ(reader.ParseErrorCode(), Document::kFileError);
  EXPECT_EQ(reader.ParseErrorReason(),
            CFileException(CFileException::fileNotFound, 2, missing).GetErrorMessage());
  EXPECT_FALSE(reader.NextEntry());
  EXPECT_FALSE(reader.ExpandRoot());
  EXPECT_FALSE(reader.Finish());

  for (const char* text :
       {"", "not xml", "<?xml version='1.0'?>", "<!DOCTYPE r [<!ENTITY a SYSTEM 'x'>]>"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(reader.Open(Put("bad.xml", text)));
    EXPECT_NE(reader.ParseErrorCode(), 0);
    EXPECT_FALSE(reader.ParseErrorReason().IsEmpty());
    EXPECT_FALSE(reader.NextEntry());
  }
  // Once the root's name is read, the error comes with the next step.
  ASSERT_TRUE(reader.Open(Put("bad.xml", "<r")));
  EXPECT_EQ(reader.RootName(), "r");
  EXPECT_FALSE(reader.NextEntry());
  EXPECT_EQ(reader.ParseErrorReason(), "1 行目 3 桁目: 開始タグが閉じられていません。"_sj);
  EXPECT_FALSE(reader.Finish());

  EXPECT_FALSE(reader.Open(CString(xmltest::DataFile("billion-laughs.xml").string())) &&
               reader.ExpandRoot());
  EXPECT_NE(reader.ParseErrorCode(), 0);
}

// --- writing ----------------------------------------------------------------------

Node MakeItem(Document& nodes, const CString& name, const CString& phone) {
  Node item = nodes.CreateElement("ContactXMLItem");
  Node fullName = nodes.CreateElement("FullName");
  fullName.SetText(name);
  item.AppendChild(fullName);
  Node phoneItem = nodes.CreateElement("PhoneItem");
  phoneItem.SetAttribute("usage", "Private");
  phoneItem.SetText(phone);
  item.AppendChild(phoneItem);
  return item;
}

const std::vector<vext::xml::Attribute> kRootAttributes{{"xmlns", "urn:c"}, {"version", "1.1"}};

TEST_F(XmlStreamTest, WrittenBytesAreThoseOfDocumentSave) {
  EntryWriter writer;
  writer.Begin(PathOf("w.xml"), "version='1.1' encoding='Shift_JIS'", "<!DOCTYPE ContactXML>",
               "ContactXML", kRootAttributes);
  writer.Write(MakeItem(writer.Nodes(), "髙橋"_sj, "03-1234-5678"));
  writer.Write(MakeItem(writer.Nodes(), "A&B", ""));
  writer.Commit();
  const std::string expected =
      "<?xml version='1.1' encoding='Shift_JIS'?>\r\n<!--<!DOCTYPE ContactXML>-->\r\n"
      "<ContactXML xmlns=\"urn:c\" version=\"1.1\"><ContactXMLItem><FullName>" +
      Bytes("髙橋"_sj) +
      "</FullName><PhoneItem usage=\"Private\">03-1234-5678</PhoneItem></ContactXMLItem>"
      "<ContactXMLItem><FullName>A&amp;B</FullName><PhoneItem usage=\"Private\"/>"
      "</ContactXMLItem></ContactXML>\r\n";
  EXPECT_EQ(Get("w.xml"), expected);

  Document doc;
  doc.AppendChild(doc.CreateProcessingInstruction("xml", "version='1.1' encoding='Shift_JIS'"));
  doc.AppendChild(doc.CreateComment("<!DOCTYPE ContactXML>"));
  Node root = doc.CreateElement("ContactXML");
  for (const auto& [name, value] : kRootAttributes) root.SetAttribute(name, value);
  root.AppendChild(MakeItem(doc, "髙橋"_sj, "03-1234-5678"));
  root.AppendChild(MakeItem(doc, "A&B", ""));
  doc.AppendChild(root);
  ASSERT_TRUE(doc.Save(PathOf("d.xml")));
  EXPECT_EQ(Get("d.xml"), expected);
}

TEST_F(XmlStreamTest, RootWithoutEntriesIsAnEmptyElement) {
  EntryWriter writer;
  writer.Begin(PathOf("w.xml"), "version='1.0'", "", "List", {{"a", "1"}});
  writer.Commit();
  EXPECT_EQ(Get("w.xml"), "<?xml version='1.0'?>\r\n<List a=\"1\"/>\r\n");
}

TEST_F(XmlStreamTest, EntryThatCannotBeWrittenLeavesNoTrace) {
  EntryWriter writer;
  writer.Begin(PathOf("w.xml"), "version='1.0' encoding='Shift_JIS'", "", "List", {});
  writer.Write(MakeItem(writer.Nodes(), "a", "1"));
  EXPECT_THROW(writer.Write(writer.Nodes().CreateComment("x")), std::invalid_argument);
  Node bad = writer.Nodes().CreateElement("e");
  bad.AppendChild(writer.Nodes().CreateComment("a-"));
  EXPECT_THROW(writer.Write(bad), std::invalid_argument);
  writer.Write(MakeItem(writer.Nodes(), "b", "2"));
  writer.Commit();
  EntryReader reader;
  ASSERT_TRUE(reader.Open(PathOf("w.xml")));
  EXPECT_EQ(EntryNames(reader), (std::vector<CString>{"ContactXMLItem", "ContactXMLItem"}));
  EXPECT_TRUE(reader.Finish());
  EXPECT_THROW(writer.Write(MakeItem(writer.Nodes(), "c", "3")), std::logic_error);
}

TEST_F(XmlStreamTest, FailedWriteKeepsTheOldFile) {
  Put("w.xml", "OLD");
  const vext::sys::Calls saved = vext::sys::Current();
  {
    EntryWriter writer;
    writer.Begin(PathOf("w.xml"), "version='1.0'", "", "List", {});
    vext::sys::Current().write = [](int, const void*, size_t) -> ssize_t {
      errno = ENOSPC;
      return -1;
    };
    writer.Write(MakeItem(writer.Nodes(), "a", "1"));
    try {
      writer.Commit();
      ADD_FAILURE() << "Commit succeeded on a full disk";
    } catch (const CFileException& error) {
      EXPECT_EQ(error.m_cause, CFileException::diskFull);
    }
    vext::sys::Current() = saved;
  }
  EXPECT_EQ(Get("w.xml"), "OLD");
  // An abandoned writer leaves the old file too.
  {
    EntryWriter writer;
    writer.Begin(PathOf("w.xml"), "version='1.0'", "", "List", {});
    writer.Write(MakeItem(writer.Nodes(), "a", "1"));
  }
  EXPECT_EQ(Get("w.xml"), "OLD");
  EXPECT_EQ(
      std::distance(xmltest::fs::directory_iterator(m_dir), xmltest::fs::directory_iterator()), 1);
}

TEST_F(XmlStreamTest, WriteThenReadRoundTrip) {
  const std::vector<std::pair<CString, CString>> rows{
      {CString("①髙㈱ｶﾅ"_sj), CString("tel\r\n<&>\"'")},
      {" leading and trailing ", "\t"},
      {"", ""}};
  EntryWriter writer;
  writer.Begin(PathOf("rt.xml"), "version='1.1' encoding='Shift_JIS'", "c", "ContactXML",
               kRootAttributes);
  for (const auto& [name, phone] : rows) writer.Write(MakeItem(writer.Nodes(), name, phone));
  writer.Commit();

  EntryReader reader;
  ASSERT_TRUE(reader.Open(PathOf("rt.xml")));
  for (const auto& [name, phone] : rows) {
    const Node entry = reader.NextEntry();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry.ChildNodes().at(0).Text(), name);
    EXPECT_EQ(entry.ChildNodes().at(1).Text(), phone);
  }
  EXPECT_FALSE(reader.NextEntry());
  EXPECT_TRUE(reader.Finish());
}

// Heap in use according to glibc; 0 under a sanitizer's allocator.
std::size_t HeapInUse() { return mallinfo2().uordblks; }

TEST_F(XmlStreamTest, MemoryStaysFlatOverALongList) {
  constexpr int kEntries = 100000;
  {
    EntryWriter writer;
    writer.Begin(PathOf("long.xml"), "version='1.1' encoding='Shift_JIS'", "", "ContactXML",
                 kRootAttributes);
    for (int i = 0; i < kEntries; ++i)
      writer.Write(MakeItem(writer.Nodes(), "山田太郎"_sj, "03-1234-5678"));
    writer.Commit();
  }
  EntryReader reader;
  ASSERT_TRUE(reader.Open(PathOf("long.xml")));
  std::size_t early = 0;
  int count = 0;
  for (Node entry = reader.NextEntry(); entry; entry = reader.NextEntry()) {
    if (++count == 1000) early = HeapInUse();
    ASSERT_EQ(entry.ChildNodes().at(0).Text(), "山田太郎"_sj);
  }
  const std::size_t late = HeapInUse();
  EXPECT_EQ(count, kEntries);
  EXPECT_TRUE(reader.Finish());
  if (early == 0) GTEST_SKIP() << "heap statistics not available";
  EXPECT_LT(late, early + (1u << 20)) << "heap grew from " << early << " to " << late;
}

// ---- limits, positions, characters XML 1.1 restricts -------------------------

// The first element child of the root, read by the entry reader or as a
// whole document; the handle stays valid while the reader or document lives.
struct Readers {
  EntryReader reader;
  Document doc;
  Node FirstEntry(bool whole, const CString& path) {
    if (whole) {
      if (!doc.Load(path)) return Node();
      for (const Node& child : doc.DocumentElement().ChildNodes())
        if (child.IsElement()) return child;
      return Node();
    }
    return reader.Open(path) ? reader.NextEntry() : Node();
  }
  CString Reason(bool whole) const {
    return whole ? doc.ParseErrorReason() : reader.ParseErrorReason();
  }
};

bool EndsWith(const CString& text, const CString& end) {
  return text.GetLength() >= end.GetLength() && text.Right(end.GetLength()) == end;
}

TEST_F(XmlStreamTest, TextBeyondLibxmlsLimitIsReadWhileDepthStaysBounded) {
  // Just beyond libxml2's 10,000,000 bytes, with a two-byte character.
  std::string bytes;
  bytes.append(10'000'000, 'a');
  const CString text(bytes + Bytes("髙"_sj));
  EntryWriter writer;
  writer.Begin(PathOf("long.xml"), "version='1.1' encoding='Shift_JIS'", "", "List", {});
  Node item = writer.Nodes().CreateElement("Item");
  item.SetText(text);
  writer.Write(item);
  writer.Commit();

  std::string deep = "<List><Item>";
  for (int i = 0; i < 300; ++i) deep += "<d>";
  for (int i = 0; i < 300; ++i) deep += "</d>";
  Put("deep.xml", deep + "</Item></List>");

  for (const bool whole : {false, true}) {
    SCOPED_TRACE(whole ? "whole document" : "entry reader");
    Readers readers;
    const Node entry = readers.FirstEntry(whole, PathOf("long.xml"));
    ASSERT_TRUE(entry) << readers.Reason(whole);
    EXPECT_TRUE(entry.Text() == text);  // not printed: ten megabytes

    Readers deepReaders;
    EXPECT_FALSE(deepReaders.FirstEntry(whole, PathOf("deep.xml")));
    EXPECT_TRUE(EndsWith(deepReaders.Reason(whole), "要素の入れ子が深すぎます。"_sj))
        << deepReaders.Reason(whole);
  }
}

TEST_F(XmlStreamTest, TextThatCp932CannotHoldIsReportedWhereItStands) {
  // An emoji in an element's text (line 4) and in an attribute (line 6).
  Put("emoji.xml",
      "<?xml version='1.0' encoding='UTF-8'?>\n<List>\n  <Item>\n    <Name>\xF0\x9F\x98\x80</Name>"
      "\n  </Item>\n  <Item a='\xF0\x9F\x98\x80'/>\n</List>\n");
  for (const bool whole : {false, true}) {
    SCOPED_TRACE(whole ? "whole document" : "entry reader");
    Readers readers;
    const Node first = readers.FirstEntry(whole, PathOf("emoji.xml"));
    ASSERT_TRUE(first) << readers.Reason(whole);
    try {
      first.ChildNodes().at(0).Text();
      ADD_FAILURE() << "no ConversionError";
    } catch (const vext::xml::ConversionError& e) {
      // Where the text begins: just after <Name>.
      EXPECT_EQ(e.Reason(), "4 行目 11 桁目: 文字コードを変換できない文字が含まれています。"_sj);
    }
    Node second;
    if (whole)
      second = readers.doc.DocumentElement().ChildNodes().back();
    else
      second = readers.reader.NextEntry();
    ASSERT_TRUE(second);
    try {
      second.GetAttribute("a");
      ADD_FAILURE() << "no ConversionError";
    } catch (const vext::xml::ConversionError& e) {
      EXPECT_EQ(e.m_nLine, 6);
      EXPECT_EQ(e.m_nColumn, 16);  // just after the tag
    }
  }
}

TEST_F(XmlStreamTest, DelAndC1ControlsAreWrittenAsReferences) {
  // CP932 text reaches DEL only (reading it back is the converter's test);
  // a UTF-8 document may hold the C1 controls.
  EntryWriter writer;
  writer.Begin(PathOf("del.xml"), "version='1.1' encoding='Shift_JIS'", "", "List", {});
  Node item = writer.Nodes().CreateElement("Item");
  item.SetAttribute("a", CString("x\x7Fy"));
  item.SetText(
      CString("\x7F"
              "03"));
  writer.Write(item);
  writer.Commit();
  EXPECT_EQ(
      Get("del.xml"),
      "<?xml version='1.1' encoding='Shift_JIS'?>\r\n<List><Item a=\"x&#127;y\">&#127;03</Item>"
      "</List>\r\n");

  Document doc;
  ASSERT_TRUE(doc.Load(
      Put("c1.xml", "<?xml version='1.0' encoding='UTF-8'?><r a='&#133;'>&#128;&#159;</r>")));
  ASSERT_TRUE(doc.Save(PathOf("c1-saved.xml")));
  EXPECT_EQ(Get("c1-saved.xml"), "<r a=\"&#133;\">&#128;&#159;</r>\r\n");
}

}  // namespace

// The record parser over both layouts, and the display form of values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayForm.h"
#include "RecordParser.h"
#include "platform/text/Sj.h"

namespace {

using vext::recconv::ParseRecord;

struct Case {
  const char* what;
  std::string input;
  std::vector<std::string> fields;
  std::size_t taken;
};

void Check(const Case& c, bool quoted) {
  SCOPED_TRACE(c.what);
  std::vector<CString> fields;
  EXPECT_EQ(ParseRecord(c.input.data(), c.input.size(), quoted, fields), c.taken);
  std::vector<std::string> texts;
  for (const CString& field : fields) texts.push_back(field.str());
  EXPECT_EQ(texts, c.fields);
}

TEST(RecordParser, QuotedLayout) {
  const std::string kanji = "髙橋㈱"_sj;
  const Case cases[] = {
      {"two fields", "\"a\",\"b\"\r\n\"c\",\"d\"\r\n", {"a", "b"}, 9},
      {"a comma without a quote before it", "\"x,\"y\"\r\n", {"x,\"y"}, 8},
      {"a comma without a quote after it", "\"x\", y\"\r\n", {"x\", y"}, 9},
      {"CR LF inside a field", "\"a\r\nb\",\"c\"\r\n", {"a\r\nb", "c"}, 12},
      {"a field ending in CR", "\"a\r\",\"b\"\r\n", {"a\r", "b"}, 10},
      {"empty fields", "\"\",\"\",\"\"\r\n", {"", "", ""}, 10},
      {"a line of one quote", "\"\r\n", {""}, 3},
      {"CP932 and a TAB", "\"" + kanji + "\t\"\r\n", {kanji + "\t"}, 11},
      {"a blank line is malformed", "\r\n\"a\"\r\n", {}, 0},
      {"no opening quote", "a\",\"b\"\r\n", {}, 0},
      {"empty data", "", {}, 0},
      {"no line end", "\"a\",\"b\"", {"a", "b"}, 7},
      {"no line end, no closing quote", "\"a\",\"b", {"a", "b"}, 6},
      {"the file's last byte a CR", "\"a\"\r", {"a\"\r"}, 4},
      {"a file of one byte", "\"", {""}, 1},
      {"a separator at the very end", "\"a\",\"", {"a", ""}, 5},
  };
  for (const Case& c : cases) Check(c, true);
}

TEST(RecordParser, PlainLayout) {
  const Case cases[] = {
      {"TAB separated", "a\tb\r\nc\r\n", {"a", "b"}, 5},
      {"commas are data", "a,b\r\n", {"a,b"}, 5},
      {"an empty line", "\r\nx\r\n", {""}, 2},
      {"the byte after CR is taken whatever it is", "a\rbc\r\n", {"a"}, 3},
      {"a LF alone is data", "a\nb\r\n", {"a\nb"}, 5},
      {"quotes are data", "\"a\"\t\"\"\r\n", {"\"a\"", "\"\""}, 8},
      {"no line end", "a\tb", {"a", "b"}, 3},
      {"the file's last byte a CR", "a\tb\r", {"a", "b"}, 4},
      {"a file of one byte", "x", {"x"}, 1},
      {"a TAB at the end", "a\t", {"a", ""}, 2},
  };
  for (const Case& c : cases) Check(c, false);
}

TEST(RecordParser, NeverTakesMoreThanItIsGiven) {
  // Every prefix of some records, given without the bytes after it.
  const std::string records[] = {"\"a\",\"b\"\r\n", "\"a\r\"\r\n", "a\tb\r\n", "\"\r"};
  for (const std::string& record : records)
    for (bool quoted : {true, false})
      for (std::size_t n = 1; n <= record.size(); ++n) {
        const std::string prefix = record.substr(0, n);
        std::vector<CString> fields;
        const std::size_t taken = ParseRecord(prefix.data(), n, quoted, fields);
        EXPECT_LE(taken, n) << prefix;
        if (!quoted || prefix[0] == '"') {
          EXPECT_GT(taken, 0u) << prefix;
        }
      }
}

TEST(DisplayForm, CutsAt30BytesOnACharacterAndBlanksControlBytes) {
  using vext::recconv::ColumnText;
  using vext::recconv::DisplayForm;
  const std::string a29(29, 'a');
  const std::string kanji = "住"_sj;
  struct Row {
    const char* what;
    std::string value, display, column;
  } rows[] = {
      {"trailing white space", "abc \t\r\n", "abc", "abc"},
      {"short with control bytes", "a\tb\x01", "a b ", "a\tb\x01"},
      {"exactly 30", std::string(30, 'x'), std::string(30, 'x'), std::string(30, 'x')},
      {"cut to 30", "\t" + std::string(40, 'y'), " " + std::string(29, 'y'),
       " " + std::string(29, 'y')},
      {"a double-byte character at byte 30", a29 + kanji + "z", a29, a29},
      {"a double-byte character ending at byte 30", a29.substr(1) + kanji + "z",
       a29.substr(1) + kanji, a29.substr(1) + kanji},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(DisplayForm(CString(r.value)).str(), r.display);
    EXPECT_EQ(ColumnText(CString(r.value)).str(), r.column);
  }
  EXPECT_EQ(vext::recconv::ColumnLabel(7), "007 ");
  EXPECT_EQ(vext::recconv::ColumnLabel(1234), "1234 ");
}

}  // namespace

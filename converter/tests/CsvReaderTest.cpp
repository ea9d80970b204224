// Reading the phone-book CSV file: the parser's byte rules, padding, and
// ReadFile's results and messages.
#include <gtest/gtest.h>

#include <cerrno>

#include "CsvReader.h"
#include "CsvTestSupport.h"
#include "platform/base/BoolConstants.h"
#include "platform/base/Exceptions.h"
#include "platform/fs/File.h"
#include "platform/fs/detail/Syscalls.h"

namespace {

using csvtest::Table;
using csvtest::ToTable;

std::string Bytes(const char* text, std::size_t size) { return std::string(text, size); }

struct ParseCase {
  const char* name;
  std::string input;
  bool ok;
  Table rows;  // unpadded
};

const ParseCase kParseCases[] = {
    {"TwoRowsWithoutFinalCrLf", "a,b,c\r\nd,e,f", true, {{"a", "b", "c"}, {"d", "e", "f"}}},
    {"DoubledQuoteInsideQuotes", "\"x\"\"y\",z\r\n", true, {{"x\"y", "z"}}},
    {"CrLfInsideQuotesIsText", "\"a\r\nb\",c\r\n", true, {{"a\r\nb", "c"}}},
    {"TextAfterClosingQuote", "\"ab\"c,d", false, {}},
    {"ClosingQuoteThenByteThenLoneLf", "\"ab\"c\nx,y\r\n", true, {{"abc\nx", "y"}}},
    {"UnterminatedQuoteAtEnd", "\"abc", false, {}},
    {"UnterminatedQuoteAfterGoodRows", "a,b\r\nc,\"d\r\n", false, {}},
    {"QuoteMidFieldEntersQuotes", "ab\"c,d\",x", true, {{"abc,d", "x"}}},
    {"LoneCrIsText", "a\rb,c\r\n", true, {{"a\rb", "c"}}},
    {"LoneLfIsText", "a\nb,c", true, {{"a\nb", "c"}}},
    {"CrAtTheVeryEnd", "a\r", true, {{"a\r"}}},
    {"EndingAfterCrLfAddsNoEmptyRow", "a\r\n", true, {{"a"}}},
    {"EmptyLineIsOneEmptyField", "a,b\r\n\r\nc\r\n", true, {{"a", "b"}, {""}, {"c"}}},
    {"TrailingSeparatorGivesEmptyField", "a,\r\n", true, {{"a", ""}}},
    {"BlanksKept", " a , b \r\n", true, {{" a ", " b "}}},
    {"EmptyBuffer", "", true, {}},
    {"ClosingQuoteAtEnd", "\"a\"", true, {{"a"}}},
    {"EmptyQuotedField", "\"\",x", true, {{"", "x"}}},
    {"OnlyADoubledQuote", "\"\"\"\"", true, {{"\""}}},
    {"ClosingQuoteBeforeCrWithoutLf", "\"a\"\rb", true, {{"a\rb"}}},
    {"ClosingQuoteBeforeLastByte", "\"a\"b", false, {}},
    {"ZeroByteIsData", Bytes("a\0b,c", 5), true, {{Bytes("a\0b", 3), "c"}}},
    // Only the end of the data counts as the zero byte after it.
    {"ClosingQuoteBeforeZeroByteInData", Bytes("\"a\"\0x", 5), false, {}},
    {"Cp932TextUntouched",
     "\x93\x8c\x8b\x9e\x93\x73,\x83\x5c\x83\x74\x83\x67\r\n",
     true,
     {{"\x93\x8c\x8b\x9e\x93\x73", "\x83\x5c\x83\x74\x83\x67"}}},
};

class CsvParseTest : public csvtest::CsvFileTest,
                     public ::testing::WithParamInterface<ParseCase> {};

TEST_P(CsvParseTest, AllLines) {
  const ParseCase& c = GetParam();
  // The buffer is followed by its zero byte, as ReadFile hands it over.
  const std::string buffer = c.input;
  CCsvReader reader("xmlSnc.csv");
  CsvRows rows;
  EXPECT_EQ(reader.Parse(rows, buffer.c_str(), buffer.size(), TRUE), c.ok ? TRUE : FALSE);
  EXPECT_EQ(ToTable(rows), c.rows);
  if (c.ok)
    EXPECT_TRUE(Messages().empty());
  else
    EXPECT_EQ(Messages(), std::vector<std::string>{csvtest::kBadFormat});
}

INSTANTIATE_TEST_SUITE_P(Csv, CsvParseTest, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

using CsvReaderTest = csvtest::CsvFileTest;

TEST_F(CsvReaderTest, ClosingQuoteRuleNeverLooksPastTheCount) {
  // The byte after the counted ones is an LF, but it is not data.
  const char buffer[] = "\"a\"b\n";
  CCsvReader reader("xmlSnc.csv");
  CsvRows rows;
  EXPECT_FALSE(reader.Parse(rows, buffer, 4, TRUE));
  EXPECT_EQ(Messages(), std::vector<std::string>{csvtest::kBadFormat});
}

TEST_F(CsvReaderTest, FormatErrorLeavesTheCallersRowsAlone) {
  CCsvReader reader("xmlSnc.csv");
  CsvRows rows;
  ASSERT_TRUE(reader.Parse(rows, "kept\r\n", 6, TRUE));
  const std::string bad = "x,y\r\n\"ab\"c,d\r\n";
  EXPECT_FALSE(reader.Parse(rows, bad.c_str(), bad.size(), TRUE));
  EXPECT_EQ(ToTable(rows), (Table{{"kept"}}));
}

TEST_F(CsvReaderTest, FirstLineOnly) {
  struct Case {
    std::string input;
    Table rows;
  };
  const Case cases[] = {
      {"a,b\r\nc,d\r\n", {{"a", "b"}}},
      {"a,b", {{"a", "b"}}},
      {"\"x\r\ny\",z\r\nq", {{"x\r\ny", "z"}}},
      // The bad quote lies past the first line and is never reached.
      {"a\r\n\"b\"c,d", {{"a"}}},
  };
  CCsvReader reader("xmlSnc.csv");
  for (const Case& c : cases) {
    CsvRows rows;
    EXPECT_TRUE(reader.Parse(rows, c.input.c_str(), c.input.size(), FALSE)) << c.input;
    EXPECT_EQ(ToTable(rows), c.rows) << c.input;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CsvReaderTest, OtherSeparator) {
  CCsvReader reader("x.txt", '\t');
  CsvRows rows;
  const std::string text = "a,b\tc\r\n\"d\te\"\tf\r\n";
  EXPECT_TRUE(reader.Parse(rows, text.c_str(), text.size(), TRUE));
  EXPECT_EQ(ToTable(rows), (Table{{"a,b", "c"}, {"d\te", "f"}}));
}

TEST_F(CsvReaderTest, PadFillsShortRowsWithEmptyFields) {
  CCsvReader reader("xmlSnc.csv");
  CsvRows rows;
  const std::string text = "1,2,3,4,5,6,7,8,9\r\n1,2,3,4,5,6,7\r\n\r\n1,2,3,4,5,6,7,8,9\r\n";
  ASSERT_TRUE(reader.Parse(rows, text.c_str(), text.size(), TRUE));
  EXPECT_TRUE(CCsvReader::Pad(rows));
  EXPECT_EQ(ToTable(rows), (Table{{"1", "2", "3", "4", "5", "6", "7", "8", "9"},
                                  {"1", "2", "3", "4", "5", "6", "7", "", ""},
                                  {"", "", "", "", "", "", "", "", ""},
                                  {"1", "2", "3", "4", "5", "6", "7", "8", "9"}}));
}

// One long row among many short ones would make padding allocate rows x
// longest fields; past the limit it is refused and nothing changes.
CsvRows LopsidedRows() {
  CsvRows rows;
  rows.push_back(std::make_unique<CStringArray>());
  rows.back()->SetSize(1 << 13);
  for (int i = 0; i < (1 << 12); ++i) {
    rows.push_back(std::make_unique<CStringArray>());
    rows.back()->Add("x");
  }
  return rows;
}

TEST_F(CsvReaderTest, PadRefusesToGrowPastTheFieldLimit) {
  CsvRows rows = LopsidedRows();
  static_assert((std::size_t{1} << 13) * ((1 << 12) + 1) > CCsvReader::kMaxFields);
  EXPECT_FALSE(CCsvReader::Pad(rows));
  EXPECT_EQ(rows[1]->GetSize(), 1);
}

TEST_F(CsvReaderTest, ReadFileAppendsPaddedRowsAndReturnsTheByteCount) {
  const std::string text = "03-1111-2222,1600023,\x93\x8c\x8b\x9e\x93\x73\r\nx\r\n";
  WriteBytes("xmlSnc.csv", text);
  CsvRows rows;
  rows.push_back(std::make_unique<CStringArray>());
  rows.back()->Add("earlier");
  CCsvReader reader(PathOf("xmlSnc.csv"));
  EXPECT_EQ(reader.ReadFile(rows), static_cast<long long>(text.size()));
  EXPECT_EQ(
      ToTable(rows),
      (Table{{"earlier"}, {"03-1111-2222", "1600023", "\x93\x8c\x8b\x9e\x93\x73"}, {"x", "", ""}}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CsvReaderTest, ReadFileOfAMissingFileShowsThePlatformFileError) {
  const CString path = PathOf("missing.csv");
  CFile probe;
  CFileException expected;
  ASSERT_FALSE(probe.Open(path, CFile::modeRead | CFile::shareDenyWrite, &expected));

  CsvRows rows;
  EXPECT_EQ(CCsvReader(path).ReadFile(rows), 0);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(Messages(), std::vector<std::string>{expected.GetErrorMessage().str()});
}

TEST_F(CsvReaderTest, ReadFileOfAnEmptyFileFailsSilently) {
  WriteBytes("xmlSnc.csv", "");
  CsvRows rows;
  EXPECT_EQ(CCsvReader(PathOf("xmlSnc.csv")).ReadFile(rows), 0);
  EXPECT_TRUE(rows.empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CsvReaderTest, ReadFileWithAFormatErrorKeepsTheRowsAsTheyWere) {
  WriteBytes("xmlSnc.csv", "a,b\r\n\"c\"d,e\r\n");
  CsvRows rows;
  rows.push_back(std::make_unique<CStringArray>());
  EXPECT_EQ(CCsvReader(PathOf("xmlSnc.csv")).ReadFile(rows), 0);
  EXPECT_EQ(ToTable(rows), (Table{{}}));
  EXPECT_EQ(Messages(), std::vector<std::string>{csvtest::kBadFormat});
}

TEST_F(CsvReaderTest, ReadFileRefusesPaddingPastTheFieldLimit) {
  std::string text(std::size_t{1} << 13, ',');
  text += "\r\n";
  for (int i = 0; i < (1 << 12); ++i) text += "x\r\n";
  WriteBytes("xmlSnc.csv", text);
  CsvRows rows;
  EXPECT_EQ(CCsvReader(PathOf("xmlSnc.csv")).ReadFile(rows), 0);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(Messages(), std::vector<std::string>{csvtest::kOutOfMemory});
}

// The file ends before its length: every read reports end of file.
class ShortReadTest : public csvtest::CsvFileTest {
 protected:
  void SetUp() override {
    CsvFileTest::SetUp();
    m_saved = vext::sys::Current();
    vext::sys::Current().read = [](int, void*, size_t) -> ssize_t { return 0; };
  }
  void TearDown() override {
    vext::sys::Current() = m_saved;
    CsvFileTest::TearDown();
  }
  vext::sys::Calls m_saved{};
};

TEST_F(ShortReadTest, ReadFileReportsTheReadFailure) {
  WriteBytes("xmlSnc.csv", "a,b\r\n");
  CsvRows rows;
  EXPECT_EQ(CCsvReader(PathOf("xmlSnc.csv")).ReadFile(rows), 0);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(Messages(), std::vector<std::string>{csvtest::kReadFailed});
}

}  // namespace

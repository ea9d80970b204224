// Writing the phone-book CSV file: field encoding, lines, the atomic
// whole-file rewrite, and that what is written reads back.
#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "CsvReader.h"
#include "CsvTestSupport.h"
#include "CsvWriter.h"
#include "PhoneBookRec.h"
#include "platform/base/BoolConstants.h"
#include "platform/base/Exceptions.h"
#include "platform/fs/detail/Syscalls.h"

namespace {

using csvtest::Table;
using csvtest::ToTable;

// Byte-wise, as the file format is: CR and LF are never trail bytes.
std::string CrLfToLf(std::string text) {
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; ++at)
    text.erase(at, 1);
  return text;
}

struct EncodeCase {
  std::string field;
  std::string encoded;
};

const EncodeCase kEncodeCases[] = {
    {"a\r\nb", "\"a\nb\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""},
    {"abc", "abc"},         {"", ""},
    {"a\rb", "a\rb"},                                // a lone CR stays as it is, unquoted
    {"a\nb", "\"a\nb\""},   {"a,b", "\"a,b\""},      // quoted so that it reads back as one field
    {"\"", "\"\"\"\""},     {"\r\r\n", "\"\r\n\""},  // the pairs of the field itself become LF
    {" x ", " x "},         {"\x93\x8c\x8b\x9e\x93\x73", "\x93\x8c\x8b\x9e\x93\x73"},
};

TEST(CsvEncode, Fields) {
  for (const EncodeCase& c : kEncodeCases)
    EXPECT_EQ(EncodeCsvField(CString(c.field)).str(), c.encoded) << c.field;
}

TEST(CsvEncode, TheSeparatorDecidesQuoting) {
  EXPECT_EQ(EncodeCsvField("a;b", ';').str(), "\"a;b\"");
  EXPECT_EQ(EncodeCsvField("a;b", ',').str(), "a;b");
}

TEST(CsvEncode, LineJoinsEncodedFieldsAndEndsWithCrLf) {
  const CString fields[] = {"03", "a,b", "", "say \"hi\"", "x\r\ny"};
  std::string out = "before\r\n";
  AppendCsvLine(out, fields, 5);
  EXPECT_EQ(out, "before\r\n03,\"a,b\",,\"say \"\"hi\"\"\",\"x\ny\"\r\n");
  std::string empty;
  AppendCsvLine(empty, fields, 0);
  EXPECT_EQ(empty, "\r\n");
}

// Whatever bytes the fields hold, they read back as written, except that
// a CR LF of the field comes back as LF.
TEST(CsvEncode, RandomRowsReadBackAsWritten) {
  const char alphabet[] = {'a', ' ', ',', '"', '\r', '\n', '\0', '\x82', '\xa0', ';'};
  std::mt19937 random(20240531);
  std::uniform_int_distribution<int> pick(0, sizeof alphabet - 1), length(0, 6);
  for (int round = 0; round < 200; ++round) {
    Table expected;
    std::string text;
    for (int r = 0; r < 5; ++r) {
      CString fields[kPhoneBookColumns];
      std::vector<std::string> row;
      for (CString& field : fields) {
        for (int n = length(random); n > 0; --n) field += alphabet[pick(random)];
        row.push_back(CrLfToLf(field.str()));
      }
      expected.push_back(row);
      AppendCsvLine(text, fields, kPhoneBookColumns);
    }
    CsvRows rows;
    ASSERT_TRUE(CCsvReader("xmlSnc.csv").Parse(rows, text.c_str(), text.size(), TRUE)) << text;
    ASSERT_EQ(ToTable(rows), expected) << text;
  }
}

using CsvWriterTest = csvtest::CsvFileTest;

TEST_F(CsvWriterTest, WritePhoneBookWritesTheTextAndItReadsBack) {
  const CString fields[] = {"03-1111-2222", "1600023", "\x93\x8c\x8b\x9e\x93\x73",
                            "a\rb",         "",        "1-2-3",
                            "13104",        "x\r\ny",  ""};
  std::string text;
  AppendCsvLine(text, fields, kPhoneBookColumns);
  ASSERT_TRUE(WritePhoneBook(PathOf("xmlSnc.csv"), text));
  EXPECT_EQ(ReadBytes("xmlSnc.csv"), text);

  CsvRows rows;
  EXPECT_EQ(CCsvReader(PathOf("xmlSnc.csv")).ReadFile(rows), static_cast<long long>(text.size()));
  EXPECT_EQ(ToTable(rows), (Table{{"03-1111-2222", "1600023", "\x93\x8c\x8b\x9e\x93\x73", "a\rb",
                                   "", "1-2-3", "13104", "x\ny", ""}}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CsvWriterTest, EmptyTextLeavesAZeroByteFile) {
  WriteBytes("xmlSnc.csv", "old,data\r\n");
  ASSERT_TRUE(WritePhoneBook(PathOf("xmlSnc.csv"), ""));
  EXPECT_TRUE(std::filesystem::exists(m_dir / "xmlSnc.csv"));
  EXPECT_EQ(ReadBytes("xmlSnc.csv"), "");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"xmlSnc.csv"});
}

TEST_F(CsvWriterTest, UnwritablePathShowsThePlatformFileError) {
  const CString path = PathOf("no-such-folder/xmlSnc.csv");
  CFileException expected;
  ASSERT_FALSE(CFile().Open(path, CFile::modeCreate | CFile::modeWrite, &expected));

  EXPECT_FALSE(WritePhoneBook(path, "a\r\n"));
  EXPECT_EQ(Messages(), std::vector<std::string>{expected.GetErrorMessage().str()});
}

TEST_F(CsvWriterTest, LargeTextInManyPiecesArrivesWhole) {
  std::string line = "0123456789,\"a\nb\",";
  line += std::string(100, 'x') + "\r\n";
  std::string expected;
  CsvFileWriter writer(PathOf("xmlSnc.csv"));
  bool appended = true;
  for (int i = 0; i < 12000; ++i) {  // more than one flush's worth
    appended = writer.Append(line) && appended;
    expected += line;
  }
  ASSERT_TRUE(appended);
  ASSERT_TRUE(writer.Append(std::string(3 << 20, 'y')));  // larger than the buffer
  expected += std::string(3 << 20, 'y');
  ASSERT_TRUE(writer.Commit());
  EXPECT_FALSE(writer.Failed());
  EXPECT_FALSE(writer.Append("late"));
  EXPECT_EQ(ReadBytes("xmlSnc.csv"), expected);
}

TEST_F(CsvWriterTest, WithoutCommitTheOldFileStays) {
  WriteBytes("xmlSnc.csv", "old,data\r\n");
  {
    CsvFileWriter writer(PathOf("xmlSnc.csv"));
    for (int i = 0; i < 20000; ++i) ASSERT_TRUE(writer.Append("new,data,that,is,long,enough\r\n"));
  }
  EXPECT_EQ(ReadBytes("xmlSnc.csv"), "old,data\r\n");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"xmlSnc.csv"});
  EXPECT_TRUE(Messages().empty());
}

// A disk that fills up while the file is written.
class DiskFullTest : public csvtest::CsvFileTest {
 protected:
  void SetUp() override {
    CsvFileTest::SetUp();
    m_saved = vext::sys::Current();
    vext::sys::Current().write = [](int, const void*, size_t) -> ssize_t {
      errno = ENOSPC;
      return -1;
    };
  }
  void TearDown() override {
    vext::sys::Current() = m_saved;
    CsvFileTest::TearDown();
  }
  vext::sys::Calls m_saved{};
};

TEST_F(DiskFullTest, FailedWriteIsReportedAndTheOldFileStays) {
  WriteBytes("xmlSnc.csv", "old,data\r\n");
  EXPECT_FALSE(WritePhoneBook(PathOf("xmlSnc.csv"), "new,data\r\n"));
  const CFileException diskFull(CFileException::diskFull, ENOSPC, PathOf("xmlSnc.csv"));
  EXPECT_EQ(Messages(), std::vector<std::string>{diskFull.GetErrorMessage().str()});
  vext::sys::Current() = m_saved;
  EXPECT_EQ(ReadBytes("xmlSnc.csv"), "old,data\r\n");
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"xmlSnc.csv"});
}

}  // namespace

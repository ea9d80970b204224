// The phone book read in batches gives the rows of one parse of the whole
// file, wherever the batches happen to end.
#include "CsvBatchReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConverterTestSupport.h"
#include "platform/base/BoolConstants.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows Plain(const CsvRows& rows) {
  Rows plain;
  for (const auto& row : rows) {
    plain.emplace_back();
    for (const CString& field : *row) plain.back().push_back(field.str());
  }
  return plain;
}

class CsvBatchReaderTest : public ::testing::TestWithParam<std::string> {
 protected:
  vext::test::ScratchDir dir;
  vext::test::ScriptedUi ui;
  CString path = vext::test::SystemPath(dir / "xmlSnc.csv");

  // All batches, or nullopt when a batch failed.
  std::optional<Rows> ReadInBatches(std::size_t batchBytes) {
    CsvBatchReader reader(path, batchBytes);
    if (!reader.Open()) return std::nullopt;
    CsvRows rows;
    while (!reader.AtEnd())
      if (!reader.ReadBatch(rows)) return std::nullopt;
    return Plain(rows);
  }

  std::optional<Rows> ParseWhole(const std::string& bytes) {
    CCsvReader whole(path);
    CsvRows rows;
    if (!whole.Parse(rows, bytes.c_str(), bytes.size(), TRUE)) return std::nullopt;
    return Plain(rows);
  }
};

TEST_P(CsvBatchReaderTest, BatchesOfAnySizeGiveTheRowsOfTheWholeFile) {
  const std::string& bytes = GetParam();
  vext::test::WriteBytes(dir / "xmlSnc.csv", bytes);
  const std::optional<Rows> expected = ParseWhole(bytes);
  for (std::size_t batch : {1, 2, 3, 5, 8, 64, 1 << 20}) {
    const std::optional<Rows> rows = ReadInBatches(batch);
    ASSERT_EQ(rows.has_value(), expected.has_value()) << "batch " << batch;
    if (rows) {
      EXPECT_EQ(*rows, *expected) << "batch " << batch;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvBatchReaderTest,
    ::testing::Values("a,b,c\r\nd,e,f", "a,b,c\r\nd,e,f\r\n", "\r\n\r\n,\r\n",
                      "\"x\"\"y\",z\r\nw\r\n", "\"a\r\nb\",c\r\nd\r\n", "a\rb,c\r\n\rd\r\n",
                      "ab\"c,d\",x\r\ny\r\n", "\"ab\"c\nd,e\r\nf\r\n", "\"\"\"\"\r\n\"\"\r\n",
                      std::string("a\0b,c\r\nd", 8),
                      // CP932 text: no trail byte is a quote, comma, CR or LF.
                      "\x93\x8c\x8b\x9e\x93\x73,\x83\x5c\r\n\"\x95\x5c\",\x8e\x52\r\n",
                      // Format errors, early and late.
                      "\"ab\"c,d\r\n", "x\r\ny\r\n\"ab\"c,d\r\n", "a\r\n\"abc", "a,b\r\n\"c\r\n"));

TEST(CsvBatchReader, FormatErrorInALaterBatchShowsTheMessageOnce) {
  vext::test::ScratchDir dir;
  vext::test::ScriptedUi ui;
  vext::test::WriteBytes(dir / "xmlSnc.csv", "a,b\r\nc,d\r\n\"e\"f,g\r\n");
  CsvBatchReader reader(vext::test::SystemPath(dir / "xmlSnc.csv"), 4);
  ASSERT_TRUE(reader.Open());
  CsvRows rows;
  ASSERT_TRUE(reader.ReadBatch(rows));
  EXPECT_EQ(Plain(rows), (Rows{{"a", "b"}}));
  bool failed = false;
  while (!reader.AtEnd() && !failed) failed = !reader.ReadBatch(rows);
  EXPECT_TRUE(failed);
  EXPECT_EQ(ui.Messages(),
            std::vector<std::string>{vext::test::U8(
                u8"テキストファイルの形式が正しくありません。\nファイルの読み込みを中止します。")});
}

// A row keeps the phone book's nine fields, however many it has, and
// knows the line of the file on which it begins (a lone LF, inside a field
// or not, starts a line as an editor shows it).
TEST(CsvBatchReader, RowsKeepNineFieldsAndKnowTheirLines) {
  vext::test::ScratchDir dir;
  vext::test::ScriptedUi ui;
  constexpr std::size_t kWide = 100'000;
  vext::test::WriteBytes(dir / "xmlSnc.csv",
                         "0,1,2,3,4,5,6,7,8,9,10\r\n\"x\r\ny\"\r\n\r\nl\nm,n\r\n" +
                             std::string(kWide - 1, ',') + "\r\nlast");
  const Rows nine(1, {"0", "1", "2", "3", "4", "5", "6", "7", "8"});
  const Rows expected = {nine[0], {"x\r\ny"}, {""}, {"l\nm", "n"}, Rows::value_type(9), {"last"}};
  for (const std::size_t batch : {1, 7, 1 << 20}) {
    SCOPED_TRACE("batch " + std::to_string(batch));
    CsvBatchReader reader(vext::test::SystemPath(dir / "xmlSnc.csv"), batch);
    reader.KeepFields(9);
    ASSERT_TRUE(reader.Open());
    CsvRows rows;
    std::vector<long long> lines;
    while (!reader.AtEnd()) ASSERT_TRUE(reader.ReadBatch(rows, &lines));
    EXPECT_EQ(Plain(rows), expected);
    EXPECT_EQ(lines, (std::vector<long long>{1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(reader.SkippedFields(), 2 + kWide - 9);
  }
}

}  // namespace

// Records spread over documents and faces, and documents written as
// records.
#include <gtest/gtest.h>

#include <cstring>

#include "DocumentWriter.h"
#include "RecConvTestSupport.h"
#include "RecordDistributor.h"
#include "platform/text/Sj.h"

namespace {

using namespace recconv_test;
using vext::recconv::DistributeRecords;
using vext::recconv::RecordTarget;

// A reading of a text file into a data set, as the reading flow sets it up.
class Reading {
 public:
  explicit Reading(UINT formatNo) {
    frame.SetFormat(formatNo);
    std::memset(&header, 0, sizeof header);
    auto doc = std::unique_ptr<CNVextDoc>(frame.GetData(0, 0));
    doc->SetMemo("template");
    doc->GetVEXTDOC(&header, 0);
  }
  ~Reading() { GlobalFree(header.hFormat); }

  int Run(const std::filesystem::path& file, bool quoted, std::unique_ptr<CNVextDoc> first,
          const CCnvDefData& def, bool batch) {
    const RecordTarget target{&data, &frame, &header, &def, batch};
    return DistributeRecords(vext::test::SystemPath(file), quoted, std::move(first), target);
  }
  std::unique_ptr<CNVextDoc> Blank() { return std::unique_ptr<CNVextDoc>(frame.GetData(0, 0)); }
  std::vector<CNVextDoc*> Docs() const {
    std::vector<CNVextDoc*> docs;
    const CNVextDocList& list = data.GetVextDocList();
    for (POSITION pos = list.GetHeadPosition(); pos;) docs.push_back(list.GetNext(pos));
    return docs;
  }

  CKorbe95Data data;
  CVextBasePrtFrm frame;
  tagNVEXTDOC header;
};

CCnvDefData ReadingDef(std::vector<DWORD> orders, std::vector<DWORD> columns) {
  CCnvDefData def(CCnvDefData::kReading, 1, "t");
  def.orderList = std::move(orders);
  def.columnList = std::move(columns);
  return def;
}

TEST(Distributor, ThreeFacesAndSevenLinesMakeThreeDocumentsLastFirst) {
  Suite suite;
  suite.MakeFormat(FormJson(30, 3, NamedFields({1, 2})));
  const auto file = suite.install.root().Write(
      "seven.txt",
      "\"1\",\"a\"\r\n\"2\",\"b\"\r\n\"3\",\"c\"\r\n\"4\",\"d\"\r\n\"5\",\"e\"\r\n"
      "\"6\",\"f\"\r\n\"7\",\"g\"\r\n");
  Reading reading(30);
  ASSERT_EQ(reading.Run(file, true, reading.Blank(), ReadingDef({2, 1}, {1, 2}), false), 1);
  const std::vector<CNVextDoc*> docs = reading.Docs();
  ASSERT_EQ(docs.size(), 3u);
  std::vector<std::string> faces;
  for (CNVextDoc* doc : docs)
    for (int face = 1; face <= 3; ++face)
      faces.push_back(Value(*doc, 2, face) + Value(*doc, 1, face));
  EXPECT_EQ(faces, (std::vector<std::string>{"7g", "", "", "4d", "5e", "6f", "1a", "2b", "3c"}));
  EXPECT_EQ(docs[0]->GetMemo(), "template");  // a further document takes the template header
  EXPECT_EQ(docs[2]->GetMemo(), "");          // the first is the one given
}

TEST(Distributor, EmptyValuesAreStoredOnlyInteractively) {
  Suite suite;
  suite.MakeFormat(FormJson(31, 1, NamedFields({1, 2, 9})));
  const auto file = suite.install.root().Write("five.txt", "a\tb\t\tc\td\r\n");
  struct Case {
    bool batch;
    std::vector<std::string> values;  // orders 1, 2, 9
  } cases[] = {{false, {"a", "", ""}}, {true, {"a", "old2", "old9"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.batch ? "batch" : "interactive");
    Reading reading(31);
    auto first = reading.Blank();
    Fill(*first, 0, {{1, "old1"}, {2, "old2"}, {9, "old9"}});
    // Column 3 is empty, column 9 is past the record's five fields.
    ASSERT_EQ(reading.Run(file, false, std::move(first), ReadingDef({1, 2, 9}, {1, 3, 9}), c.batch),
              1);
    const CNVextDoc& doc = *reading.Docs().at(0);
    EXPECT_EQ((std::vector<std::string>{Value(doc, 1, 0), Value(doc, 2, 0), Value(doc, 9, 0)}),
              c.values);
  }
}

TEST(Distributor, AMalformedRecordKeepsTheDocumentsFinishedBeforeIt) {
  Suite suite;
  suite.MakeFormat(FormJson(32, 1, NamedFields({1})));
  const auto file = suite.install.root().Write("blank.txt", "\"a\"\r\n\"b\"\r\n\r\n\"c\"\r\n");
  Reading reading(32);
  EXPECT_EQ(reading.Run(file, true, reading.Blank(), ReadingDef({1}, {1}), false), 0);
  const std::vector<CNVextDoc*> docs = reading.Docs();
  ASSERT_EQ(docs.size(), 2u);
  EXPECT_EQ(Value(*docs[0], 1, 0) + Value(*docs[1], 1, 0), "ba");
  EXPECT_EQ(
      Messages(suite.ui),
      (std::vector<std::string>{
          "読み込みデータは先頭に改行が入った不適当なデータ形式です。\n残念ながら読み込みを中断します。"_sj}));

  EXPECT_EQ(reading.Run(suite.install.root().path() / "missing.txt", true, reading.Blank(),
                        ReadingDef({1}, {1}), false),
            0);
  EXPECT_EQ(Messages(suite.ui).back(), "読み込み用ファイルが見つかりません。"_sj);
}

TEST(DocumentWriter, OneLinePerFaceInEitherLayoutAndIndexKeysSet) {
  Suite suite;
  suite.MakeFormat(FormJson(33, 2, {{1, "date", 1, 2}, {2, "name"}, {3, "memo"}}));
  auto doc = Suite::NewDoc(33);
  Fill(*doc, 1, {{1, "2024/04/01"}, {2, "㈱髙橋"_sj}});
  Fill(*doc, 2, {{1, "x,y"}, {2, "\"q\""}});
  CCnvDefData def(CCnvDefData::kWriting, 1, "w");
  def.orderList = {2, 1};
  std::string quoted, plain;
  vext::recconv::AppendDocumentLines(*doc, def, true, quoted);
  vext::recconv::AppendDocumentLines(*doc, def, false, plain);
  EXPECT_EQ(quoted, "\"㈱髙橋\",\"2024/04/01\"\r\n\"\"q\"\",\"x,y\"\r\n"_sj);
  EXPECT_EQ(plain, "㈱髙橋,2024/04/01\r\n\"q\",x,y\r\n"_sj);
  EXPECT_EQ(doc->GetIndex(2), "x,y");  // the last face written
}

}  // namespace

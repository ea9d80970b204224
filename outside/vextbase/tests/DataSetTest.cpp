// Data sets and their files: what is written comes back, the reader stops
// at the data set's end, and a damaged file is an archive error.
#include <gtest/gtest.h>

#include "FormBuilder.h"
#include "ScopedRegistry.h"
#include "platform/fs/File.h"
#include "platform/text/Sj.h"

using namespace vextbase_test;

namespace {

// Every byte value, and the characters only CP932 (not JIS) has.
CString EveryByte() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return CString(bytes);
}

// Two documents of a 3-face form, one of a second form, one without any.
std::unique_ptr<CVextFileIO> Sample(std::unique_ptr<CNVextLayoutData>& slip,
                                    std::unique_ptr<CNVextLayoutData>& memo) {
  slip = MakeLayout(1001, 3, {{1, "日付"_sj, 1, 1}, {2, "お届け先"_sj, 1, 3}, {3, "罫線"_sj, 0}});
  memo = MakeLayout(2002, 1, {{7, "memo"}});
  auto io = std::make_unique<CVextFileIO>();
  CKorbe95Data& data = *io->GetKorbeData();
  data.SetCounterID(1001);
  CVextBasePrtFrm frame;
  frame.SetFormat(slip.get());
  for (int i = 0; i < 2; ++i) {
    CNVextDoc* doc = frame.GetData(0, 0);
    doc->SetTitle(i ? "second" : "①㈱髙"_sj);
    doc->SetStrDataByOrder(1, 1, "2024/04/01", 0);
    doc->SetStrDataByOrder(2, 3, i ? EveryByte() : CString("㈱髙橋商店"_sj), 0);
    doc->SetIndex(3, "㈱髙橋商店"_sj, 1);
    doc->SetIndex(20, "last", 1);
    data.GetVextDocList().AddTail(doc);
  }
  auto other = MakeDoc(*memo);
  other->SetStrDataByOrder(7, 0, "on another form", 0);
  data.GetVextDocList().AddTail(other.release());
  data.GetVextDocList().AddTail(new CNVextDoc);
  return io;
}

TEST(DataSet, WrittenAndReadBackEqual) {
  std::unique_ptr<CNVextLayoutData> slip, memo;
  auto io = Sample(slip, memo);
  const std::string bytes = Store(*io);

  CVextFileIO read;
  EXPECT_EQ(Load(read, bytes), bytes.size());
  EXPECT_EQ(Store(read), bytes);
  CNVextDocList& docs = read.GetKorbeData()->GetVextDocList();
  ASSERT_EQ(docs.GetCount(), 4);
  EXPECT_EQ(read.GetKorbeData()->GetCounterID(), 1001);
  POSITION pos = docs.GetHeadPosition();
  CNVextDoc* first = docs.GetNext(pos);
  CNVextDoc* second = docs.GetNext(pos);
  CNVextDoc* third = docs.GetNext(pos);
  CNVextDoc* fourth = docs.GetNext(pos);
  int index;
  CString name;
  EXPECT_EQ(first->GetTitle(), "①㈱髙"_sj);
  EXPECT_EQ(first->GetStrDataByOrder(2, 3, index, name), "㈱髙橋商店"_sj);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(name, "お届け先"_sj);
  EXPECT_EQ(second->GetStrDataByOrder(2, 3, index, name), EveryByte());
  EXPECT_EQ(second->GetStrDataByOrder(2, 2, index, name), "");
  EXPECT_EQ(second->GetIndex(3), "㈱髙橋商店"_sj);
  EXPECT_EQ(second->GetIndex(20), "last");
  // Documents of one layout share it, as they did when written.
  EXPECT_EQ(first->GetFormat(), second->GetFormat());
  EXPECT_EQ(third->GetFormat()->GetID(), 2002);
  EXPECT_EQ(third->GetStrDataByOrder(7, 0, index, name), "on another form");
  EXPECT_EQ(fourth->GetFormat(), nullptr);
}

TEST(DataSet, ReaderStopsAtTheEndOfTheDataSet) {
  vext::testing::ScratchDir dir;
  const CString path((dir.path() / "1.ORG").string());
  std::unique_ptr<CNVextLayoutData> slip, memo;
  auto io = Sample(slip, memo);
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    io->Serialize(ar);
    ar.Close();
    file.Write("2X", 2);
    file.Close();
  }
  // Through the file, after the archive is closed...
  CFile file(path, CFile::modeRead);
  {
    CVextFileIO read;
    CArchive ar(&file, CArchive::load);
    read.Serialize(ar);
    ar.Close();
    EXPECT_EQ(read.GetKorbeData()->GetVextDocList().GetCount(), 4);
  }
  char after[3] = {};
  EXPECT_EQ(file.Read(after, 3), 2u);
  EXPECT_STREQ(after, "2X");
  // ... and through the archive itself.
  file.SeekToBegin();
  CVextFileIO read;
  CArchive ar(&file, CArchive::load);
  read.Serialize(ar);
  BYTE marker = 0;
  ar >> marker;
  EXPECT_EQ(marker, '2');
}

TEST(DataSet, EveryTruncationIsAnArchiveError) {
  std::unique_ptr<CNVextLayoutData> slip, memo;
  auto io = Sample(slip, memo);
  const std::string bytes = Store(*io);
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    CVextFileIO read;
    EXPECT_THROW(Load(read, bytes.substr(0, size)), CArchiveException) << size;
    // Only documents read whole are kept.
    EXPECT_LE(read.GetKorbeData()->GetVextDocList().GetCount(), 3) << size;
  }
}

// A data file written by hand: one layout of one face and two objects,
// then the documents given.
struct DocRecord {
  DWORD layoutNo;
  std::vector<BYTE> keys;
  DWORD values;
};

std::string DataFile(const std::vector<DocRecord>& docs) {
  auto layout = MakeLayout(1, 1, {{1, "a"}, {2, "b"}});
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar << DWORD{0x53445856} << WORD{1} << WORD{1} << LONG{1};
  ar.WriteCount(1);
  layout->Serialize(ar);
  ar.WriteCount(static_cast<DWORD>(docs.size()));
  for (const DocRecord& doc : docs) {
    ar << doc.layoutNo << WORD{1} << CString() << CString();
    for (int i = 0; i < 4; ++i) ar << LONG{0};
    ar.WriteCount(static_cast<DWORD>(doc.keys.size()));
    for (BYTE key : doc.keys) ar << key << CString("k");
    ar.WriteCount(doc.values);
    for (DWORD i = 0; i < doc.values; ++i) ar << CString("v");
  }
  ar.Close();
  return std::string(reinterpret_cast<const char*>(file.GetBytes()), file.GetLength());
}

TEST(DataSet, DamagedDocumentsAreArchiveErrors) {
  CVextFileIO good;
  ASSERT_NO_THROW(Load(good, DataFile({{1, {1, 20}, 2}, {0, {}, 0}})));
  struct Case {
    const char* why;
    DocRecord doc;
  } cases[] = {{"a layout number past the layouts", {2, {}, 0}},
               {"values without a layout", {0, {}, 2}},
               {"fewer values than the layout holds", {1, {}, 1}},
               {"index key 0", {1, {0}, 0}},
               {"index key 21", {1, {21}, 0}},
               {"index keys out of order", {1, {3, 2}, 0}},
               {"an index key twice", {1, {3, 3}, 0}}};
  for (const Case& c : cases) {
    CVextFileIO read;
    try {
      Load(read, DataFile({{1, {}, 0}, c.doc}));
      ADD_FAILURE() << c.why << ": loaded";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::generic) << c.why;
      EXPECT_EQ(read.GetKorbeData()->GetVextDocList().GetCount(), 1) << c.why;
    }
  }
}

TEST(DataSet, CallersOwnTheListAndRenumberIt) {
  std::unique_ptr<CNVextLayoutData> slip, memo;
  auto io = Sample(slip, memo);
  CKorbe95Data& data = *io->GetKorbeData();
  CNVextDocList& docs = data.GetVextDocList();
  // Taken out and deleted by the caller; the rest goes with the data set.
  CNVextDoc* first = docs.RemoveHead();
  delete first;
  docs.AddHead(MakeDoc(*slip).release());
  EXPECT_EQ(data.ChangeCounterID(3003), 4);
  EXPECT_EQ(data.GetCounterID(), 3003);
  for (POSITION pos = docs.GetHeadPosition(); pos;) {
    const CNVextDoc* doc = docs.GetNext(pos);
    EXPECT_EQ(doc->GetID(), 3003);
    if (doc->GetFormat()) {
      EXPECT_EQ(doc->GetFormat()->GetID(), 3003);
    }
  }
  CVextFileIO read;
  Load(read, Store(*io));
  EXPECT_EQ(read.GetKorbeData()->GetCounterID(), 3003);
  EXPECT_EQ(read.GetKorbeData()->GetVextDocList().GetHead()->GetFormat()->GetID(), 3003);
}

}  // namespace

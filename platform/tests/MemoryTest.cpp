// Memory handles, files in memory, and cutting CP932 text to a length.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/GlobalMemory.h"
#include "platform/fs/Archive.h"
#include "platform/fs/MemFile.h"
#include "platform/text/Cp932Rules.h"
#include "platform/text/Sj.h"

namespace {

TEST(GlobalMemory, BlocksAreSizedZeroedAndFreedByTheirHolder) {
  for (SIZE_T size : {SIZE_T{0}, SIZE_T{1}, SIZE_T{4097}}) {
    HGLOBAL block = GlobalAlloc(GHND, size);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), size);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    for (SIZE_T i = 0; i < size; ++i) ASSERT_EQ(bytes[i], 0);
    EXPECT_EQ(GlobalLock(block), bytes);  // never moved
    EXPECT_TRUE(GlobalUnlock(block));     // one lock left
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GlobalFree(block), nullptr);
  }
  EXPECT_EQ(GlobalAlloc(GHND, ~SIZE_T{0}), nullptr);  // no memory is an answer, not a crash
  EXPECT_EQ(GlobalLock(nullptr), nullptr);
  EXPECT_EQ(GlobalSize(nullptr), 0u);
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST(MemFile, ArchiveThroughGrowingAndAttachedBuffers) {
  CMemFile grown(4);
  {
    CArchive ar(&grown, CArchive::store, 16);
    ar << CString(std::string(100, 'x')) << DWORD{7};
    ar.Close();
  }
  EXPECT_EQ(grown.GetLength(), 105u);
  std::string bytes(reinterpret_cast<const char*>(grown.GetBytes()), 105);
  bytes += "after";
  CMemFile attached(reinterpret_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  CString text;
  DWORD number = 0;
  CArchive ar(&attached, CArchive::load, 16);
  ar >> text >> number;
  ar.Close();
  EXPECT_EQ(text.GetLength(), 100);
  EXPECT_EQ(number, 7u);
  EXPECT_EQ(attached.GetPosition(), 105u);  // put back at the first byte not read

  // An attached buffer is overwritten in place and never grows.
  attached.SeekToBegin();
  attached.Write("ABC", 3);
  EXPECT_EQ(bytes.substr(0, 3), "ABC");
  attached.Seek(-2, CFile::end);
  EXPECT_THROW(attached.Write("xyz", 3), CFileException);
  EXPECT_THROW(attached.Seek(-1, CFile::begin), CFileException);
}

TEST(Cp932Rules, PrefixOnBoundaryNeverSplitsACharacter) {
  const std::string text = std::string("ab") + "髙橋"_sj + "c";  // a b [2] [2] c
  struct Case {
    std::size_t max, expected;
  } cases[] = {{0, 0}, {2, 2}, {3, 2}, {4, 4}, {5, 4}, {6, 6}, {7, 7}, {99, 7}};
  for (const Case& c : cases) EXPECT_EQ(vext::PrefixOnBoundary(text, c.max), c.expected) << c.max;
  // A lead byte as the last byte counts as a character of its own.
  EXPECT_EQ(vext::PrefixOnBoundary("a\x88", 2), 2u);
  EXPECT_EQ(vext::PrefixOnBoundary("a\x88z", 2), 1u);
}

}  // namespace

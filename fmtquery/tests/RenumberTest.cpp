// Renumbering original-form files: only the identifiers change, the
// marker byte "2" survives, and no file is ever written with another
// file's data or left damaged.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <cerrno>

#include "FmtQuery.h"
#include "FormFixture.h"
#include "platform/fs/detail/Syscalls.h"
#include "platform/text/Sj.h"

using namespace fmtquery_test;
using vext::test::ReadBytes;
using vext::test::Utf8;

namespace {

// A delivery slip of two faces, two documents with values.
Json SlipData() {
  const Json layout = {{"id", 1001},
                       {"faces", 2},
                       {"table", {{"firstOrder", 11}, {"lastOrder", 14}, {"lines", 2}}},
                       {"fields",
                        {Field(1, "date"), Field(11, "item"), Field(12, "qty"), Field(13, "item"),
                         Field(14, "qty"), Field(20, "sum", 2)}}};
  return {{"kind", "data"},
          {"layout", layout},
          {"documents",
           {{{"title", "first"}, {"faces", {{{"1", "2024/04/01"}, {"11", "pen"}}, {{"12", "3"}}}}},
            {{"title", "second"}, {"indexKeys", {{"1", "x"}}}, {"faces", {{{"20", "900"}}}}}}}};
}

// The bytes the file must hold after renumbering: the data set read by the
// form library itself, given the identifier, stored, and the marker.
std::string Renumbered(const std::filesystem::path& file, long id, const std::string& marker) {
  vextform::DataFileContents contents = vextform::ReadDataFile(vext::test::SystemPath(file));
  CKorbe95Data& data = *contents.io->GetKorbeData();
  data.GetVextDocList().GetHead()->GetFormat()->SetID(id);
  data.ChangeCounterID(id);
  contents.trailingBytes = marker;
  vext::test::ScratchDir dir;
  vextform::WriteDataFile(vext::test::SystemPath(dir / "expected"), contents);
  return ReadBytes(dir / "expected");
}

TEST(Renumbering, OnlyTheIdentifiersChangeAndTheMarkerTwoIsKept) {
  struct Case {
    std::string trailing, kept;
  } cases[] = {{"", ""}, {"2", "2"}, {"7", ""}, {"2x", "2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE("trailing " + c.trailing);
    FormFiles files;
    const auto file = files.OrgData(5, SlipData(), c.trailing);
    const std::string expected = Renumbered(file, 2001, c.kept);
    EXPECT_EQ(CFmtDataGet().ChangeOrgNewID(files.OrgPath(5), 2001, nullptr), 1);
    EXPECT_EQ(ReadBytes(file), expected);
    const Json shown = vextform::DataSetToJson(
        *vextform::ReadDataFile(files.OrgPath(5)).io->GetKorbeData(), c.kept);
    EXPECT_EQ(shown["layout"]["id"], 2001);
    EXPECT_EQ(shown["documents"][1]["faces"][0]["20"], "900");
    EXPECT_TRUE(files.ui.Messages().empty());
  }
}

TEST(Renumbering, WritesOnlyTheFileItRead) {
  FormFiles files;
  const auto a = files.OrgData(5, SlipData(), "2");
  const auto b = files.Org(6, {{"id", 6}, {"fields", {Field(1, "only")}}});
  const std::string bBefore = ReadBytes(b);

  CFmtDataGet byPath;
  ASSERT_EQ(byPath.ChangeOrgNewID(files.OrgPath(5), 3001, nullptr), 1);
  const std::string aAfter = ReadBytes(a);
  EXPECT_EQ(byPath.ChangeOrgNewID(files.OrgPath(6), 3002, nullptr), 0);
  EXPECT_EQ(ReadBytes(a), aAfter);
  EXPECT_EQ(ReadBytes(b), bBefore);
  // The same file again, spelled another way (the data folder's
  // letters in another case, the native path): renumbered again.
  EXPECT_EQ(byPath.ChangeOrgNewID(CString("c:\\vext\\data\\org\\5.org"), 3003, nullptr), 1);
  EXPECT_EQ(byPath.ChangeOrgNewID(vext::test::SystemPath(a), 3004, nullptr), 1);
  EXPECT_EQ(ReadBytes(a), Renumbered(a, 3004, "2"));

  // Loaded by number by a query: another file is refused, the same one is
  // rewritten with its marker.
  CFmtDataGet byNumber;
  long head, columns, lines, foot;
  ASSERT_EQ(byNumber.GetSpaceCount(0, 5, head, columns, lines, foot), 1);
  EXPECT_EQ(byNumber.ChangeOrgNewID(files.OrgPath(6), 4001, nullptr), 0);
  EXPECT_EQ(ReadBytes(b), bBefore);
  const std::string expected = Renumbered(a, 4002, "2");
  EXPECT_EQ(byNumber.ChangeOrgNewID(files.OrgPath(5), 4002, nullptr), 1);
  EXPECT_EQ(ReadBytes(a), expected);
  EXPECT_TRUE(files.ui.Messages().empty());
}

// Puts the system calls back as they were.
class ScopedCalls {
 public:
  ScopedCalls() : m_saved(vext::sys::Current()) {}
  ~ScopedCalls() { vext::sys::Current() = m_saved; }

 private:
  vext::sys::Calls m_saved;
};

ssize_t DiskFull(int, const void*, size_t) {
  errno = ENOSPC;
  return -1;
}
// A folder where no file can be made, named or unnamed (O_TMPFILE).
int NoCreate(const char* path, int flags, mode_t mode) {
  if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {
    errno = EACCES;
    return -1;
  }
  return vext::sys::Defaults().open(path, flags, mode);
}

TEST(Renumbering, FailuresLeaveTheFileAsItWas) {
  FormFiles files;
  const auto file = files.OrgData(5, SlipData(), "2");
  const auto empty =
      files.OrgData(6, {{"kind", "data"}, {"layout", {{"id", 1}}}, {"documents", Json::array()}});
  const std::string before = ReadBytes(file);
  {
    ScopedCalls calls;
    vext::sys::Current().write = DiskFull;
    EXPECT_EQ(CFmtDataGet().ChangeOrgNewID(files.OrgPath(5), 9, nullptr), 0);
  }
  EXPECT_EQ(
      files.ui.Messages(),
      std::vector<std::string>{Utf8("書き出しエラー：ファイルの書き出しに失敗しました。"_sj)});
  {
    ScopedCalls calls;
    vext::sys::Current().open = NoCreate;
    EXPECT_EQ(CFmtDataGet().ChangeOrgNewID(files.OrgPath(5), 9, nullptr), 0);
  }
  const std::string emptyBefore = ReadBytes(empty);
  EXPECT_EQ(CFmtDataGet().ChangeOrgNewID(files.OrgPath(6), 9, nullptr), 0);
  EXPECT_EQ(CFmtDataGet().ChangeOrgNewID(files.OrgPath(7), 9, nullptr), 0);
  EXPECT_EQ(files.ui.Messages().size(), 1u);
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(ReadBytes(empty), emptyBefore);
  EXPECT_FALSE(std::filesystem::exists(files.suite.Native("DATA\\ORG\\7.ORG")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()),
                          std::filesystem::directory_iterator()),
            2);
}

}  // namespace

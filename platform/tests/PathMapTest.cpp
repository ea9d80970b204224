#include "platform/fs/PathMap.h"

#include <gtest/gtest.h>

#include "platform/fs/CurrentDirectory.h"

#include <string>

#include "ScopedRegistry.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"

namespace fs = std::filesystem;
using vext::NativePath;
using vext::SystemPath;
using vext::testing::ScopedEnv;
using vext::testing::ScratchDir;
using vext::testing::U8;

namespace {

// A drive folder with c: (the suite's files) and D: (spelt in upper case)
// pointing into a temporary folder.
class PathMap : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root.path() / "drives");
    fs::create_directory(root.path() / "cdrive");
    fs::create_directory(root.path() / "ddrive");
    fs::create_directory_symlink(root.path() / "cdrive", drives() / "c:");
    fs::create_directory_symlink(root.path() / "ddrive", drives() / "D:");
    root.Write("cdrive/Common/xmlSnc.csv", "");
    root.Write("cdrive/Sorenta/Data/MyData/SlipCatalog.dat", "");
    root.Write("cdrive/" + U8(u8"ソフト/伝票/表.txt"), "");
    root.Write("ddrive/SETUP.EXE", "");
  }
  fs::path drives() const { return root.path() / "drives"; }

  ScratchDir root;
  ScopedEnv drivesEnv{"VEXT_DRIVES", (root.path() / "drives").string()};
};

TEST_F(PathMap, WindowsPathsMapIntoTheDriveFolder) {
  struct Row {
    std::string systemPath;  // CP932
    std::string native;      // below the drive folder, UTF-8
  };
  const Row rows[] = {
      {"C:\\Common\\xmlSnc.csv", "c:/Common/xmlSnc.csv"},
      {"C:\\Common\\\\xmlSnc.csv",
       "c:/Common/xmlSnc.csv"},  // folder with a final backslash + "\xmlSnc.csv"
      {"c:/Common//xmlSnc.csv", "c:/Common/xmlSnc.csv"},
      {"C:\\Sorenta\\DATA\\MYDATA\\SlipCatalog.dat", "c:/Sorenta/Data/MyData/SlipCatalog.dat"},
      {"C:\\sorenta\\data\\mydata\\slipcatalog.DAT", "c:/Sorenta/Data/MyData/SlipCatalog.dat"},
      {"C:\\Sorenta\\Data\\MyData\\Recent.dat",
       "c:/Sorenta/Data/MyData/Recent.dat"},  // about to be created
      {"C:\\SORENTA\\NewDir\\new\\x.DAT", "c:/Sorenta/NewDir/new/x.DAT"},
      {"C:\\Sorenta\\", "c:/Sorenta"},
      {"C:", "c:"},
      {"C:Common", "c:/Common"},
      // '\' is the second byte of ソ (0x83 0x5C): it must not split the name.
      {"C:\\ソフト\\伝票\\表.txt"_sj, U8(u8"c:/ソフト/伝票/表.txt")},
      {"C:\\ソフト\\新規.txt"_sj, U8(u8"c:/ソフト/新規.txt")},
      {"d:\\setup.exe", "D:/SETUP.EXE"},
      {"E:\\nowhere\\file", "e:/nowhere/file"},  // no such drive: not found when opened
      // ".." never climbs out of the drive, as on Windows.
      {"C:\\..\\..\\common\\XMLSNC.csv", "c:/Common/xmlSnc.csv"},
      {"C:\\Sorenta\\DATA\\..\\.\\..\\Common\\.\\xmlSnc.csv", "c:/Common/xmlSnc.csv"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(vext::Cp932ToUtf8Lossy(row.systemPath));
    const auto native = NativePath(CString(row.systemPath));
    ASSERT_TRUE(native);
    EXPECT_EQ(native->string(), (drives() / row.native).string());
  }
}

TEST_F(PathMap, PathsWithoutDrive) {
  const std::string cdrive = (root.path() / "cdrive").string();
  EXPECT_EQ(NativePath(CString(cdrive + "\\COMMON\\XMLSNC.CSV"))->string(),
            cdrive + "/Common/xmlSnc.csv");
  EXPECT_EQ(NativePath(CString("relative\\name.txt"))->string(), "relative/name.txt");
  EXPECT_EQ(NativePath(CString("a\\..\\..\\b"))->string(), "../b");
  EXPECT_EQ(NativePath(CString("\\..\\etc"))->string(), "/etc");
  EXPECT_EQ(NativePath(CString("\\"))->string(), "/");
  EXPECT_EQ(NativePath(CString(""))->string(), "");
}

TEST_F(PathMap, DefaultDriveFolderIsInTheConfigFolder) {
  ScopedEnv unset("VEXT_DRIVES", std::nullopt);
  ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(NativePath(CString("C:\\x"))->string(), "/cfg/vext/drives/c:/x");
}

TEST_F(PathMap, UnconvertibleNamesAreRejected) {
  EXPECT_EQ(NativePath(CString("C:\\broken\x81")),
            std::nullopt);  // a lead byte without its partner
  EXPECT_EQ(NativePath(CString(std::string("C:\\a\0b", 6))), std::nullopt);
}

TEST(SystemPath, ConvertsToCp932) {
  EXPECT_EQ(SystemPath(fs::path(U8(u8"/home/u/書類/伝票.dat"))),
            CString("/home/u/書類/伝票.dat"_sj));
  EXPECT_EQ(SystemPath(fs::path(U8(u8"/tmp/😀"))), std::nullopt);
}

TEST_F(PathMap, CurrentDirectoryForTheLifeOfAScope) {
  const fs::path before = fs::current_path();
  {
    vext::CurrentDirectoryScope data("C:\\SORENTA\\data");
    EXPECT_TRUE(data.Changed());
    EXPECT_EQ(fs::current_path(), fs::canonical(root.path() / "cdrive" / "Sorenta" / "Data"));
    // A name chosen there is made whole; whole ones stay as they are.
    EXPECT_EQ(vext::AbsolutePath("MyData\\x.txt"),
              CString((fs::current_path() / "MyData" / "x.txt").string()));
    EXPECT_EQ(vext::AbsolutePath("C:\\x.txt"), "C:\\x.txt");
    EXPECT_EQ(vext::AbsolutePath("/tmp/x.txt"), "/tmp/x.txt");
    vext::CurrentDirectoryScope missing("C:\\no\\such");
    EXPECT_FALSE(missing.Changed());
  }
  EXPECT_EQ(fs::current_path(), before);
}

}  // namespace

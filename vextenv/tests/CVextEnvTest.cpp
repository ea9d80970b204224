#include "VextEnv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ScopedRegistry.h"

using vext::testing::ScopedEnv;
using vext::testing::ScopedRegistry;

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

const std::string kProduct =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik]\r\n"
    "\"CD-Drive\"=\"Q:\"\r\n"
    "\"InstalledDir\"=\"C:\\\\Sorenta\\\\velmorik\"\r\n"
    "\"InstalledDataDir\"=\"C:\\\\Sorenta\\\\velmorik\\\\\"\r\n"
    "\"Ver\"=dword:0000026a\r\n"
    "\"AppName\"=\"velmorik\"\r\n";

const std::string kCommon =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\Common]\r\n"
    "\"CommonDir\"=\"C:\\\\Sorenta\\\\Common\"\r\n"
    "\"CommonPrgDir\"=\"C:\\\\Sorenta\\\\Common\\\\Program\\\\\"\r\n"
    "\"ClipArt\"=\"C:\\\\Sorenta\\\\ClipArt\"\r\n";

std::string Personal(const std::string& value) {
  return "[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\User Shell "
         "Folders]\r\n\"Personal\"=" +
         value + "\r\n";
}

TEST(CVextEnv, ReadsEveryMemberAsStored) {
  ScopedRegistry reg;
  reg.Add(kHeader + kProduct + kCommon + Personal(R"("D:\\Users\\u\\Documents")"));
  const CVextEnv env;
  EXPECT_EQ(env.m_strCDDrive, "Q");
  EXPECT_EQ(env.m_strInstalledDir, "C:\\Sorenta\\velmorik");
  EXPECT_EQ(env.m_strInstalledDataDir, "C:\\Sorenta\\velmorik\\");  // final backslash kept
  EXPECT_EQ(env.m_nVer, 618u);
  EXPECT_EQ(env.m_strAppName, "velmorik");
  EXPECT_EQ(env.m_strCommonDir, "C:\\Sorenta\\Common");  // none added
  EXPECT_EQ(env.m_strCommonPrgDir, "C:\\Sorenta\\Common\\Program\\");
  EXPECT_EQ(env.m_strClipArt, "C:\\Sorenta\\ClipArt");
  EXPECT_EQ(env.m_strMyDocuments, "D:\\Users\\u\\Documents");
}

TEST(CVextEnv, ProductKeyMissing) {
  ScopedRegistry reg;
  reg.Add(kHeader + kCommon + Personal(R"("D:\\Docs")"));
  const CVextEnv env;
  EXPECT_EQ(env.m_strCDDrive, "");
  EXPECT_EQ(env.m_strInstalledDir, "");
  EXPECT_EQ(env.m_strInstalledDataDir, "");
  EXPECT_EQ(env.m_nVer, 0u);
  EXPECT_EQ(env.m_strAppName, "");
  EXPECT_EQ(env.m_strCommonDir, "C:\\Sorenta\\Common");
  EXPECT_EQ(env.m_strClipArt, "C:\\Sorenta\\ClipArt");
  EXPECT_EQ(env.m_strMyDocuments, "D:\\Docs");
}

TEST(CVextEnv, CdDriveIsTheDriveLetterOnly) {
  struct Row {
    const char* stored;
    const char* drive;
  };
  const Row rows[] = {
      {R"("D")", "D"},   {R"("D:")", "D"},
      {R"("D:\\")", ""},  // three characters and the terminator do not fit
      {R"("")", ""},     {"dword:00000044", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stored);
    ScopedRegistry reg;
    reg.Add(kHeader + "[HKLM\\SOFTWARE\\velmor_op\\velmorik]\r\n\"CD-Drive\"=" + row.stored +
            "\r\n");
    EXPECT_EQ(CVextEnv().m_strCDDrive, row.drive);
  }
}

TEST(CVextEnv, EachMissingValueLeavesOnlyItsMemberEmpty) {
  ScopedRegistry reg;
  reg.Add(kHeader + kProduct + kCommon);
  reg.Add(kHeader +
          "[HKLM\\SOFTWARE\\velmor_op\\velmorik]\r\n\"InstalledDataDir\"=-\r\n\"Ver\"=\"618\"\r\n"
          "[HKLM\\SOFTWARE\\velmor_op\\Common]\r\n\"CommonPrgDir\"=-\r\n");
  const CVextEnv env;
  EXPECT_EQ(env.m_strInstalledDataDir, "");
  EXPECT_EQ(env.m_strInstalledDir, "C:\\Sorenta\\velmorik");
  EXPECT_EQ(env.m_nVer, 0u);  // a text "Ver" is not a number
  EXPECT_EQ(env.m_strAppName, "velmorik");
  EXPECT_EQ(env.m_strCommonDir, "C:\\Sorenta\\Common");
  EXPECT_EQ(env.m_strCommonPrgDir, "");
  EXPECT_EQ(env.m_strClipArt, "C:\\Sorenta\\ClipArt");
}

TEST(CVextEnv, ValueLongerThanItsBufferCountsAsMissing) {
  const std::string fits(255, 'f');  // folders: 256-byte buffers
  const std::string over(256, 'o');
  const std::string name259(259, 'n');  // application name and Personal: 260 bytes
  ScopedRegistry reg;
  reg.Add(kHeader + "[HKLM\\SOFTWARE\\velmor_op\\velmorik]\r\n\"InstalledDir\"=\"" + fits +
          "\"\r\n\"InstalledDataDir\"=\"" + over + "\"\r\n\"AppName\"=\"" + name259 +
          "\"\r\n[HKLM\\SOFTWARE\\velmor_op\\Common]\r\n\"CommonDir\"=\"" + over + "\"\r\n" +
          Personal('"' + std::string(260, 'p') + '"'));
  const CVextEnv env;
  EXPECT_EQ(env.m_strInstalledDir, CString(fits));
  EXPECT_EQ(env.m_strInstalledDataDir, "");
  EXPECT_EQ(env.m_strAppName, CString(name259));
  EXPECT_EQ(env.m_strCommonDir, "");
  EXPECT_EQ(env.m_strMyDocuments, "");
}

TEST(CVextEnv, PersonalIsExpanded) {
  ScopedEnv profile("USERPROFILE", "C:\\Users\\u");
  ScopedEnv missing("VEXT_TEST_UNSET", std::nullopt);
  ScopedEnv longValue("VEXT_TEST_LONG", std::string(100, 'L'));
  struct Row {
    std::string stored;
    std::string documents;
  };
  const Row rows[] = {
      {R"("%USERPROFILE%\\My Documents")", "C:\\Users\\u\\My Documents"},
      // REG_EXPAND_SZ as regedit exports it.
      {"hex(2):25,00,55,00,53,00,45,00,52,00,50,00,52,00,4f,00,46,00,49,00,4c,00,45,00,25,00,00,00",
       "C:\\Users\\u"},
      {R"("E:\\Data\\Docs\\")", "E:\\Data\\Docs\\"},
      {R"("%VEXT_TEST_UNSET%\\Docs")", "%VEXT_TEST_UNSET%\\Docs"},
      // Expanded it would not fit its buffer: the text as read is kept.
      {"\"" + std::string(240, 'x') + "%VEXT_TEST_LONG%\"",
       std::string(240, 'x') + "%VEXT_TEST_LONG%"},
      {R"("")", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stored);
    ScopedRegistry reg;
    reg.Add(kHeader + Personal(row.stored));
    EXPECT_EQ(CVextEnv().m_strMyDocuments, CString(row.documents));
  }
}

TEST(CVextEnv, SampleRegistryFile) {
  const char* source = std::getenv("VEXT_TEST_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  ScopedRegistry reg;
  ScopedEnv files("VEXT_REGISTRY", std::string(source) + "/samples/registry.reg");
  const CVextEnv env;
  EXPECT_EQ(env.m_strCDDrive, "D");
  EXPECT_EQ(env.m_strInstalledDataDir, "C:\\Sorenta\\velmorik");
  EXPECT_EQ(env.m_nVer, 618u);
  EXPECT_EQ(env.m_strCommonDir, "C:\\Sorenta\\Common");
  EXPECT_EQ(env.m_strClipArt, "C:\\Sorenta\\Common\\ClipArt");
}

TEST(CVextEnv, EachInstanceReadsAfresh) {
  ScopedRegistry reg;
  const CVextEnv before;
  reg.Add(kHeader + kCommon);
  const CVextEnv after;
  EXPECT_EQ(before.m_strCommonDir, "");
  EXPECT_EQ(after.m_strCommonDir, "C:\\Sorenta\\Common");
}

}  // namespace

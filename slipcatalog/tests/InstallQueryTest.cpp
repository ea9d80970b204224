// The installation queries against registry files and running products.
#include <string>

#include "CatalogTestSupport.h"
#include "MutexHolder.h"

namespace slipcatalog::testing {
namespace {

TEST_F(CatalogTest, LinkSwitchesVersionsAndFolders) {
  const std::string longFolder = "C:\\\\" + std::string(260, 'x');
  struct Case {
    std::string registry;  // after the "REGEDIT4" line
    int denOn, okuOn, okuDen;
    const char* denDir;
    const char* okuDir;
  };
  const Case cases[] = {
      {"", 0, 0, 0, "", ""},
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\ShiteiV]\n\"DenRen\"=dword:1\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DiduveV]\n\"Ver\"=dword:261\n",
       0, 0, 0, "", ""},  // version 609
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\ShiteiV]\n\"DenRen\"=dword:1\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DiduveV]\n\"Ver\"=dword:262\n"
       "\"InstalledDataDir\"=\"C:\\\\Den\\\\\"\n",
       1, 0, 0, "C:\\Den\\", ""},  // version 610; the folder as stored
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\ShiteiV]\n\"DenRen\"=dword:0\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DiduveV]\n\"Ver\"=dword:999\n",
       0, 0, 0, "", ""},
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DiduveV]\n\"Ver\"=dword:999\n", 0, 0, 0, "",
       ""},  // no link key
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\ShiteiV]\n\"OkuriRen\"=dword:1\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DadudivV]\n\"Ver\"=\"610\"\n"
       "\"DenRen\"=dword:1\n\"InstalledDataDir\"=\"" +
           longFolder + "\"\n",
       0, 0, 1, "", ""},  // a version as text does not count; a folder too long is none
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\ShiteiV]\n\"OkuriRen\"=dword:5\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\DadudivV]\n\"Ver\"=dword:1000\n"
       "\"InstalledDataDir\"=\"D:\\\\Oku\"\n",
       0, 1, 0, "", "D:\\Oku"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.registry);
    vext::testing::ScopedRegistry only;
    only.Add("REGEDIT4\n" + c.registry);
    EXPECT_EQ(IsDenRenOnData(), c.denOn);
    EXPECT_EQ(IsOkuRenOnData(), c.okuOn);
    EXPECT_EQ(IsOkuDenRen(), c.okuDen);
    EXPECT_STREQ(GetDenInstDir(), c.denDir);
    EXPECT_STREQ(GetOkuriInstDir(), c.okuDir);
  }
}

TEST_F(CatalogTest, RunningProductsAreSeenThroughTheirMutexes) {
  EXPECT_EQ(IsAllreadyDenMain(), 0);
  EXPECT_EQ(IsAllreadyOkuriMain(), 0);
  {
    vext::testing::MutexHolder den("hZaviziv");
    ASSERT_TRUE(den.started());
    EXPECT_EQ(IsAllreadyDenMain(), 1);
    EXPECT_EQ(IsAllreadyOkuriMain(), 0);
    vext::testing::MutexHolder oku("hDadudiv");
    ASSERT_TRUE(oku.started());
    EXPECT_EQ(IsAllreadyOkuriMain(), 1);
    EXPECT_EQ(IsAllreadyDenMain(), 1);  // asking did not take it
  }
  EXPECT_EQ(IsAllreadyDenMain(), 0);
  EXPECT_EQ(IsAllreadyOkuriMain(), 0);
}

}  // namespace
}  // namespace slipcatalog::testing

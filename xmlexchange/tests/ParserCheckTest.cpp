// CheckXML: xmlSncEnv beside the library and a parser registered, no
// parser class in the registry, and no xmlSncEnv at all.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "ScopedRegistry.h"
#include "SnXmlConv.h"

namespace {

using vext::test::U8;

TEST(CheckXml, AParserIsRegistered) {
  vext::testing::ScopedRegistry registry(/*builtinDefaults=*/true);
  vext::test::ScriptedUi ui;
  EXPECT_EQ(CContactXmlConv().CheckXML(), 1);
  EXPECT_EQ(CXMLConv().CheckXML(), 1);
  EXPECT_EQ(ui.Messages(), std::vector<std::string>());
}

TEST(CheckXml, NoParserClassInTheRegistry) {
  vext::testing::ScopedRegistry registry(/*builtinDefaults=*/false);
  registry.Add("REGEDIT4\n[HKEY_CLASSES_ROOT\\Other.Class\\CLSID]\n@=\"{0}\"\n");
  vext::test::ScriptedUi ui;
  EXPECT_EQ(CContactXmlConv().CheckXML(), 0);
  EXPECT_EQ(CXMLConv().CheckXML(), 0);
  const std::string message = U8(
      u8"現在の環境ではXML読み込み・書き出しができません。\nInternet Exploler5.0以上が必要です。");
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{message, message}));
}

// A copy of the library in a folder of its own, where no xmlSncEnv lies
// beside it and none is on the search path, loaded as a host loads it.
// The build tree's run paths hold empty entries, which stand for the
// working folder: the test works in the copy's folder.
TEST(CheckXml, WithoutXmlSncEnv) {
  vext::testing::ScopedRegistry registry(/*builtinDefaults=*/true);
  vext::test::ScratchDir dir;
  struct WorkIn {
    std::filesystem::path before = std::filesystem::current_path();
    explicit WorkIn(const std::filesystem::path& folder) { std::filesystem::current_path(folder); }
    ~WorkIn() { std::filesystem::current_path(before); }
  } workIn(dir.path());
  const std::filesystem::path copy = dir / "libSnXmlConv.so";
  std::filesystem::copy_file(SNXMLCONV_LIBRARY, copy);
  void* library = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  vext::test::ScriptedUi ui;
  for (const char* name : {"_ZN15CContactXmlConv8CheckXMLEv", "_ZN8CXMLConv8CheckXMLEv"}) {
    SCOPED_TRACE(name);
    // The classes hold no data; the member is called on storage of its size.
    const auto checkXml = reinterpret_cast<int (*)(void*)>(dlsym(library, name));
    ASSERT_NE(checkXml, nullptr);
    alignas(void*) unsigned char object[sizeof(CContactXmlConv)] = {};
    EXPECT_EQ(checkXml(object), 0);
    const auto events = ui->Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(vext::test::Utf8(events[0].text.str()), U8(u8"xmlSncEnv.DLLが見つかりません。"));
    EXPECT_EQ(events[0].type, MB_OK | MB_ICONWARNING);
    ui->ClearEvents();
  }
  dlclose(library);
}

}  // namespace

#include "platform/system/DynamicLibrary.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ScopedRegistry.h"

using vext::DynamicLibrary;

namespace {

std::string BuiltLibrary(const char* relative) {
  const char* dir = std::getenv("VEXT_TEST_BINARY_DIR");
  return std::string(dir ? dir : ".") + "/" + relative;
}

TEST(DynamicLibrary, LinuxName) {
  struct Row {
    const char* windows;
    const char* expected;
  };
  const Row rows[] = {
      {"xmlSncEnv.DLL", "libxmlSncEnv.so"}, {"xmlSncEnv.dll", "libxmlSncEnv.so"},
      {"VEXTMSG.Dll", "libVEXTMSG.so"},     {"C:\\WINNT\\SYSTEM32\\Barcode2.dll", "libBarcode2.so"},
      {"NoExtension", "libNoExtension.so"}, {"name.dll.bak", "libname.dll.bak.so"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(DynamicLibrary::LinuxName(row.windows), row.expected) << row.windows;
}

// The exchange library's way of calling the parser check: by Windows name,
// from code that lives in the same folder as the check library.
TEST(DynamicLibrary, LoadsBesideTheCallerAndResolvesByName) {
  const std::string path = BuiltLibrary("xmlenv/libxmlSncEnv.so");
  void* direct = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(direct, nullptr) << dlerror();
  void* const check = dlsym(direct, "ChkMsxmlVer");
  ASSERT_NE(check, nullptr);
  {
    const auto library = DynamicLibrary::Load("xmlSncEnv.DLL", check);
    ASSERT_NE(library, nullptr);
    void* const symbol = library->Symbol("ChkMsxmlVer");
    EXPECT_EQ(symbol, check);
    EXPECT_EQ(library->Symbol("NoSuchFunction"), nullptr);
    EXPECT_EQ(library->Symbol(nullptr), nullptr);

    vext::testing::ScopedRegistry noParser;
    EXPECT_EQ(reinterpret_cast<int (*)()>(symbol)(), -1);
  }
  dlclose(direct);
}

TEST(DynamicLibrary, MissingLibraryIsNull) {
  EXPECT_EQ(DynamicLibrary::Load("NoSuchLibrary.DLL", reinterpret_cast<const void*>(&dlopen)),
            nullptr);
  EXPECT_EQ(DynamicLibrary::Load("NoSuchLibrary.DLL", nullptr), nullptr);
  EXPECT_EQ(DynamicLibrary::Load(".dll", nullptr), nullptr);
}

}  // namespace

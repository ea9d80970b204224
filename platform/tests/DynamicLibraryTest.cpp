#include "platform/system/DynamicLibrary.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

using vext::DynamicLibrary;

namespace {

int InTheTestProgram() { return 0; }

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
// from code that lives in the same folder as the library it loads.
TEST(DynamicLibrary, LoadsBesideTheCallerAndResolvesByName) {
  void* direct = dlopen(DLL_PROBE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(direct, nullptr) << dlerror();
  void* const answer = dlsym(direct, "DllProbeAnswer");
  ASSERT_NE(answer, nullptr);
  {
    const auto library = DynamicLibrary::Load("DllProbe.DLL", answer);
    ASSERT_NE(library, nullptr);
    void* const symbol = library->Symbol("DllProbeAnswer");
    EXPECT_EQ(symbol, answer);
    EXPECT_EQ(reinterpret_cast<int (*)()>(symbol)(), 42);
    EXPECT_EQ(library->Symbol("NoSuchFunction"), nullptr);
    EXPECT_EQ(library->Symbol(nullptr), nullptr);
  }
  // Asked from the test program, whose folder does not hold it, it is not
  // found: the search beside the caller is what found it above.
  EXPECT_EQ(DynamicLibrary::Load("DllProbe.DLL", reinterpret_cast<const void*>(&InTheTestProgram)),
            nullptr);
  dlclose(direct);
}

TEST(DynamicLibrary, MissingLibraryIsNull) {
  EXPECT_EQ(DynamicLibrary::Load("NoSuchLibrary.DLL", reinterpret_cast<const void*>(&dlopen)),
            nullptr);
  EXPECT_EQ(DynamicLibrary::Load("NoSuchLibrary.DLL", nullptr), nullptr);
  EXPECT_EQ(DynamicLibrary::Load(".dll", nullptr), nullptr);
}

}  // namespace

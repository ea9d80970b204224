// The library's export list is its contract with the exchange library,
// which finds ChkMsxmlVer by name at run time.
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

TEST(xmlSncEnvExports, ChkMsxmlVerIsFoundByItsPlainName) {
  void* library = dlopen(XMLSNCENV_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_NE(dlsym(library, "ChkMsxmlVer"), nullptr);
  dlclose(library);
}

}  // namespace

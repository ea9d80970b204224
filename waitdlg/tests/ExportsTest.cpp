// The host programs link against these names: every one must be exported
// by the built libVEXTMSG.so, and nothing of the library's inside.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <string>

namespace {

std::string LibraryPath() {
  if (const char* dir = std::getenv("VEXT_TEST_BINARY_DIR"))
    return std::string(dir) + "/waitdlg/libVEXTMSG.so";
  return VEXTMSG_BUILT_LIBRARY;
}

class VextMsgExports : public ::testing::Test {
 protected:
  void SetUp() override {
    m_library = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_library, nullptr) << dlerror();
  }
  void TearDown() override {
    if (m_library) dlclose(m_library);
  }
  void* m_library = nullptr;
};

TEST_F(VextMsgExports, EveryMemberOfCWaitDlgResolves) {
  const char* const names[] = {
      "_ZN8CWaitDlgC1Ei",  // CWaitDlg(int)
      "_ZN8CWaitDlgC2Ei",
      "_ZN8CWaitDlgD0Ev",  // ~CWaitDlg()
      "_ZN8CWaitDlgD1Ev",
      "_ZN8CWaitDlgD2Ev",
      "_ZN8CWaitDlg13DestroyWindowEv",                  // BOOL DestroyWindow()
      "_ZN8CWaitDlg7SetTextE7CString",                  // void SetText(CString)
      "_ZN8CWaitDlg6CreateEP4CWnd",                     // int Create(CWnd*)
      "_ZN8CWaitDlg12OnInitDialogEv",                   // BOOL OnInitDialog()
      "_ZN8CWaitDlg16OnUserEndInfoDlgEml",              // LRESULT OnUserEndInfoDlg(WPARAM, LPARAM)
      "_ZN8CWaitDlg14DoDataExchangeEP13CDataExchange",  // void DoDataExchange(CDataExchange*)
      "_ZN8CWaitDlg14ReEnableParentEv",                 // void ReEnableParent()
      "_ZNK8CWaitDlg13GetMessageMapEv",                 // message map
      "_ZN8CWaitDlg17GetThisMessageMapEv",
      "_ZTV8CWaitDlg",  // vtable
      "_ZTI8CWaitDlg",  // typeinfo
      "_ZTS8CWaitDlg",  // typeinfo name
  };
  for (const char* name : names) EXPECT_NE(dlsym(m_library, name), nullptr) << name;
}

TEST_F(VextMsgExports, TheLibraryInsideStaysHidden) {
  EXPECT_EQ(dlsym(m_library, "_ZN7vextmsg9ResourcesEv"), nullptr);
}

}  // namespace

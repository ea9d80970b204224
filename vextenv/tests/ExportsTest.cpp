// The host applications construct CVextEnv in their own storage and read
// its members, so the library must export the whole class: constructors,
// destructors, the member functions, the virtual table and the type
// information. Looked up by their mangled names, as the dynamic linker does.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "ScopedRegistry.h"

namespace {

TEST(VextEnvExports, WholeClassIsExported) {
  void* library = dlopen(VEXTENV_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const char* names[] = {
      "_ZN8CVextEnvC1Ev",             // CVextEnv::CVextEnv()
      "_ZN8CVextEnvC2Ev",             //   (base-object form)
      "_ZN8CVextEnvD0Ev",             // deleting destructor
      "_ZN8CVextEnvD1Ev",             // complete-object destructor
      "_ZN8CVextEnvD2Ev",             // base-object destructor
      "_ZN8CVextEnv11GetVextPathEv",  // CVextEnv::GetVextPath()
      "_ZN8CVextEnv17GetVextCommonPathEv",
      "_ZN8CVextEnv14GetMyDocumentsEv",
      "_ZTV8CVextEnv",  // virtual table
      "_ZTI8CVextEnv",  // type information
      "_ZTS8CVextEnv",  // type name
  };
  for (const char* name : names) EXPECT_NE(dlsym(library, name), nullptr) << name;
  dlclose(library);
}

TEST(VextEnvExports, ObjectBuiltInForeignStorage) {
  vext::testing::ScopedRegistry reg;
  void* library = dlopen(VEXTENV_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  using Constructor = void (*)(void*);
  const auto construct = reinterpret_cast<Constructor>(dlsym(library, "_ZN8CVextEnvC1Ev"));
  const auto destroy = reinterpret_cast<Constructor>(dlsym(library, "_ZN8CVextEnvD1Ev"));
  void* const vtable = dlsym(library, "_ZTV8CVextEnv");
  ASSERT_TRUE(construct && destroy && vtable);
  alignas(16) unsigned char storage[512] = {};
  construct(storage);
  // The object's first word points into the exported virtual table (past
  // its offset-to-top and type-information slots).
  void* vptr = nullptr;
  std::memcpy(&vptr, storage, sizeof vptr);
  EXPECT_EQ(vptr, static_cast<char*>(vtable) + 2 * sizeof(void*));
  destroy(storage);
  dlclose(library);
}

}  // namespace

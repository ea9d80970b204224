// The host applications construct CVextEnv in their own storage and read
// its members: the exported constructor, destructor and virtual table,
// looked up by their mangled names as the dynamic linker does, must build
// a working object in memory the library did not allocate.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "ScopedRegistry.h"

namespace {

TEST(VextEnvHostStorage, ObjectBuiltInForeignStorage) {
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

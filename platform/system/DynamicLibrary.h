// Loading a library by its Windows file name ("xmlSncEnv.DLL") as the
// Linux shared object "libxmlSncEnv.so", looked for beside the library that
// asks first, then on the normal search path.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/base/AfxTypes.h"

namespace vext {

class AFX_API DynamicLibrary {
 public:
  // nullptr when no such library can be loaded. `caller` is any address
  // inside the library that asks (its folder is searched first).
  static std::unique_ptr<DynamicLibrary> Load(std::string_view windowsName, const void* caller);
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Address of an exported name, or nullptr.
  void* Symbol(const char* name) const;

  // "xmlSncEnv.DLL" -> "libxmlSncEnv.so": any folder dropped, a ".dll"
  // ending (any case) replaced.
  static std::string LinuxName(std::string_view windowsName);

 private:
  explicit DynamicLibrary(void* handle) : m_handle(handle) {}
  void* m_handle;
};

}  // namespace vext

#include "platform/system/DynamicLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/text/Ascii.h"

namespace fs = std::filesystem;

namespace vext {
namespace {

// The file that holds `address`: a shared object, or the program itself
// (for which dladdr may give only argv[0]).
fs::path FileContaining(const void* address) {
  Dl_info info{};
  if (!address || dladdr(address, &info) == 0 || !info.dli_fname) return {};
  const std::string_view file(info.dli_fname);
  if (file.find('/') != std::string_view::npos) return fs::path(file);
  std::error_code ec;
  return fs::read_symlink("/proc/self/exe", ec);
}

}  // namespace

std::string DynamicLibrary::LinuxName(std::string_view windowsName) {
  const std::size_t slash = windowsName.find_last_of("\\/");
  if (slash != std::string_view::npos) windowsName.remove_prefix(slash + 1);
  if (EndsWithNoCaseAscii(windowsName, ".dll")) windowsName.remove_suffix(4);
  return "lib" + std::string(windowsName) + ".so";
}

std::unique_ptr<DynamicLibrary> DynamicLibrary::Load(std::string_view windowsName,
                                                     const void* caller) {
  const std::string name = LinuxName(windowsName);
  if (name == "lib.so" || name.find('\0') != std::string::npos) return nullptr;
  void* handle = nullptr;
  if (const fs::path self = FileContaining(caller); !self.empty()) {
    const fs::path beside = self.parent_path() / name;
    if (access(beside.c_str(), F_OK) == 0) handle = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  if (!handle) handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() { dlclose(m_handle); }

void* DynamicLibrary::Symbol(const char* name) const {
  return name ? dlsym(m_handle, name) : nullptr;
}

}  // namespace vext

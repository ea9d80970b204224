// Test helpers: an environment variable set for one test, and a registry
// made of .reg files written by the test itself.
//
//   ScopedRegistry reg;                       // no files, no built-in defaults
//   reg.Add("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\x]\n\"A\"=\"1\"\n");
//   auto key = vext::registry::Key::Open(...);
//
// The registry files are read afresh on every Key::Open, so changing the
// environment inside one process is enough.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ScratchDir.h"

namespace vext::testing {

// Sets (or, with nullopt, unsets) one environment variable and puts the
// old value back when it goes.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    Set(value);
  }
  ~ScopedEnv() { Set(m_old); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

  void Set(const std::optional<std::string>& value) const {
    if (value)
      setenv(m_name.c_str(), value->c_str(), 1);
    else
      unsetenv(m_name.c_str());
  }

 private:
  std::string m_name;
  std::optional<std::string> m_old;
};

class ScopedRegistry {
 public:
  explicit ScopedRegistry(bool builtinDefaults = false)
      : m_files("VEXT_REGISTRY", std::string()),
        m_defaults("VEXT_REGISTRY_DEFAULTS", builtinDefaults ? "1" : "0") {}

  // Adds a file holding `bytes` after the ones added before (it wins over
  // them); returns its path.
  std::filesystem::path Add(std::string_view bytes) {
    std::filesystem::path file =
        m_dir.Write("registry" + std::to_string(++m_count) + ".reg", bytes);
    m_list += (m_list.empty() ? "" : ":") + file.string();
    m_files.Set(m_list);
    return file;
  }

  const ScratchDir& dir() const { return m_dir; }

 private:
  ScratchDir m_dir{"vext-registry"};
  ScopedEnv m_files;
  ScopedEnv m_defaults;
  std::string m_list;
  int m_count = 0;
};

}  // namespace vext::testing

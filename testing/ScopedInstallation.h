// Test helper: an installed suite in a temporary folder. Drive C: is a
// folder of its own (through $VEXT_DRIVES), and the registry names
// "C:\Vext" as the installation and data folder, "D" as the medium's drive
// (a second folder) and "C:\Users\u\Documents" as the user's documents.
//
//   ScopedInstallation suite;
//   suite.Write("DATA\\FMT\\ON12.FMT", bytes);   // under the data folder
//   CVextBase frame; frame.SetFormat(12u);
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "ScopedRegistry.h"

namespace vext::testing {

class ScopedInstallation {
 public:
  ScopedInstallation() : m_drives("VEXT_DRIVES", (m_root.path() / "drives").string()) {
    namespace fs = std::filesystem;
    fs::create_directories(m_root.path() / "drives");
    fs::create_directories(DataFolder());
    fs::create_directories(m_root.path() / "d");
    fs::create_directory_symlink(m_root.path() / "c", m_root.path() / "drives" / "c:");
    fs::create_directory_symlink(m_root.path() / "d", m_root.path() / "drives" / "d:");
    m_registry.Add(
        "REGEDIT4\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik]\n"
        "\"CD-Drive\"=\"D:\"\n"
        "\"InstalledDir\"=\"C:\\\\Vext\"\n"
        "\"InstalledDataDir\"=\"C:\\\\Vext\"\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\"
        "User Shell Folders]\n"
        "\"Personal\"=\"C:\\\\Users\\\\u\\\\Documents\"\n");
  }

  // The data folder as the system names it, and natively.
  static std::string DataDir() { return "C:\\Vext"; }
  std::filesystem::path DataFolder() const { return m_root.path() / "c" / "Vext"; }
  // The native file for a path below the data folder written the system's
  // way ("DATA\\FMT\\ON1.FMT").
  std::filesystem::path Native(std::string relative) const {
    for (char& c : relative)
      if (c == '\\') c = '/';
    return DataFolder() / relative;
  }
  // Writes `bytes` to that file, making its folders.
  std::filesystem::path Write(const std::string& relative, std::string_view bytes) const {
    const std::filesystem::path file = Native(relative);
    std::filesystem::create_directories(file.parent_path());
    return m_root.Write(std::filesystem::relative(file, m_root.path()), bytes);
  }
  const ScratchDir& root() const { return m_root; }

 private:
  ScratchDir m_root;
  ScopedEnv m_drives;
  ScopedRegistry m_registry;
};

}  // namespace vext::testing

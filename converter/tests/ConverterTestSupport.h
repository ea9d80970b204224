// Helpers shared by the converter's tests: scratch folders, file bytes,
// the scripted user interface and UTF-8 <-> CP932 for readable tables.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace vext::test {

// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the scope.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// CP932 bytes of UTF-8 text (the test fails on text outside CP932).
std::string Sjis(const std::string& utf8);
// UTF-8 of CP932 bytes, for readable failure output.
std::string Utf8(const std::string& cp932);
// A native path as the system's string.
CString SystemPath(const std::filesystem::path& path);

// Installs a scripted user interface for the scope and restores the one
// before it afterwards.
class ScriptedUi {
 public:
  ScriptedUi();
  ~ScriptedUi();
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;
  // The message texts shown so far, in UTF-8.
  std::vector<std::string> Messages() const;

 private:
  vext::ui::ScriptedUserInterface* m_ui;
  std::shared_ptr<vext::ui::UserInterface> m_previous;
};

}  // namespace vext::test

namespace vext::xml {
class Node;
}

namespace vext::test {

// u8"..." literals as std::string (C++20 makes them char8_t).
inline std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// An element tree, one line per element: indentation by depth, the name,
// the attributes as written (name="value") and the text of a leaf in
// quotes; texts in UTF-8.
std::string Render(const vext::xml::Node& element);

}  // namespace vext::test

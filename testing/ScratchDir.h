// Scratch folders and whole-file bytes for the tests (and the benchmarks
// and fuzz targets): one fresh folder per use, gone with its contents at
// the end of the scope.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vext::testing {

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces the file's content; makes the folders it needs.
inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// u8"..." as bytes (C++20 makes the literal char8_t).
inline std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

class ScratchDir {
 public:
  // A new folder under $TMPDIR (else /tmp) whose name starts with `prefix`.
  explicit ScratchDir(const std::string& prefix = "vext-test") {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + prefix + "-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
  }
  // Removes the folder, whatever a test did to the permissions inside it.
  ~ScratchDir() {
    if (m_keep) return;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(m_path, ec), end; !ec && it != end; it.increment(ec))
      if (it->is_directory(ec) && !it->is_symlink(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return m_path / name; }

  // Writes `bytes` to `name` (folders made as needed); returns its path.
  std::filesystem::path Write(const std::filesystem::path& name, std::string_view bytes) const {
    WriteBytes(m_path / name, bytes);
    return m_path / name;
  }
  std::string Read(const std::filesystem::path& name) const { return ReadBytes(m_path / name); }
  // The names in the folder itself, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // Leaves the folder where it is, to be looked at afterwards.
  void Keep() { m_keep = true; }

 private:
  std::filesystem::path m_path;
  bool m_keep = false;
};

}  // namespace vext::testing

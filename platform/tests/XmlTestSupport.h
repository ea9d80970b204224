// Shared by the XML tests: a scratch folder per test and whole-file I/O.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/base/CString.h"
#include "platform/text/Cp932.h"

// CP932 text in failure messages, readable on a UTF-8 terminal.
inline void PrintTo(const CString& text, std::ostream* os) {
  *os << '"' << vext::Cp932ToUtf8Lossy(text.view()) << '"';
}

namespace xmltest {

namespace fs = std::filesystem;

// A _sj literal as a std::string; written as a call because clang 14
// crashes on std::string("..."_sj) inside a longer expression.
inline std::string Bytes(const char* text) { return text; }

// u8"..." as bytes (C++20 makes the literal char8_t).
inline std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline fs::path DataFile(const std::string& name) {
  const char* source = std::getenv("VEXT_TEST_SOURCE_DIR");
  return fs::path(source ? source : ".") / "platform" / "tests" / "data" / "xml" / name;
}

class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::path(::testing::TempDir()) /
            (std::string("vext-xml-") + info->test_suite_name() + "-" + info->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  // A file of the folder, as the system names it.
  CString PathOf(const std::string& name) const { return CString((m_dir / name).string()); }
  CString Put(const std::string& name, const std::string& bytes) const {
    WriteAll(m_dir / name, bytes);
    return PathOf(name);
  }
  std::string Get(const std::string& name) const { return ReadAll(m_dir / name); }

  fs::path m_dir;
};

}  // namespace xmltest

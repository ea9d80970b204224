// Shared by the XML tests: a scratch folder per test and whole-file bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "ScratchDir.h"
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

using vext::testing::ReadBytes;
using vext::testing::U8;
using vext::testing::WriteBytes;

inline fs::path DataFile(const std::string& name) {
  const char* source = std::getenv("VEXT_TEST_SOURCE_DIR");
  return fs::path(source ? source : ".") / "platform" / "tests" / "data" / "xml" / name;
}

class ScratchFolder : public ::testing::Test {
 protected:
  // A file of the folder, as the system names it.
  CString PathOf(const std::string& name) const { return CString((m_dir / name).string()); }
  CString Put(const std::string& name, const std::string& bytes) const {
    WriteBytes(m_dir / name, bytes);
    return PathOf(name);
  }
  std::string Get(const std::string& name) const { return ReadBytes(m_dir / name); }

  vext::testing::ScratchDir m_scratch{"vext-xml"};
  const fs::path m_dir = m_scratch.path();
};

}  // namespace xmltest

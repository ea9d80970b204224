// Finds narrow string and character literals whose source text holds
// non-ASCII characters but that carry neither the _sj suffix (CP932 bytes
// at compile time) nor a u8/L/u/U prefix. Such a literal would put UTF-8
// bytes where the system expects CP932, silently.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vext::literals {

struct BareLiteral {
  int line = 0;      // 1-based
  int column = 0;    // 1-based, in bytes, at the literal's first character
  std::string text;  // the literal as written (shortened when long)
};

// Lexes `source` as C++ (comments, raw strings, digit separators, line
// splices) and returns every offending literal in source order.
std::vector<BareLiteral> FindBareLiterals(std::string_view source);

struct CheckResult {
  int filesScanned = 0;
  int findings = 0;
  int errors = 0;  // paths that could not be read
};

// Scans the given files, and the C++ sources (.cpp .cc .h .hpp .inc) under
// the given folders, skipping hidden folders and build trees (folders that
// hold a CMakeCache.txt). Writes one "path:line:column: ..." line per
// finding to `out` and problems with paths to `err`.
CheckResult CheckPaths(const std::vector<std::filesystem::path>& paths, std::ostream& out,
                       std::ostream& err);

}  // namespace vext::literals

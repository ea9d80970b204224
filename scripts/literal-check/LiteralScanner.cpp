#include "LiteralScanner.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <system_error>

namespace vext::literals {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }

bool IsStringPrefix(std::string_view id) {
  static constexpr std::array<std::string_view, 9> kPrefixes = {"L",  "u",  "U",  "u8", "R",
                                                                "LR", "uR", "UR", "u8R"};
  return std::find(kPrefixes.begin(), kPrefixes.end(), id) != kPrefixes.end();
}
bool IsCharPrefix(std::string_view id) { return id == "L" || id == "u" || id == "U" || id == "u8"; }

// The literal's first line, cut to a readable length on a UTF-8 boundary.
std::string Excerpt(std::string_view literal) {
  constexpr std::size_t kMax = 72;
  bool cut = false;
  if (const auto eol = literal.find_first_of("\r\n"); eol != std::string_view::npos) {
    literal = literal.substr(0, eol);
    cut = true;
  }
  if (literal.size() > kMax) {
    std::size_t end = kMax;
    while (end > 0 && (static_cast<unsigned char>(literal[end]) & 0xC0) == 0x80) --end;
    literal = literal.substr(0, end);
    cut = true;
  }
  return std::string(literal) + (cut ? "..." : "");
}

class Lexer {
 public:
  explicit Lexer(std::string_view source) : s_(source) {}

  std::vector<BareLiteral> Run() {
    while (i_ < s_.size()) {
      const char c = s_[i_];
      const char next = At(i_ + 1);
      if (c == '/' && next == '/') {
        SkipLineComment();
      } else if (c == '/' && next == '*') {
        const auto end = s_.find("*/", i_ + 2);
        i_ = end == std::string_view::npos ? s_.size() : end + 2;
      } else if (IsIdentStart(c)) {
        const std::size_t start = i_;
        while (i_ < s_.size() && IsIdentChar(s_[i_])) ++i_;
        const std::string_view id = s_.substr(start, i_ - start);
        const char quote = At(i_);
        if ((quote == '"' && IsStringPrefix(id)) || (quote == '\'' && IsCharPrefix(id)))
          ScanLiteral(start, id);
      } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
        SkipNumber();
      } else if (c == '"' || c == '\'') {
        ScanLiteral(i_, {});
      } else {
        ++i_;
      }
    }
    return std::move(found_);
  }

 private:
  char At(std::size_t k) const { return k < s_.size() ? s_[k] : '\0'; }

  // A line comment ends at a newline that no backslash splices away.
  void SkipLineComment() {
    while (i_ < s_.size()) {
      const auto eol = s_.find('\n', i_);
      if (eol == std::string_view::npos) {
        i_ = s_.size();
        return;
      }
      std::size_t last = eol;
      if (last > i_ && s_[last - 1] == '\r') --last;
      i_ = eol + 1;
      if (last == 0 || s_[last - 1] != '\\') return;
    }
  }

  // A pp-number, so that the digit separator in 1'000 opens no literal.
  void SkipNumber() {
    ++i_;
    while (i_ < s_.size()) {
      const char c = s_[i_];
      const bool signedExponent = (c == 'e' || c == 'E' || c == 'p' || c == 'P') &&
                                  (At(i_ + 1) == '+' || At(i_ + 1) == '-');
      const bool separator = c == '\'' && IsIdentChar(At(i_ + 1));
      if (signedExponent || separator) {
        i_ += 2;
      } else if (IsIdentChar(c) || c == '.') {
        ++i_;
      } else {
        break;
      }
    }
  }

  // `start` is the first character of the literal (its prefix, if any);
  // the quote follows the prefix.
  void ScanLiteral(std::size_t start, std::string_view prefix) {
    const std::size_t quote = start + prefix.size();
    const char q = s_[quote];
    const bool raw = q == '"' && !prefix.empty() && prefix.back() == 'R';
    const bool narrow = prefix.empty() || prefix == "R";
    std::size_t bodyBegin = quote + 1, bodyEnd = 0, end = 0;

    if (raw) {
      // R"delimiter( ... )delimiter", the delimiter at most 16 characters.
      const auto open = s_.find('(', bodyBegin);
      const bool delimiterOk =
          open != std::string_view::npos && open - bodyBegin <= 16 &&
          s_.substr(bodyBegin, open - bodyBegin).find_first_of(" ()\\\t\v\f\r\n\"") ==
              std::string_view::npos;
      if (!delimiterOk) {
        i_ = quote + 1;  // not a raw string after all; go on after the quote
        return;
      }
      const std::string close = ")" + std::string(s_.substr(bodyBegin, open - bodyBegin)) + "\"";
      const auto closeAt = s_.find(close, open + 1);
      if (closeAt == std::string_view::npos) {
        i_ = s_.size();
        return;
      }
      bodyBegin = open + 1;
      bodyEnd = closeAt;
      end = closeAt + close.size();
    } else {
      std::size_t j = bodyBegin;
      bool terminated = false;
      while (j < s_.size()) {
        const char d = s_[j];
        if (d == '\\') {
          j += (At(j + 1) == '\r' && At(j + 2) == '\n') ? 3 : 2;
        } else if (d == q) {
          terminated = true;
          break;
        } else if (d == '\n') {
          break;
        } else {
          ++j;
        }
      }
      if (!terminated) {
        // An apostrophe in a #error line, say: no literal, no finding.
        i_ = std::min(j, s_.size());
        return;
      }
      bodyEnd = j;
      end = j + 1;
    }

    std::size_t suffixEnd = end;
    if (IsIdentStart(At(suffixEnd))) {
      while (suffixEnd < s_.size() && IsIdentChar(s_[suffixEnd])) ++suffixEnd;
    }
    const std::string_view suffix = s_.substr(end, suffixEnd - end);
    i_ = suffixEnd;

    const std::string_view body = s_.substr(bodyBegin, bodyEnd - bodyBegin);
    const bool nonAscii = std::any_of(body.begin(), body.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (narrow && nonAscii && suffix != "_sj") Report(start, s_.substr(start, suffixEnd - start));
  }

  void Report(std::size_t offset, std::string_view literal) {
    const std::string_view before = s_.substr(0, offset);
    const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    const auto lineStart = before.rfind('\n');
    const int column =
        static_cast<int>(lineStart == std::string_view::npos ? offset + 1 : offset - lineStart);
    found_.push_back({line, column, Excerpt(literal)});
  }

  std::string_view s_;
  std::size_t i_ = 0;
  std::vector<BareLiteral> found_;
};

bool IsSourceFile(const std::filesystem::path& path) {
  const std::string ext = path.extension().string();
  return ext == ".cpp" || ext == ".cc" || ext == ".h" || ext == ".hpp" || ext == ".inc";
}

bool IsSkippedFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  const std::string name = folder.filename().string();
  return (!name.empty() && name[0] == '.') ||
         std::filesystem::exists(folder / "CMakeCache.txt", ec);
}

}  // namespace

std::vector<BareLiteral> FindBareLiterals(std::string_view source) { return Lexer(source).Run(); }

CheckResult CheckPaths(const std::vector<std::filesystem::path>& paths, std::ostream& out,
                       std::ostream& err) {
  namespace fs = std::filesystem;
  CheckResult result;
  std::vector<fs::path> files;
  for (const auto& path : paths) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
      fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, ec),
          last;
      for (; !ec && it != last; it.increment(ec)) {
        if (it->is_directory(ec)) {
          if (IsSkippedFolder(it->path())) it.disable_recursion_pending();
        } else if (it->is_regular_file(ec) && IsSourceFile(it->path())) {
          files.push_back(it->path());
        }
      }
      if (ec) {
        err << "check-literals: cannot walk " << path.string() << ": " << ec.message() << '\n';
        ++result.errors;
      }
    } else if (fs::is_regular_file(path, ec)) {
      files.push_back(path);
    } else {
      err << "check-literals: no such file or folder: " << path.string() << '\n';
      ++result.errors;
    }
  }
  std::sort(files.begin(), files.end());

  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
      err << "check-literals: cannot read " << file.string() << '\n';
      ++result.errors;
      continue;
    }
    ++result.filesScanned;
    for (const auto& finding : FindBareLiterals(text)) {
      out << file.string() << ':' << finding.line << ':' << finding.column
          << ": non-ASCII text in a narrow literal needs _sj (CP932) or u8 (UTF-8): "
          << finding.text << '\n';
      ++result.findings;
    }
  }
  return result;
}

}  // namespace vext::literals

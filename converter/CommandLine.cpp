#include "CommandLine.h"

#include <string>

#include "platform/text/Cp932.h"

namespace vext::converter {

std::optional<CString> CommandLineTail(int argc, const char* const* argv) {
  std::string tail;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) tail += ' ';
    tail += argv[i];
  }
  std::optional<std::string> cp932 = Utf8ToCp932(tail);
  if (!cp932) return std::nullopt;
  return CString(std::move(*cp932));
}

std::optional<CommandLine> ParseCommandLine(const CString& tail) {
  CommandLine result;
  int at = tail.Find("/R:");
  if (at >= 0) {
    result.mode = kReadMode;
  } else {
    at = tail.Find("/W:");
    if (at < 0) return std::nullopt;
    result.mode = kWriteMode;
  }
  const int start = at + 3;
  if (start < tail.GetLength() && tail[start] == '"') {
    const int close = tail.Find('"', start + 1);
    result.xmlPath = close < 0 ? tail.Mid(start + 1) : tail.Mid(start + 1, close - start - 1);
  } else {
    result.xmlPath = tail.Mid(start);
  }
  if (result.xmlPath.IsEmpty()) return std::nullopt;
  return result;
}

}  // namespace vext::converter

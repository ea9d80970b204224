#include "Cp932.h"

#include <iconv.h>

#include <cerrno>

namespace {

// One conversion descriptor per direction and thread: iconv_t keeps shift
// state and must not be shared between threads.
class Converter {
public:
  Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~Converter() {
    if (m_cd != Invalid()) iconv_close(m_cd);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input; on an unconvertible sequence either fails or,
  // when `lossy`, writes '?' for one byte and goes on.
  std::optional<std::string> Run(std::string_view in, bool lossy) {
    if (m_cd == Invalid()) return std::nullopt;
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.resize(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t used = 0;
    while (srcLeft > 0) {
      char* dst = out.data() + used;
      std::size_t dstLeft = out.size() - used;
      const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
      used = out.size() - dstLeft;
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
      } else if (lossy && (errno == EILSEQ || errno == EINVAL)) {
        if (out.size() - used < 1) out.resize(out.size() * 2);
        out[used++] = '?';
        ++src;
        --srcLeft;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
      } else {
        return std::nullopt;
      }
    }
    out.resize(used);
    return out;
  }

private:
  static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
  iconv_t m_cd;
};

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

namespace vext {

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Run(cp932, false);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter converter("CP932", "UTF-8");
  return converter.Run(utf8, false);
}

std::optional<std::string> Utf16LeToCp932(std::string_view utf16le) {
  if (utf16le.size() % 2 != 0) return std::nullopt;
  thread_local Converter converter("CP932", "UTF-16LE");
  return converter.Run(utf16le, false);
}

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Run(cp932, true).value_or(std::string());
}

}  // namespace vext

// CP932 for the XML facade: the libxml2 encoding handler, on the system's
// CP932 codec, that every Shift_JIS name resolves to. libxml2 on its own
// hands "Shift_JIS" to iconv's strict SHIFT_JIS, which refuses ①, ㈱, 髙
// and the other Windows characters.
#include <libxml/encoding.h>

#include <cstdint>
#include <mutex>

#include "platform/text/Ascii.h"
#include "platform/text/Cp932.h"
#include "platform/text/Unicode.h"
#include "platform/text/detail/Cp932Codec.h"
#include "platform/xml/XmlDom.h"
#include "platform/xml/detail/XmlInternal.h"

namespace vext::xml::detail {
namespace {

// libxml2's side: CP932 bytes to UTF-8.
int Cp932Input(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
  if (!out || !outlen || !inlen || *outlen < 0 || *inlen < 0) return -1;
  if (!in) {
    *outlen = 0;
    *inlen = 0;
    return 0;
  }
  std::size_t consumed = 0, produced = 0;
  const bool ok = cp932::Decode(in, static_cast<std::size_t>(*inlen), out,
                                static_cast<std::size_t>(*outlen), consumed, produced);
  *inlen = static_cast<int>(consumed);
  *outlen = static_cast<int>(produced);
  return ok ? static_cast<int>(produced) : -2;
}

// UTF-8 to CP932, for libxml2's own writers; an unencodable character
// stops with -2 at its first byte, and libxml2 writes a character
// reference for it.
int Cp932Output(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
  if (!out || !outlen || !inlen || *outlen < 0 || *inlen < 0) return -1;
  if (!in) {
    *outlen = 0;
    *inlen = 0;
    return 0;
  }
  const std::size_t inLength = static_cast<std::size_t>(*inlen),
                    outLength = static_cast<std::size_t>(*outlen);
  std::size_t i = 0, o = 0;
  int result = 0;
  while (i < inLength) {
    char32_t cp;
    const int n = unicode::DecodeUtf8(
        std::string_view(reinterpret_cast<const char*>(in + i), inLength - i), cp);
    if (n == 0) {
      // A sequence cut at the end of the piece waits for the rest.
      if (inLength - i < 4) break;
      result = -2;
      break;
    }
    char bytes[2];
    const int m = cp932::Encode(cp, bytes);
    if (m == 0) {
      result = -2;
      break;
    }
    if (o + static_cast<std::size_t>(m) > outLength) break;
    for (int k = 0; k < m; ++k) out[o++] = static_cast<unsigned char>(bytes[k]);
    i += static_cast<std::size_t>(n);
  }
  *inlen = static_cast<int>(i);
  *outlen = static_cast<int>(o);
  return result < 0 ? result : static_cast<int>(o);
}

constexpr const char* kCp932Names[] = {"Shift_JIS", "Shift-JIS", "SJIS",
                                       "x-sjis",    "MS_Kanji",  "Windows-31J"};

void Initialise() {
  xmlInitParser();
  // Registered handlers are looked up before iconv, and aliases before
  // both; libxml2 compares the names without regard to case.
  xmlNewCharEncodingHandler("CP932", Cp932Input, Cp932Output);
  for (const char* alias : kCp932Names) xmlAddEncodingAlias("CP932", alias);
}

}  // namespace

void EnsureInitialised() {
  static std::once_flag once;
  std::call_once(once, Initialise);
}

bool IsCp932Name(std::string_view encoding) {
  if (EqualsNoCaseAscii(encoding, "CP932")) return true;
  for (const char* name : kCp932Names)
    if (EqualsNoCaseAscii(encoding, name)) return true;
  return false;
}

std::string ToTree(std::string_view cp932) {
  for (char c : cp932) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') throw ConversionError();
  }
  std::optional<std::string> utf8 = vext::Cp932ToUtf8(cp932);
  if (!utf8) throw ConversionError();
  return std::move(*utf8);
}

CString FromTree(std::string_view utf8) {
  std::optional<std::string> cp932 = vext::Utf8ToCp932(utf8);
  if (!cp932) throw ConversionError();
  return CString(std::move(*cp932));
}

}  // namespace vext::xml::detail

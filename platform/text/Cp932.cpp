#include "platform/text/Cp932.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <vector>

#include "platform/text/Unicode.h"
#include "platform/text/detail/Cp932Codec.h"

namespace vext::cp932 {
namespace {

constexpr char16_t kNoCharacter = 0xFFFF;

struct Tables {
  std::array<char16_t, 256> single{};  // kNoCharacter: lead byte or undefined
  std::array<bool, 256> lead{};
  std::vector<char16_t> pairs = std::vector<char16_t>(256 * 256, kNoCharacter);
  std::vector<std::uint16_t> encode = std::vector<std::uint16_t>(0x10000, 0);  // 0: none
};

// One character through iconv; the code point, or nothing.
bool DecodeWithIconv(iconv_t cd, const char* bytes, std::size_t length, char32_t& cp) {
  unsigned char wide[8];
  char* src = const_cast<char*>(bytes);
  char* dst = reinterpret_cast<char*>(wide);
  std::size_t srcLeft = length, dstLeft = sizeof wide;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0 ||
      sizeof wide - dstLeft != 4)
    return false;
  cp = wide[0] | wide[1] << 8 | wide[2] << 16 | static_cast<char32_t>(wide[3]) << 24;
  return true;
}

std::uint16_t EncodeWithIconv(iconv_t cd, char32_t cp) {
  char wide[4] = {static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8 & 0xFF), 0, 0};
  unsigned char bytes[8];
  char* src = wide;
  char* dst = reinterpret_cast<char*>(bytes);
  std::size_t srcLeft = sizeof wide, dstLeft = sizeof bytes;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0)
    return 0;
  const std::size_t n = sizeof bytes - dstLeft;
  if (n == 1) return bytes[0];
  if (n == 2) return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
  return 0;
}

Tables BuildTables() {
  Tables t;
  for (int b = 0; b < 0x80; ++b) t.single[b] = static_cast<char16_t>(b);
  for (int b = 0x80; b < 0x100; ++b) t.single[b] = kNoCharacter;
  for (int b = 0x81; b <= 0x9F; ++b) t.lead[b] = true;
  for (int b = 0xE0; b <= 0xFC; ++b) t.lead[b] = true;

  iconv_t toUnicode = iconv_open("UTF-32LE", "CP932");
  iconv_t fromUnicode = iconv_open("CP932", "UTF-32LE");
  const iconv_t invalid = reinterpret_cast<iconv_t>(-1);
  if (toUnicode != invalid && fromUnicode != invalid) {
    char32_t cp = 0;
    for (int b = 0x80; b < 0x100; ++b) {
      const char byte = static_cast<char>(b);
      if (!t.lead[b] && DecodeWithIconv(toUnicode, &byte, 1, cp) && cp < 0x10000)
        t.single[b] = static_cast<char16_t>(cp);
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!t.lead[lead]) continue;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        if (DecodeWithIconv(toUnicode, pair, 2, cp) && cp >= 0x80 && cp < 0x10000)
          t.pairs[lead << 8 | trail] = static_cast<char16_t>(cp);
      }
    }
    for (char32_t c = 0x80; c < 0x10000; ++c) {
      if (c >= 0xD800 && c < 0xE000) continue;
      t.encode[c] = EncodeWithIconv(fromUnicode, c);
    }
  }
  if (toUnicode != invalid) iconv_close(toUnicode);
  if (fromUnicode != invalid) iconv_close(fromUnicode);
  return t;
}

const Tables& TheTables() {
  static const Tables tables = BuildTables();
  return tables;
}

}  // namespace

bool Decode(const unsigned char* in, std::size_t inLength, unsigned char* out,
            std::size_t outLength, std::size_t& consumed, std::size_t& produced) {
  const Tables& t = TheTables();
  std::size_t i = 0, o = 0;
  bool ok = true;
  while (i < inLength) {
    const unsigned b = in[i];
    if (b < 0x80) {
      if (o >= outLength) break;
      out[o++] = static_cast<unsigned char>(b);
      ++i;
      continue;
    }
    char32_t cp;
    std::size_t used;
    if (t.lead[b]) {
      if (i + 1 >= inLength) break;
      cp = t.pairs[b << 8 | in[i + 1]];
      used = 2;
    } else {
      cp = t.single[b];
      used = 1;
    }
    if (cp == kNoCharacter) {
      ok = false;
      break;
    }
    if (o + 3 > outLength) break;  // the basic plane takes at most 3 bytes
    o += static_cast<std::size_t>(unicode::EncodeUtf8(cp, reinterpret_cast<char*>(out + o)));
    i += used;
  }
  consumed = i;
  produced = o;
  return ok;
}

int Encode(char32_t cp, char out[2]) {
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp >= 0x10000) return 0;
  const std::uint16_t code = TheTables().encode[cp];
  if (code == 0) return 0;
  if (code < 0x100) {
    out[0] = static_cast<char>(code);
    return 1;
  }
  out[0] = static_cast<char>(code >> 8);
  out[1] = static_cast<char>(code & 0xFF);
  return 2;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace vext::cp932

namespace vext {

namespace {

// Code points to CP932; `lossy` writes '?' for each one CP932 lacks.
template <typename NextCodePoint>
std::optional<std::string> EncodeAll(std::size_t sizeHint, bool lossy, NextCodePoint next) {
  std::string out;
  out.reserve(sizeHint);
  char32_t cp;
  for (int status; (status = next(cp)) != 0;) {
    char bytes[2];
    const int m = status > 0 ? cp932::Encode(cp, bytes) : 0;
    if (m > 0)
      out.append(bytes, static_cast<std::size_t>(m));
    else if (lossy)
      out += '?';
    else
      return std::nullopt;
  }
  return out;
}

// Walks UTF-8: 1 and the code point, -1 for a malformed byte (skipped), 0 at the end.
auto Utf8Walker(std::string_view utf8) {
  return [utf8, i = std::size_t{0}](char32_t& cp) mutable {
    if (i >= utf8.size()) return 0;
    const int n = unicode::DecodeUtf8(utf8.substr(i), cp);
    i += n > 0 ? static_cast<std::size_t>(n) : 1;
    return n > 0 ? 1 : -1;
  };
}

std::optional<std::string> DecodeAll(std::string_view cp932, bool lossy) {
  if (cp932::IsAscii(cp932)) return std::string(cp932);
  std::string utf8(cp932.size() * 3 + 3, '\0');
  const auto* in = reinterpret_cast<const unsigned char*>(cp932.data());
  auto* out = reinterpret_cast<unsigned char*>(utf8.data());
  std::size_t i = 0, o = 0;
  while (i < cp932.size()) {
    std::size_t consumed = 0, produced = 0;
    cp932::Decode(in + i, cp932.size() - i, out + o, utf8.size() - o, consumed, produced);
    i += consumed;
    o += produced;
    if (i == cp932.size()) break;
    // A bad sequence, or a lead byte with nothing after it.
    if (!lossy) return std::nullopt;
    out[o++] = '?';
    ++i;
  }
  utf8.resize(o);
  return utf8;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) { return DecodeAll(cp932, false); }

std::string Cp932ToUtf8Lossy(std::string_view cp932) { return *DecodeAll(cp932, true); }

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  if (cp932::IsAscii(utf8)) return std::string(utf8);
  return EncodeAll(utf8.size(), false, Utf8Walker(utf8));
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
  if (cp932::IsAscii(utf8)) return std::string(utf8);
  return *EncodeAll(utf8.size(), true, Utf8Walker(utf8));
}

std::optional<std::string> Utf16LeToCp932(std::string_view utf16le) {
  if (utf16le.size() % 2 != 0) return std::nullopt;
  std::size_t i = 0;
  // Characters beyond the basic plane (surrogate pairs) are not in CP932.
  return EncodeAll(utf16le.size(), false, [&](char32_t& cp) {
    if (i >= utf16le.size()) return 0;
    const int n = unicode::DecodeUtf16Le(utf16le.substr(i), cp);
    i += n > 0 ? static_cast<std::size_t>(n) : 2;
    return n > 0 ? 1 : -1;
  });
}

}  // namespace vext

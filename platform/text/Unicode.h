// UTF-8 and UTF-16LE, one code point at a time: the one decoder and encoder
// of each that the system's conversions and the _sj literals share.
// Usable at compile time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vext::unicode {

// Stands for a broken sequence where one has to be kept in its place.
inline constexpr char32_t kReplacement = 0xFFFD;

constexpr bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// Decodes the UTF-8 sequence at the start of `in` into `cp`; returns its
// length, or 0 when it is malformed: a stray continuation byte, an
// overlong form, a surrogate, a value beyond U+10FFFF or a sequence cut
// short (also when `in` is empty).
constexpr int DecodeUtf8(std::string_view in, char32_t& cp) {
  if (in.empty()) return 0;
  const auto byte = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(in[i]));
  };
  const char32_t b0 = byte(0);
  int length = 0;
  char32_t value = 0, least = 0;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    length = 2, value = b0 & 0x1F, least = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, value = b0 & 0x0F, least = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, value = b0 & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (in.size() < static_cast<std::size_t>(length)) return 0;
  for (int k = 1; k < length; ++k) {
    const char32_t next = byte(static_cast<std::size_t>(k));
    if ((next & 0xC0) != 0x80) return 0;
    value = value << 6 | (next & 0x3F);
  }
  if (value < least || value > 0x10FFFF || IsSurrogate(value)) return 0;
  cp = value;
  return length;
}

// Writes the UTF-8 bytes of `cp` (a Unicode scalar value) to `out`, which
// has room for 4; returns how many.
constexpr int EncodeUtf8(char32_t cp, char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | cp >> 6);
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | cp >> 12);
    out[1] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | cp >> 18);
  out[1] = static_cast<char>(0x80 | (cp >> 12 & 0x3F));
  out[2] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
  out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

inline void AppendUtf8(std::string& out, char32_t cp) {
  char bytes[4];
  out.append(bytes, static_cast<std::size_t>(EncodeUtf8(cp, bytes)));
}

// Decodes the UTF-16LE unit, or surrogate pair, at the start of `in` into
// `cp`; returns the bytes it took (2 or 4), or 0 for a lone surrogate or
// fewer than two bytes.
constexpr int DecodeUtf16Le(std::string_view in, char32_t& cp) {
  const auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(in[i]) |
                                 static_cast<unsigned char>(in[i + 1]) << 8);
  };
  if (in.size() < 2) return 0;
  const char32_t first = unit(0);
  if (!IsSurrogate(first)) {
    cp = first;
    return 2;
  }
  if (first > 0xDBFF || in.size() < 4) return 0;
  const char32_t second = unit(2);
  if (second < 0xDC00 || second > 0xDFFF) return 0;
  cp = 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
  return 4;
}

}  // namespace vext::unicode

// CP932 for the XML facade: conversion tables built once from glibc iconv's
// own CP932 mapping, and the libxml2 encoding handler that every Shift_JIS
// name resolves to. libxml2 on its own hands "Shift_JIS" to iconv's strict
// SHIFT_JIS, which refuses ①, ㈱, 髙 and the other Windows characters.
#include <iconv.h>
#include <libxml/encoding.h>

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "XmlDom.h"
#include "XmlInternal.h"

namespace vext::xml::detail {
namespace {

constexpr char16_t kNoCharacter = 0xFFFF;

struct Cp932Tables {
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
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0) return 0;
  const std::size_t n = sizeof bytes - dstLeft;
  if (n == 1) return bytes[0];
  if (n == 2) return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
  return 0;
}

Cp932Tables BuildTables() {
  Cp932Tables t;
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

const Cp932Tables& Tables() {
  static const Cp932Tables tables = BuildTables();
  return tables;
}

int PutUtf8(char32_t cp, unsigned char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<unsigned char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | cp >> 6);
    out[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 2;
  }
  out[0] = static_cast<unsigned char>(0xE0 | cp >> 12);
  out[1] = static_cast<unsigned char>(0x80 | (cp >> 6 & 0x3F));
  out[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
  return 3;
}

// Converts as much as fits; `consumed` and `produced` tell how far it got.
// false: the input holds a byte sequence that is not CP932.
bool DecodeCp932(const unsigned char* in, std::size_t inLength, unsigned char* out, std::size_t outLength,
                 std::size_t& consumed, std::size_t& produced) {
  const Cp932Tables& t = Tables();
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
      if (i + 1 >= inLength) break;  // the trail byte comes with the next piece
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
    if (o + 3 > outLength) break;
    o += static_cast<std::size_t>(PutUtf8(cp, out + o));
    i += used;
  }
  consumed = i;
  produced = o;
  return ok;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// libxml2's side: CP932 bytes to UTF-8.
int Cp932Input(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
  if (!out || !outlen || !inlen || *outlen < 0 || *inlen < 0) return -1;
  if (!in) {
    *outlen = 0;
    *inlen = 0;
    return 0;
  }
  std::size_t consumed = 0, produced = 0;
  const bool ok = DecodeCp932(in, static_cast<std::size_t>(*inlen), out, static_cast<std::size_t>(*outlen),
                              consumed, produced);
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
  const std::size_t inLength = static_cast<std::size_t>(*inlen), outLength = static_cast<std::size_t>(*outlen);
  std::size_t i = 0, o = 0;
  int result = 0;
  while (i < inLength) {
    char32_t cp;
    const int n = GetUtf8(in + i, inLength - i, cp);
    if (n == 0) {
      // A sequence cut at the end of the piece waits for the rest.
      if (inLength - i < 4) break;
      result = -2;
      break;
    }
    char bytes[2];
    const int m = EncodeCp932(cp, bytes);
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

constexpr const char* kCp932Names[] = {"Shift_JIS", "Shift-JIS", "SJIS", "x-sjis", "MS_Kanji", "Windows-31J"};

void Initialise() {
  xmlInitParser();
  Tables();
  // Registered handlers are looked up before iconv, and aliases before
  // both; libxml2 compares the names without regard to case.
  xmlNewCharEncodingHandler("CP932", Cp932Input, Cp932Output);
  for (const char* alias : kCp932Names) xmlAddEncodingAlias("CP932", alias);
}

}  // namespace

int GetUtf8(const unsigned char* in, std::size_t left, char32_t& cp) {
  const unsigned b0 = in[0];
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  int n;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) n = 2, cp = b0 & 0x1F, min = 0x80;
  else if ((b0 & 0xF0) == 0xE0) n = 3, cp = b0 & 0x0F, min = 0x800;
  else if ((b0 & 0xF8) == 0xF0) n = 4, cp = b0 & 0x07, min = 0x10000;
  else return 0;
  if (left < static_cast<std::size_t>(n)) return 0;
  for (int k = 1; k < n; ++k) {
    if ((in[k] & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (in[k] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return 0;
  return n;
}

void EnsureInitialised() {
  static std::once_flag once;
  std::call_once(once, Initialise);
}

bool IsCp932Name(std::string_view encoding) {
  const auto same = [&](std::string_view name) {
    if (name.size() != encoding.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
      if (lower(name[i]) != lower(encoding[i])) return false;
    }
    return true;
  };
  if (same("CP932")) return true;
  for (const char* name : kCp932Names)
    if (same(name)) return true;
  return false;
}

int EncodeCp932(char32_t cp, char out[2]) {
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp >= 0x10000) return 0;
  const std::uint16_t code = Tables().encode[cp];
  if (code == 0) return 0;
  if (code < 0x100) {
    out[0] = static_cast<char>(code);
    return 1;
  }
  out[0] = static_cast<char>(code >> 8);
  out[1] = static_cast<char>(code & 0xFF);
  return 2;
}

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8) {
  if (IsAscii(cp932)) {
    utf8.assign(cp932);
    return true;
  }
  utf8.resize(cp932.size() * 3);
  std::size_t consumed = 0, produced = 0;
  const bool ok = DecodeCp932(reinterpret_cast<const unsigned char*>(cp932.data()), cp932.size(),
                              reinterpret_cast<unsigned char*>(utf8.data()), utf8.size(), consumed, produced);
  utf8.resize(produced);
  return ok && consumed == cp932.size();
}

bool Utf8ToCp932(std::string_view utf8, std::string& cp932) {
  if (IsAscii(utf8)) {
    cp932.assign(utf8);
    return true;
  }
  cp932.clear();
  cp932.reserve(utf8.size());
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    const int n = GetUtf8(in + i, utf8.size() - i, cp);
    char bytes[2];
    const int m = n ? EncodeCp932(cp, bytes) : 0;
    if (m == 0) return false;
    cp932.append(bytes, static_cast<std::size_t>(m));
    i += static_cast<std::size_t>(n);
  }
  return true;
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
  std::string cp932;
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    const int n = GetUtf8(in + i, utf8.size() - i, cp);
    char bytes[2];
    const int m = n ? EncodeCp932(cp, bytes) : 0;
    if (m == 0) cp932 += '?';
    else cp932.append(bytes, static_cast<std::size_t>(m));
    i += n ? static_cast<std::size_t>(n) : 1;
  }
  return cp932;
}

std::string ToTree(std::string_view cp932) {
  for (char c : cp932) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') throw ConversionError();
  }
  std::string utf8;
  if (!Cp932ToUtf8(cp932, utf8)) throw ConversionError();
  return utf8;
}

CString FromTree(std::string_view utf8) {
  std::string cp932;
  if (!Utf8ToCp932(utf8, cp932)) throw ConversionError();
  return CString(std::move(cp932));
}

}  // namespace vext::xml::detail

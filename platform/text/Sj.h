// "text"_sj: a literal written in UTF-8 in the source and used by the
// system as code page 932 bytes. The conversion happens at compile time;
// a character that CP932 cannot encode, or malformed UTF-8, does not
// compile.
//
//   const char* message = "メモリ不足です"_sj;
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/text/Unicode.h"

namespace vext::sj {

struct Mapping {
  std::uint32_t codePoint;
  std::uint16_t cp932;
};

inline constexpr Mapping kTable[] = {
#include "platform/text/Cp932Table.inc"
};

// Not constexpr-evaluable on purpose: calling it while converting a literal
// turns a bad character into a compile error.
void CharacterNotInCp932();

constexpr std::uint16_t Lookup(std::uint32_t cp) {
  std::size_t lo = 0, hi = std::size(kTable);
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (kTable[mid].codePoint < cp)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo == std::size(kTable) || kTable[lo].codePoint != cp) CharacterNotInCp932();
  return kTable[lo].cp932;
}

template <std::size_t N>
struct Utf8Literal {
  char chars[N];
  constexpr Utf8Literal(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) chars[i] = text[i];
  }
};

// Decodes one UTF-8 sequence at `i`; advances `i`.
template <std::size_t N>
constexpr std::uint32_t Decode(const Utf8Literal<N>& s, std::size_t& i) {
  char32_t cp = 0;
  const int length = unicode::DecodeUtf8(std::string_view(s.chars + i, N - 1 - i), cp);
  if (length == 0) CharacterNotInCp932();
  i += static_cast<std::size_t>(length);
  return cp;
}

// Number of CP932 bytes of the literal, terminator excluded.
template <Utf8Literal L, std::size_t N>
constexpr std::size_t EncodedLength(const Utf8Literal<N>&) {
  std::size_t length = 0;
  for (std::size_t i = 0; i + 1 < N;) {
    const std::uint32_t cp = Decode(L, i);
    length += cp < 0x80 ? 1 : Lookup(cp) > 0xFF ? 2 : 1;
  }
  return length;
}

template <Utf8Literal L>
struct Cp932Text {
  static constexpr std::size_t kLength = EncodedLength<L>(L);
  static constexpr std::array<char, kLength + 1> Make() {
    std::array<char, kLength + 1> out{};
    std::size_t o = 0;
    constexpr std::size_t n = sizeof(L.chars);
    for (std::size_t i = 0; i + 1 < n;) {
      const std::uint32_t cp = Decode(L, i);
      const std::uint16_t code = cp < 0x80 ? static_cast<std::uint16_t>(cp) : Lookup(cp);
      if (code > 0xFF) out[o++] = static_cast<char>(code >> 8);
      out[o++] = static_cast<char>(code & 0xFF);
    }
    out[o] = '\0';
    return out;
  }
  static constexpr std::array<char, kLength + 1> bytes = Make();
};

}  // namespace vext::sj

template <vext::sj::Utf8Literal L>
constexpr const char* operator""_sj() {
  return vext::sj::Cp932Text<L>::bytes.data();
}

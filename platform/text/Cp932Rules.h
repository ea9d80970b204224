// The character rules of code page 932 that byte-string helpers follow:
// a search starts only on a character boundary, a lead byte takes the next
// byte with it, and a case change touches single-byte ASCII letters only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Export.h"

namespace vext {

// True for the first byte of a double-byte code page 932 character.
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Position of the first occurrence of `needle` in `text` at or after
// `start` that begins on a character boundary, or npos.
AFX_API std::size_t FindOnBoundary(std::string_view text, std::string_view needle,
                                   std::size_t start = 0);

// `text` with its single-byte ASCII letters in upper (lower) case; the
// second byte of a double-byte character never changes, whatever it is.
AFX_API std::string ToUpperCp932(std::string_view text);
AFX_API std::string ToLowerCp932(std::string_view text);

// Length of the longest prefix of `text` of at most `maxBytes` bytes that
// does not split a double-byte character (a lead byte as the last byte of
// `text` counts as one character).
AFX_API std::size_t PrefixOnBoundary(std::string_view text, std::size_t maxBytes);

}  // namespace vext

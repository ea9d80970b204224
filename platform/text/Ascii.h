// ASCII case rules, the same in every locale: only the letters A-Z and a-z
// change case, every other byte stays as it is. Safe on UTF-8 text, whose
// bytes of non-ASCII characters are all 0x80 and above; CP932 text, whose
// second bytes can be letters, changes case through Cp932Rules.h.
#pragma once

#include <string>
#include <string_view>

namespace vext {

constexpr bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr char ToLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char ToUpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLowerAscii(c);
  return out;
}
inline std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpperAscii(c);
  return out;
}

constexpr bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
  return true;
}

constexpr bool EndsWithNoCaseAscii(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCaseAscii(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace vext

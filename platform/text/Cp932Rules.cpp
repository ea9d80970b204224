#include "platform/text/Cp932Rules.h"

#include "platform/text/Ascii.h"

namespace vext {

std::size_t FindOnBoundary(std::string_view text, std::string_view needle, std::size_t start) {
  const std::size_t size = text.size();
  if (needle.size() > size) return std::string_view::npos;
  // Walk character by character from the beginning so that `start` is
  // honoured only when it falls on a boundary of its own.
  std::size_t i = 0;
  while (i < start && i < size) i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  const std::size_t last = size - needle.size();
  while (i <= last) {
    if (text.compare(i, needle.size(), needle) == 0) return i;
    i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  return std::string_view::npos;
}

namespace {

template <typename ChangeCase>
std::string ChangeSingleBytes(std::string_view text, ChangeCase change) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(out[i])))
      ++i;
    else
      out[i] = change(out[i]);
  }
  return out;
}

}  // namespace

std::string ToUpperCp932(std::string_view text) {
  return ChangeSingleBytes(text, [](char c) { return ToUpperAscii(c); });
}

std::string ToLowerCp932(std::string_view text) {
  return ChangeSingleBytes(text, [](char c) { return ToLowerAscii(c); });
}

std::size_t PrefixOnBoundary(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  std::size_t i = 0;
  while (i < maxBytes) {
    const std::size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + step > maxBytes) break;
    i += step;
  }
  return i;
}

}  // namespace vext

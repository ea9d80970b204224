#include "TextJson.h"

#include <algorithm>
#include <cstdio>

#include "Failure.h"
#include "platform/text/Cp932.h"

namespace vextform {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// The first character of `utf8` that CP932 cannot hold, described for a message.
std::string FirstUnconvertible(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    const std::string_view character = utf8.substr(i, length);
    if (!vext::Utf8ToCp932(character)) {
      std::string codes;
      for (const char byte : character) {
        char code[4];
        std::snprintf(code, sizeof code, "%02X", static_cast<unsigned char>(byte));
        codes += (codes.empty() ? "" : " ") + std::string(code);
      }
      return "\"" + std::string(character) + "\" (UTF-8 " + codes + ")";
    }
    i += length;
  }
  return "a character";
}

}  // namespace

Json TextToJson(const CString& text) {
  if (auto utf8 = vext::Cp932ToUtf8(text.view())) return *utf8;
  return Json{{"hex", ToHex(text.view())}};
}

CString TextFromJson(const Json& value, const std::string& where) {
  if (value.is_string()) {
    const auto& utf8 = value.get_ref<const std::string&>();
    if (auto cp932 = vext::Utf8ToCp932(utf8)) return CString(std::move(*cp932));
    throw Failure(where + ": " + FirstUnconvertible(utf8) +
                  " is not in CP932 (Shift_JIS); the form's files cannot hold it");
  }
  if (value.is_object() && value.size() == 1 && value.contains("hex") && value["hex"].is_string())
    return CString(FromHex(value["hex"].get_ref<const std::string&>(), where + ".hex"));
  throw Failure(where + ": expected a text (a string, or {\"hex\": \"...\"} for raw bytes)");
}

std::string ToHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    hex += kDigits[static_cast<unsigned char>(c) >> 4];
    hex += kDigits[static_cast<unsigned char>(c) & 0x0F];
  }
  return hex;
}

std::string FromHex(std::string_view hex, const std::string& where) {
  if (hex.size() % 2 != 0) throw Failure(where + ": an odd number of hex digits");
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
    if (high < 0 || low < 0) throw Failure(where + ": \"" + std::string(hex) + "\" is not hex");
    bytes += static_cast<char>(high << 4 | low);
  }
  return bytes;
}

}  // namespace vextform

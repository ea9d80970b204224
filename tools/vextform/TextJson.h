// CP932 text as it appears in form descriptions: a JSON string (UTF-8)
// when the bytes are CP932 text, otherwise {"hex": "8140..."}, the bytes
// themselves, so that any value a file holds can be shown and written back.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/base/CString.h"

namespace vextform {

using Json = nlohmann::ordered_json;

Json TextToJson(const CString& text);
// Throws Failure naming `where` for text outside CP932 (with the first
// character that is) and for anything but a string or {"hex": ...}.
CString TextFromJson(const Json& value, const std::string& where);

std::string ToHex(std::string_view bytes);
// Throws Failure naming `where` unless `hex` is pairs of hex digits.
std::string FromHex(std::string_view hex, const std::string& where);

}  // namespace vextform

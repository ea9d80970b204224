// Conversion between the system's code page 932 bytes and the encodings
// spoken at its edges (UTF-8 for the OS, the terminal and libxml2,
// UTF-16LE for registry files). Conversion happens only at those edges.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Export.h"

namespace vext {

// nullopt when the input holds a sequence the target cannot represent
// (never silently replaced).
AFX_API std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
AFX_API std::optional<std::string> Utf8ToCp932(std::string_view utf8);
AFX_API std::optional<std::string> Utf16LeToCp932(std::string_view utf16le);

// For display only (terminal, diagnostics): unconvertible bytes or
// characters become '?'.
AFX_API std::string Cp932ToUtf8Lossy(std::string_view cp932);
AFX_API std::string Utf8ToCp932Lossy(std::string_view utf8);

}  // namespace vext

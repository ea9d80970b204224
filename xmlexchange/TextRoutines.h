// The address and reading conversions between the suite's strings and
// ContactXML (CP932 in and out, no state).
#pragma once

#include "CString.h"

namespace vext::contactxml {

// Half-width katakana readings to full-width, voiced marks composed.
CString ToFullWidthKana(const CString& text);
// Full-width katakana to half-width, voiced characters as two bytes.
CString ToHalfWidthKana(const CString& text);
// When `address` begins with one of the 47 prefecture names: prefecture =
// that name, rest = what follows. Otherwise rest = the whole address and
// prefecture keeps its value. An empty address writes neither.
void SplitPrefecture(const CString& address, CString& prefecture, CString& rest);

}  // namespace vext::contactxml

// The address and reading conversions between the suite's strings and
// ContactXML (CP932 in and out, no state). Every search is character-wise:
// the second byte of a two-byte character never matches a half-width
// katakana byte, and a two-byte pattern never matches across characters.
#pragma once

#include "platform/base/CString.h"

namespace vext::contactxml {

// Half-width katakana readings to full-width, voiced marks composed:
// ｶﾞ -> ガ, ﾊﾟ -> パ; ｳﾞ -> ウ゛ (never ヴ). Half-width punctuation ｡｢｣､･,
// hiragana, kanji and ASCII pass unchanged.
CString ToFullWidthKana(const CString& text);
// Full-width katakana to half-width, voiced characters as two bytes:
// ガ -> ｶﾞ, ヴ -> ｳﾞ, ゛ -> ﾞ. Small ヮヵヶヰヱ and everything else pass
// unchanged. Undoes ToFullWidthKana on any text of bytes 0xA1-0xDF.
CString ToHalfWidthKana(const CString& text);
// When `address` begins with one of the 47 prefecture names: prefecture =
// that name, rest = what follows. Otherwise rest = the whole address and
// prefecture keeps its value. An empty address writes neither. Leading
// blanks are not skipped.
void SplitPrefecture(const CString& address, CString& prefecture, CString& rest);

}  // namespace vext::contactxml

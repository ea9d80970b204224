// Readings between the suite's half-width katakana and ContactXML's
// full-width katakana.
//
// Both directions are defined as "find the leftmost table entry on a
// character boundary, replace it, carry on" (and, for the half-width
// direction, "restart from the beginning, pair after pair"). Done
// literally that is quadratic on long text; the single passes below give
// the same bytes, for the reasons given at each pass. Character boundaries
// are those of FindOnBoundary: a CP932 lead byte takes the next byte with
// it.
#include <array>
#include <string>
#include <string_view>

#include "TextRoutineTables.h"
#include "TextRoutines.h"

namespace vext::contactxml {
namespace {

bool IsLead(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }
unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// --- half-width -> full-width -----------------------------------------------

constexpr bool EverySingleCharacterEntryIsOneByte() {
  for (const auto& r : tables::kSingleCharacter) {
    if (r.from[0] == '\0' || r.from[1] != '\0' || IsLeadByte(static_cast<unsigned char>(r.from[0])))
      return false;
  }
  return true;
}
static_assert(EverySingleCharacterEntryIsOneByte());

constexpr std::array<const char*, 256> MakeFullWidthOfByte() {
  std::array<const char*, 256> out{};
  for (const auto& r : tables::kSingleCharacter) {
    const char*& slot = out[static_cast<unsigned char>(r.from[0])];
    if (!slot) slot = r.to;  // the earlier entry wins, as in a table search
  }
  return out;
}
constexpr std::array<const char*, 256> kFullWidthOfByte = MakeFullWidthOfByte();

// Phase 1. Each replaced byte is a whole single-byte character, so the
// remainder after it starts on a boundary of the original text and its
// boundaries are the original ones: "leftmost table byte of the
// remainder" is simply the next table byte met walking on.
std::string WidenSingleCharacters(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size();) {
    if (IsLead(text[i])) {
      out.append(text.substr(i, 2));
      i += 2;
      continue;
    }
    if (const char* full = kFullWidthOfByte[Byte(text[i])])
      out += full;
    else
      out += text[i];
    ++i;
  }
  return out;
}

// Every voiced-mark entry is two two-byte characters, the second being ゛
// or ゜; anything else at a position rules out a match cheaply.
constexpr bool EveryVoicedEntryEndsInAMark() {
  const std::string_view voiced = "゛"_sj, semiVoiced = "゜"_sj;
  for (const auto& r : tables::kVoicedMark) {
    const std::string_view from = r.from;
    if (from.size() != 4 || !IsLeadByte(static_cast<unsigned char>(from[0]))) return false;
    if (from.substr(2) != voiced && from.substr(2) != semiVoiced) return false;
  }
  return true;
}
static_assert(EveryVoicedEntryEndsInAMark());

// The composed character of the entry that matches at boundary `i`, or
// null. Entries are tried in table order, so the earlier one wins.
const char* ComposedAt(std::string_view text, std::size_t i) {
  static constexpr std::string_view kVoiced = "゛"_sj, kSemiVoiced = "゜"_sj;
  if (text.size() - i < 4) return nullptr;
  const std::string_view mark = text.substr(i + 2, 2);
  if (mark != kVoiced && mark != kSemiVoiced) return nullptr;
  const std::string_view pair = text.substr(i, 4);
  for (const auto& r : tables::kVoicedMark) {
    if (pair == r.from) return r.to;
  }
  return nullptr;
}

// Phase 2. A match starts on a boundary and covers two whole characters,
// so the remainder after it again starts on a boundary of the same text:
// the leftmost match of the remainder is the next match met walking on.
std::string ComposeVoicedMarks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (const char* composed = ComposedAt(text, i)) {
      out += composed;
      i += 4;
      continue;
    }
    const std::size_t n = IsLead(text[i]) ? 2 : 1;
    out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

// --- full-width -> half-width -----------------------------------------------

// Every half-width entry is one two-byte character led by 0x81 (marks, ー)
// or 0x83 (katakana), mapped to one or two bytes of 0xA6-0xDF.
constexpr bool EveryHalfWidthEntryIsIndexable() {
  for (const auto& r : tables::kHalfWidth) {
    const std::string_view from = r.from, to = r.to;
    if (from.size() != 2 || (from[0] != '\x81' && from[0] != '\x83')) return false;
    if (to.empty() || to.size() > 2) return false;
    for (char c : to) {
      if (static_cast<unsigned char>(c) < 0xA6 || static_cast<unsigned char>(c) > 0xDF)
        return false;
    }
  }
  return true;
}
static_assert(EveryHalfWidthEntryIsIndexable());

using TrailIndex = std::array<const char*, 256>;
struct HalfWidthIndex {
  TrailIndex lead81{};
  TrailIndex lead83{};
};

// Each character appears once in the table; should it ever appear twice,
// the first entry is the one the pair-by-pair replacement would apply.
constexpr HalfWidthIndex MakeHalfWidthIndex() {
  HalfWidthIndex index;
  for (const auto& r : tables::kHalfWidth) {
    TrailIndex& row = r.from[0] == '\x81' ? index.lead81 : index.lead83;
    const char*& slot = row[static_cast<unsigned char>(r.from[1])];
    if (!slot) slot = r.to;
  }
  return index;
}
constexpr HalfWidthIndex kHalfWidthIndex = MakeHalfWidthIndex();

const char* HalfWidthOf(char lead, char trail) {
  if (lead == '\x81') return kHalfWidthIndex.lead81[Byte(trail)];
  if (lead == '\x83') return kHalfWidthIndex.lead83[Byte(trail)];
  return nullptr;
}

}  // namespace

CString ToFullWidthKana(const CString& text) {
  return CString(ComposeVoicedMarks(WidenSingleCharacters(text.view())));
}

// Pair by pair, "replace the first occurrence, search again from the
// beginning" equals one walk that maps every table character in place:
// - The output of a pair is one or two single-byte characters 0xA6-0xDF.
//   They are not lead bytes, so the text after them keeps its boundaries,
//   and no pattern (all led by 0x81 or 0x83) can begin inside them. A new
//   search from the beginning therefore finds nothing before the point
//   already reached, and no pattern is ever created, only consumed.
// - Hence every later pair sees exactly the original two-byte characters
//   that earlier pairs did not match, and each character matches at most
//   one pattern: the result is each original character replaced by its
//   half-width text, or kept.
CString ToHalfWidthKana(const CString& text) {
  const std::string_view in = text.view();
  std::string out;
  out.reserve(in.size());
  for (std::size_t i = 0; i < in.size();) {
    if (IsLead(in[i]) && i + 1 < in.size()) {
      if (const char* half = HalfWidthOf(in[i], in[i + 1]))
        out += half;
      else
        out.append(in.substr(i, 2));
      i += 2;
      continue;
    }
    out += in[i];
    ++i;
  }
  return CString(std::move(out));
}

}  // namespace vext::contactxml

// The reading and address conversions: byte rules row by row, the fast
// passes against a word-for-word transcription of the defining
// algorithms, the round trip of half-width text, and the prefecture table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "TextRoutineTables.h"
#include "TextRoutines.h"
#include "platform/base/CString.h"
#include "platform/text/Sj.h"

namespace {

using namespace vext::contactxml;
constexpr std::size_t npos = std::string::npos;

std::string Hex(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X ", c);
    out += buf;
  }
  return out.empty() ? "(empty)" : out;
}

std::string Full(std::string_view s) { return ToFullWidthKana(CString(s)).str(); }
std::string Half(std::string_view s) { return ToHalfWidthKana(CString(s)).str(); }

struct Row {
  const char* input;
  const char* expected;
  const char* why;
};

// --- The defining algorithms, transcribed step by step ----------------------------

// Leftmost boundary occurrence of any entry in `text`; at equal positions
// the earlier entry wins.
template <std::size_t N>
std::size_t LeftmostEntry(const std::string& text, const tables::Replacement (&entries)[N],
                          const tables::Replacement*& hit) {
  std::size_t best = npos;
  for (const auto& entry : entries) {
    const std::size_t pos = vext::FindOnBoundary(text, entry.from);
    if (pos < best) {
      best = pos;
      hit = &entry;
    }
  }
  return best;
}

template <std::size_t N>
std::string ReplacePiecewise(std::string rest, const tables::Replacement (&entries)[N]) {
  std::string result;
  const tables::Replacement* hit = nullptr;
  for (std::size_t pos; (pos = LeftmostEntry(rest, entries, hit)) != npos;) {
    result += rest.substr(0, pos);
    result += hit->to;
    rest = rest.substr(pos + std::string_view(hit->from).size());
  }
  return result + rest;
}

std::string LiteralToFullWidth(const std::string& text) {
  return ReplacePiecewise(ReplacePiecewise(text, tables::kSingleCharacter), tables::kVoicedMark);
}

std::string LiteralToHalfWidth(std::string text) {
  for (const auto& pair : tables::kHalfWidth) {
    for (std::size_t pos; (pos = vext::FindOnBoundary(text, pair.from)) != npos;) {
      text = text.substr(0, pos) + pair.to + text.substr(pos + 2);
    }
  }
  return text;
}

// --- ToFullWidthKana ------------------------------------------------------------------

TEST(ToFullWidthKana, ByteRules) {
  const Row rows[] = {
      {"", "", "empty stays empty"},
      {"ｶﾞ"_sj, "ガ"_sj, "voiced: widened, then composed"},
      {"ﾊﾟ"_sj, "パ"_sj, "semi-voiced"},
      {"ｳﾞ"_sj, "ウ゛"_sj, "no ヴ: ウ゛ is not in the voiced table"_sj},
      {"ｶﾟ"_sj, "カ゜"_sj, "カ゜ is not in the voiced table"_sj},
      {"ｰ"_sj, "ー"_sj, "long vowel mark"},
      {"ｯ"_sj, "ッ"_sj, "small tsu"},
      {"ｦﾝｧ"_sj, "ヲンァ"_sj, "entries outside the run B1-DC"},
      {"｡｢｣､･"_sj, "｡｢｣､･"_sj, "half-width punctuation is not in the table"},
      {"ｺﾞﾄｳ ﾀﾛｳ"_sj, "ゴトウ タロウ"_sj, "a reading with a blank"},
      {"カ゛ハ゜"_sj, "ガパ"_sj, "full-width pairs already in the input are composed"},
      {"ﾞｶ"_sj, "゛カ"_sj, "a mark before its base is not composed"},
      {"ｶﾞﾞ"_sj, "ガ゛"_sj, "a second mark stays"},
      {"ﾎﾟﾎﾞ"_sj, "ポボ"_sj, "last entries of the table"},
      {"導"_sj, "導"_sj, "kanji 88 B1: its trail byte is no character"},
      {"こ干"_sj, "こ干"_sj, "82 B1 and 8A B1"},
      {"導ｱ"_sj, "導ア"_sj, "the byte after a kanji is a character again"},
      {"塔J゛"_sj, "塔J゛"_sj, "93 83 4A 81 4A holds 83 4A 81 4A only across characters"},
      {"がぎ漢字ABC 123"_sj, "がぎ漢字ABC 123"_sj, "hiragana, kanji, ASCII pass"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Full(row.input), row.expected) << row.why << ": " << Hex(row.input);
  }
}

TEST(ToFullWidthKana, EveryHalfWidthByteAlone) {
  // 0xA1-0xA5 stay; every other byte of 0xA6-0xDF becomes one full-width
  // character, two-byte and itself of no half-width byte.
  for (int b = 0xA1; b <= 0xDF; ++b) {
    const std::string in(1, static_cast<char>(b));
    const std::string out = Full(in);
    if (b <= 0xA5) {
      EXPECT_EQ(out, in) << Hex(in);
    } else {
      ASSERT_EQ(out.size(), 2u) << Hex(in);
      EXPECT_TRUE(vext::IsLeadByte(static_cast<unsigned char>(out[0]))) << Hex(in);
    }
  }
}

// --- ToHalfWidthKana ------------------------------------------------------------------

TEST(ToHalfWidthKana, ByteRules) {
  const Row rows[] = {
      {"", "", "empty stays empty"},
      {"ガ"_sj, "ｶﾞ"_sj, "voiced as two bytes"},
      {"パ"_sj, "ﾊﾟ"_sj, "semi-voiced as two bytes"},
      {"ヴ"_sj, "ｳﾞ"_sj, "83 94 has its own entry"},
      {"゛"_sj, "ﾞ"_sj, "lone voiced mark"},
      {"゜"_sj, "ﾟ"_sj, "lone semi-voiced mark"},
      {"ー"_sj, "ｰ"_sj, "long vowel mark"},
      {"ヮヵヶヰヱ"_sj, "ヮヵヶヰヱ"_sj, "no half-width form"},
      {"ゴトウ タロウ"_sj, "ｺﾞﾄｳ ﾀﾛｳ"_sj, "a reading with a blank"},
      {"カタカナ漢字ひらがなABC"_sj, "ｶﾀｶﾅ漢字ひらがなABC"_sj, "only katakana change"},
      {"・。「」"_sj, "・。「」"_sj, "full-width punctuation is not in the table"},
      {"塔A"_sj, "塔A"_sj, "93 83 41 holds 83 41 only across characters"},
      {"ガガガ"_sj, "ｶﾞｶﾞｶﾞ"_sj, "every occurrence"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Half(row.input), row.expected) << row.why << ": " << Hex(row.input);
  }
}

TEST(ToHalfWidthKana, WholeKatakanaBlockAgreesWithTheWideningTable) {
  // 83 40 (ァ) to 83 96 (ヶ), 83 7F unassigned. Each character either has
  // no half-width form or narrows to text that widens back to it; ヴ is the
  // one exception, since ウ゛ is never composed.
  const std::string unchanged[] = {"ヮ"_sj, "ヰ"_sj, "ヱ"_sj, "ヵ"_sj, "ヶ"_sj};
  for (int trail = 0x40; trail <= 0x96; ++trail) {
    if (trail == 0x7F) continue;
    const std::string ch{'\x83', static_cast<char>(trail)};
    const std::string half = Half(ch);
    if (std::find(std::begin(unchanged), std::end(unchanged), ch) != std::end(unchanged)) {
      EXPECT_EQ(half, ch) << Hex(ch);
    } else if (ch == "ヴ"_sj) {
      EXPECT_EQ(Full(half), "ウ゛"_sj);
    } else {
      EXPECT_EQ(Full(half), ch) << Hex(ch) << "-> " << Hex(half);
    }
  }
}

TEST(KanaConversion, LeadByteCutOffAtTheEndIsKept) {
  const std::string cut = "\x83", markLead = "\x81";
  EXPECT_EQ(Full(cut), cut);
  EXPECT_EQ(Full(std::string("ｱ"_sj) + cut), std::string("ア"_sj) + cut);
  EXPECT_EQ(Full(std::string("ｶ"_sj) + markLead), std::string("カ"_sj) + markLead);
  EXPECT_EQ(Half(cut), cut);
  EXPECT_EQ(Half(std::string("ア"_sj) + cut), std::string("ｱ"_sj) + cut);
}

// --- Both directions against their definitions -------------------------------------------

// Pieces that stress character boundaries: half-width bytes, katakana and
// marks, kanji whose trail byte is 0x83 or a half-width byte, ASCII.
std::vector<std::string> Pieces() {
  std::vector<std::string> pieces;
  for (int b = 0xA1; b <= 0xDF; ++b) pieces.emplace_back(1, static_cast<char>(b));
  for (int t = 0x40; t <= 0x96; ++t) pieces.push_back({'\x83', static_cast<char>(t)});
  for (const char* s :
       {"゛"_sj, "゜"_sj, "ー"_sj, "塔"_sj, "導"_sj, "干"_sj, "こ"_sj, "が"_sj, "A", " ", "J"}) {
    pieces.emplace_back(s);
  }
  return pieces;
}

TEST(KanaConversion, SinglePassesEqualTheDefiningAlgorithms) {
  const std::vector<std::string> pieces = Pieces();
  std::mt19937 rng(20030312);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1), length(0, 24);
  std::uniform_int_distribution<int> anyByte(0, 255);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    for (std::size_t n = length(rng); n > 0; --n) text += pieces[pick(rng)];
    ASSERT_EQ(Full(text), LiteralToFullWidth(text)) << Hex(text);
    ASSERT_EQ(Half(text), LiteralToHalfWidth(text)) << Hex(text);
    ASSERT_EQ(Half(Full(text)), LiteralToHalfWidth(LiteralToFullWidth(text))) << Hex(text);
  }
  // Arbitrary bytes, including lead bytes without a trail.
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    for (std::size_t n = length(rng); n > 0; --n) text += static_cast<char>(anyByte(rng));
    ASSERT_EQ(Full(text), LiteralToFullWidth(text)) << Hex(text);
    ASSERT_EQ(Half(text), LiteralToHalfWidth(text)) << Hex(text);
  }
}

TEST(KanaConversion, HalfWidthTextSurvivesTheRoundTrip) {
  const auto check = [](const std::string& text) {
    ASSERT_EQ(Half(Full(text)), text) << Hex(text);
  };
  for (int a = 0xA1; a <= 0xDF; ++a) {
    check(std::string(1, static_cast<char>(a)));
    for (int b = 0xA1; b <= 0xDF; ++b) check({static_cast<char>(a), static_cast<char>(b)});
  }
  std::mt19937 rng(47);
  std::uniform_int_distribution<int> halfWidth(0xA1, 0xDF);
  std::uniform_int_distribution<std::size_t> length(3, 64);
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    for (std::size_t n = length(rng); n > 0; --n) text += static_cast<char>(halfWidth(rng));
    check(text);
  }
}

// --- SplitPrefecture ---------------------------------------------------------------------

constexpr const char* kUnset = "(unset)";

struct SplitRow {
  const char* address;
  const char* prefecture;
  const char* rest;
  const char* why;
};

TEST(SplitPrefecture, ByteRules) {
  const SplitRow rows[] = {
      {"東京都新宿区西新宿"_sj, "東京都"_sj, "新宿区西新宿"_sj, "three-character name"},
      {"京都府京都市中京区"_sj, "京都府"_sj, "京都市中京区"_sj,
       "not taken for a part of 東京都"_sj},
      {"北海道札幌市"_sj, "北海道"_sj, "札幌市"_sj, "first entry"},
      {"神奈川県横浜市"_sj, "神奈川県"_sj, "横浜市"_sj, "four-character name"},
      {"沖縄県"_sj, "沖縄県"_sj, "", "name only: empty rest"},
      {"新宿区東京都"_sj, kUnset, "新宿区東京都"_sj, "name only in the middle"},
      {" 東京都港区"_sj, kUnset, " 東京都港区"_sj, "leading blank not skipped"},
      {"　東京都港区"_sj, kUnset, "　東京都港区"_sj, "leading full-width blank not skipped"},
      {"東京港区"_sj, kUnset, "東京港区"_sj, "name without its 都"_sj},
      {"\x93", kUnset, "\x93", "first byte of 東 alone"_sj},
      {"", kUnset, kUnset, "empty address writes nothing"},
  };
  for (const SplitRow& row : rows) {
    CString prefecture = kUnset, rest = kUnset;
    SplitPrefecture(row.address, prefecture, rest);
    EXPECT_EQ(prefecture.str(), row.prefecture) << row.why;
    EXPECT_EQ(rest.str(), row.rest) << row.why;
  }
}

TEST(SplitPrefecture, EveryPrefectureInCodeOrder) {
  const char* const names[] = {
      "北海道"_sj, "青森県"_sj,   "岩手県"_sj, "宮城県"_sj,   "秋田県"_sj, "山形県"_sj,
      "福島県"_sj, "茨城県"_sj,   "栃木県"_sj, "群馬県"_sj,   "埼玉県"_sj, "千葉県"_sj,
      "東京都"_sj, "神奈川県"_sj, "新潟県"_sj, "富山県"_sj,   "石川県"_sj, "福井県"_sj,
      "山梨県"_sj, "長野県"_sj,   "岐阜県"_sj, "静岡県"_sj,   "愛知県"_sj, "三重県"_sj,
      "滋賀県"_sj, "京都府"_sj,   "大阪府"_sj, "兵庫県"_sj,   "奈良県"_sj, "和歌山県"_sj,
      "鳥取県"_sj, "島根県"_sj,   "岡山県"_sj, "広島県"_sj,   "山口県"_sj, "徳島県"_sj,
      "香川県"_sj, "愛媛県"_sj,   "高知県"_sj, "福岡県"_sj,   "佐賀県"_sj, "長崎県"_sj,
      "熊本県"_sj, "大分県"_sj,   "宮崎県"_sj, "鹿児島県"_sj, "沖縄県"_sj,
  };
  ASSERT_EQ(std::size(tables::kPrefectures), std::size(names));
  for (std::size_t i = 0; i < std::size(names); ++i) {
    EXPECT_STREQ(tables::kPrefectures[i], names[i]) << "code " << i + 1;
    CString prefecture, rest;
    SplitPrefecture(CString(names[i]) + "中央1-2-3"_sj, prefecture, rest);
    EXPECT_EQ(prefecture.str(), names[i]) << "code " << i + 1;
    EXPECT_EQ(rest.str(), "中央1-2-3"_sj) << "code " << i + 1;
  }
}

TEST(SplitPrefecture, NoNameBeginsAnother) {
  // The split takes the first name that matches; this makes it the only one.
  for (std::string_view a : tables::kPrefectures) {
    for (std::string_view b : tables::kPrefectures) {
      if (a == b) continue;
      EXPECT_FALSE(b.starts_with(a)) << Hex(a) << "begins " << Hex(b);
    }
  }
}

TEST(SplitPrefecture, AddressMayAlsoBeAnOutput) {
  CString address = "大阪府大阪市"_sj, rest;
  SplitPrefecture(address, address, rest);
  EXPECT_EQ(address.str(), "大阪府"_sj);
  EXPECT_EQ(rest.str(), "大阪市"_sj);

  CString text = "大阪府大阪市"_sj, prefecture;
  SplitPrefecture(text, prefecture, text);
  EXPECT_EQ(prefecture.str(), "大阪府"_sj);
  EXPECT_EQ(text.str(), "大阪市"_sj);
}

}  // namespace

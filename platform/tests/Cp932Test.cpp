// CP932 at the edges: the characters that distinguish CP932 from strict
// Shift_JIS survive a round trip, _sj literals hold iconv's bytes, and the
// UTF-8 and UTF-16LE coding beneath refuses what is not a character.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string_view>

#include "platform/base/CString.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/text/Unicode.h"

namespace {

// The sources are UTF-8; u8 literals are char8_t in C++20.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string IconvToCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size() * 2 + 4, '\0');
  char* src = const_cast<char*>(utf8.data());
  size_t srcLeft = utf8.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
}

TEST(Cp932, ExtensionsAndHalfWidthKanaRoundTrip) {
  for (const char8_t* text :
       {u8"①", u8"㈱", u8"～", u8"ｱｲｳｴｵﾞﾟ", u8"髙", u8"∑", u8"ⅰ", u8"漢字とかな"}) {
    const std::string utf8 = Utf8(text);
    const auto cp932 = vext::Utf8ToCp932(utf8);
    ASSERT_TRUE(cp932) << utf8;
    EXPECT_EQ(vext::Cp932ToUtf8(*cp932), utf8);
  }
  EXPECT_EQ(*vext::Utf8ToCp932(Utf8(u8"～")), "\x81\x60");
  EXPECT_EQ(*vext::Utf8ToCp932(Utf8(u8"①")), "\x87\x40");
}

TEST(Cp932, UnconvertibleTextIsAnErrorNotAReplacement) {
  EXPECT_FALSE(vext::Utf8ToCp932(Utf8(u8"€")));
  EXPECT_FALSE(vext::Cp932ToUtf8("\x81"));  // lead byte without its trail
  EXPECT_FALSE(
      vext::Cp932ToUtf8("a\xFD"
                        "b"));  // no character
  EXPECT_EQ(vext::Cp932ToUtf8Lossy("a\xFD"
                                   "b"),
            "a?b");
  EXPECT_EQ(vext::Cp932ToUtf8Lossy("a\x81"), "a?");  // lead byte cut off at the end
  EXPECT_EQ(vext::Utf8ToCp932Lossy(Utf8(u8"x€①")), "x?\x87\x40");
  EXPECT_EQ(vext::Utf8ToCp932Lossy("\xC0\xAF"), "??");  // overlong form: not a character
  EXPECT_FALSE(vext::Utf16LeToCp932(std::string("\x3D\xD8\x00\xDE", 4)));  // beyond the basic plane
  EXPECT_FALSE(vext::Utf16LeToCp932("\x41"));                              // odd byte count
  EXPECT_EQ(*vext::Utf16LeToCp932(std::string("\x41\x00\x60\x24", 4)), "A\x87\x40");
}

TEST(SjLiteral, EqualsIconvConversion) {
  EXPECT_EQ(std::string("メモリ不足です"_sj), IconvToCp932(Utf8(u8"メモリ不足です")));
  EXPECT_EQ(std::string("①㈱～ｱﾞ髙"_sj), IconvToCp932(Utf8(u8"①㈱～ｱﾞ髙")));
  EXPECT_EQ(std::string(
                "テキストファイルの形式が正しくありません。\nファイルの読み込みを中止します。"_sj),
            IconvToCp932(Utf8(
                u8"テキストファイルの形式が正しくありません。\nファイルの読み込みを中止します。")));
  EXPECT_STREQ("ascii only"_sj, "ascii only");
  static_assert("ア"_sj[0] == '\x83' && "ア"_sj[1] == '\x41' && "ア"_sj[2] == '\0');
}

TEST(SjLiteral, EveryTableEntryEqualsIconv) {
  for (const auto& m : vext::sj::kTable) {
    std::string utf8;
    const uint32_t cp = m.codePoint;
    vext::unicode::AppendUtf8(utf8, cp);
    std::string expected =
        m.cp932 > 0xFF ? std::string{static_cast<char>(m.cp932 >> 8), static_cast<char>(m.cp932)}
                       : std::string(1, static_cast<char>(m.cp932));
    ASSERT_EQ(IconvToCp932(utf8), expected) << std::hex << cp;
  }
}

TEST(Unicode, DecodingRefusesWhatIsNotACharacter) {
  struct Row {
    const char* name;
    std::string_view bytes;
    int length;  // 0: refused
    char32_t cp;
  };
  const Row utf8[] = {
      {"ASCII", "A", 1, U'A'},
      {"two bytes", "\xC3\xA9", 2, 0xE9},
      {"three, then more", "\xE2\x91\xA0z", 3, 0x2460},
      {"four bytes", "\xF0\x9F\x98\x80", 4, 0x1F600},
      {"nothing", "", 0, 0},
      {"stray continuation", "\x80", 0, 0},
      {"overlong two", "\xC0\xAF", 0, 0},
      {"overlong three", "\xE0\x80\xAF", 0, 0},
      {"surrogate", "\xED\xA0\x80", 0, 0},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0, 0},
      {"five-byte form", "\xF8\x88\x80\x80\x80", 0, 0},
      {"cut short", "\xE2\x91", 0, 0},
      {"continuation missing", "\xC3(", 0, 0},
  };
  for (const Row& row : utf8) {
    char32_t cp = 0;
    EXPECT_EQ(vext::unicode::DecodeUtf8(row.bytes, cp), row.length) << row.name;
    if (row.length > 0) {
      EXPECT_EQ(static_cast<std::uint32_t>(cp), static_cast<std::uint32_t>(row.cp)) << row.name;
    }
  }
  // As sv literals, so that the zero bytes count.
  using namespace std::string_view_literals;
  const Row utf16le[] = {
      {"one unit", "A\0"sv, 2, U'A'},
      {"surrogate pair", "\x3D\xD8\x00\xDE"sv, 4, 0x1F600},
      {"one byte", "A"sv, 0, 0},
      {"lone low surrogate", "\x00\xDC"sv, 0, 0},
      {"high surrogate at the end", "\x3D\xD8"sv, 0, 0},
      {"high surrogate, then a letter", "\x3D\xD8\x41\x00"sv, 0, 0},
      {"pair cut short", "\x3D\xD8\x00"sv, 0, 0},
  };
  for (const Row& row : utf16le) {
    char32_t cp = 0;
    EXPECT_EQ(vext::unicode::DecodeUtf16Le(row.bytes, cp), row.length) << row.name;
    if (row.length > 0) {
      EXPECT_EQ(static_cast<std::uint32_t>(cp), static_cast<std::uint32_t>(row.cp)) << row.name;
    }
  }
}

// Encoding at each length boundary gives iconv's bytes, and decodes back.
TEST(Unicode, EncodingAgreesWithIconv) {
  iconv_t cd = iconv_open("UTF-8", "UTF-32LE");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (const char32_t cp :
       {0x0u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    char wide[4] = {static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8 & 0xFF),
                    static_cast<char>(cp >> 16 & 0xFF), 0};
    char expected[8];
    char* src = wide;
    char* dst = expected;
    std::size_t srcLeft = sizeof wide, dstLeft = sizeof expected;
    const auto code = static_cast<std::uint32_t>(cp);
    ASSERT_NE(iconv(cd, &src, &srcLeft, &dst, &dstLeft), static_cast<std::size_t>(-1)) << code;
    const std::string bytes(expected, sizeof expected - dstLeft);

    std::string encoded;
    vext::unicode::AppendUtf8(encoded, cp);
    EXPECT_EQ(encoded, bytes) << std::hex << code;
    char32_t back = 0;
    EXPECT_EQ(vext::unicode::DecodeUtf8(encoded, back), static_cast<int>(encoded.size()));
    EXPECT_EQ(static_cast<std::uint32_t>(back), code);
  }
  iconv_close(cd);
}

}  // namespace

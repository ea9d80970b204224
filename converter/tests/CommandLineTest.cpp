#include "CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/text/Sj.h"

namespace vext::converter {
namespace {

struct ParseCase {
  const char* tail;
  std::optional<int> mode;  // nullopt: a bad command line
  const char* path;
};

class ParseCommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, GivesModeAndPath) {
  const ParseCase& c = GetParam();
  const std::optional<CommandLine> parsed = ParseCommandLine(c.tail);
  ASSERT_EQ(parsed.has_value(), c.mode.has_value()) << c.tail;
  if (!parsed) return;
  EXPECT_EQ(parsed->mode, *c.mode) << c.tail;
  EXPECT_EQ(parsed->xmlPath.str(), std::string(c.path)) << c.tail;
}

INSTANTIATE_TEST_SUITE_P(
    Tails, ParseCommandLineTest,
    ::testing::Values(
        // The suite's own form, quoted.
        ParseCase{R"(/W:"C:\a\b.xml")", kWriteMode, R"(C:\a\b.xml)"},
        ParseCase{R"(/R:"C:\a\b.xml")", kReadMode, R"(C:\a\b.xml)"},
        ParseCase{R"(/R:"C:\some folder\file.xml")", kReadMode, R"(C:\some folder\file.xml)"},
        // The shell took the quotes away: the rest of the tail, blanks kept.
        ParseCase{R"(/W:C:\a.xml)", kWriteMode, R"(C:\a.xml)"},
        ParseCase{"/R:/home/user/my book.xml", kReadMode, "/home/user/my book.xml"},
        // Both switches: read mode with the /R: path.
        ParseCase{R"(/W:"x.xml" /R:"y.xml")", kReadMode, "y.xml"},
        ParseCase{"/W:x.xml /R:y.xml", kReadMode, "y.xml"},
        ParseCase{R"(/R:"y.xml" /W:"x.xml")", kReadMode, "y.xml"},
        // Anything after the closing quote is not part of the path.
        ParseCase{R"(/W:"a.xml" extra)", kWriteMode, "a.xml"},
        // An unclosed quote runs to the end.
        ParseCase{R"(/W:"a b.xml)", kWriteMode, "a b.xml"},
        // Text before the switch is ignored.
        ParseCase{R"(-x /W:"a.xml")", kWriteMode, "a.xml"},
        // Bad command lines: no switch, a switch in other case, no path.
        ParseCase{"", std::nullopt, ""}, ParseCase{R"("C:\a.xml")", std::nullopt, ""},
        ParseCase{R"(/w:"a.xml")", std::nullopt, ""}, ParseCase{"/W:", std::nullopt, ""},
        ParseCase{R"(/R:"")", std::nullopt, ""}, ParseCase{R"(/W:"" x)", std::nullopt, ""}));

TEST(ParseCommandLine, KeepsJapanesePathBytes) {
  // The trail byte of 表 (0x95 0x5C) is a backslash; it must stay part of
  // the character.
  const CString tail = CString("/W:\"C:\\"_sj) + "表\\電話帳.xml\""_sj;
  const std::optional<CommandLine> parsed = ParseCommandLine(tail);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->xmlPath, CString("C:\\表\\電話帳.xml"_sj));
}

TEST(CommandLineTail, JoinsArgumentsWithOneBlankAndConvertsToCp932) {
  // Arguments arrive in the terminal's encoding, UTF-8.
  const char* const name = reinterpret_cast<const char*>(u8"電話帳.xml");
  const std::vector<const char*> argv = {"xmlSncConv", "/W:/tmp/my", name};
  const std::optional<CString> tail = CommandLineTail(static_cast<int>(argv.size()), argv.data());
  ASSERT_TRUE(tail);
  EXPECT_EQ(*tail, CString("/W:/tmp/my "_sj) + "電話帳.xml"_sj);
}

TEST(CommandLineTail, RefusesArgumentsThatAreNotCp932) {
  const std::vector<const char*> notUtf8 = {"xmlSncConv", "/W:\xff\xfe.xml"};
  EXPECT_FALSE(CommandLineTail(2, notUtf8.data()));
  const std::vector<const char*> outsideCp932 = {"xmlSncConv",
                                                 "/W:\xf0\x9f\x98\x80.xml"};  // an emoji
  EXPECT_FALSE(CommandLineTail(2, outsideCp932.data()));
}

}  // namespace
}  // namespace vext::converter

// The literal check: which literals must carry _sj, and which lexical
// corners must not fool it. Inputs are u8 literals, as the rule demands.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "LiteralScanner.h"
#include "ScratchDir.h"

namespace {

using vext::literals::CheckPaths;
using vext::literals::FindBareLiterals;

std::string Text(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }

struct Row {
  const char* name;
  const char8_t* source;
  std::vector<std::pair<int, int>> expected;  // line, column of each finding
};

const Row kRows[] = {
    // Accepted.
    {"ascii only", u8R"(auto s = "plain"; char c = 'x';)", {}},
    {"_sj literal", u8R"(auto s = "メモリ不足です"_sj;)", {}},
    {"u8 literal", u8R"(auto s = u8"①㈱";)", {}},
    {"wide and utf16/32 literals", u8R"(L"漢" u"字" U"髙" L'漢' u'字' U'髙' u8'a')", {}},
    {"u8 raw literal", u8R"(auto s = u8R"x(「引用」)x";)", {}},
    {"_sj raw literal", u8R"--(auto s = R"(全角)"_sj;)--", {}},
    {"line comment", u8"// \"日本語\" in a comment\nint x;", {}},
    {"spliced line comment", u8"// first line \\\n \"続き\"\nint x;", {}},
    {"block comment", u8"/* \"日本語\"\n 'ア' */ int x;", {}},
    {"escapes are ASCII source", u8R"(auto s = "\x82\xA0\u3042";)", {}},
    {"digit separators open no literal", u8"int n = 1'000'000; // 'あ'\n", {}},
    {"hex float exponent", u8"double d = 0x1p-3; auto s = \"ok\";", {}},
    {"apostrophe in #error line", u8"#error can't be \xe3\x81\x82\nint x;", {}},
    {"escaped quote inside literal", u8R"(auto s = "say \"ア\""_sj;)", {}},

    // Refused.
    {"bare narrow literal", u8R"(auto s = "メモリ不足です";)", {{1, 10}}},
    {"bare char literal", u8"char c = 'ア';", {{1, 10}}},
    {"bare raw literal", u8"auto s =\n  R\"d(全角)d\";", {{2, 3}}},
    {"other suffix", u8R"(auto s = "秒"_s;)", {{1, 10}}},
    {"suffix that only starts with _sj", u8R"(auto s = "秒"_sjx;)", {{1, 10}}},
    {"each literal of a concatenation", u8R"(f("カ" "ナ"_sj);)", {{1, 3}}},
    {"after a block comment", u8"/* x */ f(\"あ\");\ng(\"い\");", {{1, 11}, {2, 3}}},
    {"unknown prefix is a narrow literal", u8R"(f(X"あ");)", {{1, 4}}},
    {"identifier ending in R is no raw prefix", u8R"(FOOR"(" "あ";)", {{1, 9}}},
    {"literal after a multi-line raw string", u8"R\"(\n\n)\" \"あ\"", {{3, 4}}},
};

TEST(LiteralScanner, Table) {
  for (const auto& row : kRows) {
    std::vector<std::pair<int, int>> got;
    for (const auto& finding : FindBareLiterals(Text(row.source)))
      got.emplace_back(finding.line, finding.column);
    EXPECT_EQ(got, row.expected) << row.name;
  }
}

TEST(LiteralScanner, UnterminatedInputNeverRunsAway) {
  for (const char8_t* source :
       {u8"\"あ", u8"'", u8"R\"(あ", u8"R\"abcdefghijklmnopq(x)abcdefghijklmnopq\"", u8"/* \"あ\"",
        u8"u8", u8"\"\\", u8"1'", u8"// x \\"}) {
    EXPECT_TRUE(FindBareLiterals(Text(source)).empty()) << Text(source);
  }
}

TEST(LiteralScanner, FindingQuotesTheLiteralAsWritten) {
  const auto found = FindBareLiterals(Text(u8"f(\"テキスト\");"));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].text, Text(u8"\"テキスト\""));
}

class LiteralTree : public ::testing::Test {
 protected:
  void Write(const std::filesystem::path& relative, const std::string& text) {
    scratch_.Write(relative, text);
  }
  vext::testing::ScratchDir scratch_{"literal-check"};
  const std::filesystem::path root_ = scratch_.path();
};

TEST_F(LiteralTree, ReportsSourcesAndSkipsBuildTreesHiddenFoldersAndOtherFiles) {
  Write("lib/Bad.cpp", Text(u8"int a;\nauto s = \"不正\";\n"));
  Write("lib/Good.h", Text(u8"auto s = \"正しい\"_sj;\n"));
  Write("lib/Table.inc", Text(u8"'表'\n"));
  Write("lib/notes.txt", Text(u8"\"対象外\"\n"));
  Write("build-x/CMakeCache.txt", "");
  Write("build-x/Generated.cpp", Text(u8"\"生成物\"\n"));
  Write(".cache/Hidden.cpp", Text(u8"\"隠し\"\n"));
  Write("empty/Empty.cpp", "");

  std::ostringstream out, err;
  const auto result = CheckPaths({root_}, out, err);
  EXPECT_EQ(result.filesScanned, 4);
  EXPECT_EQ(result.findings, 2);
  EXPECT_EQ(result.errors, 0);
  EXPECT_EQ(out.str(), (root_ / "lib/Bad.cpp").string() +
                           Text(u8":2:10: non-ASCII text in a narrow literal needs "
                                u8"_sj (CP932) or u8 (UTF-8): \"不正\"\n") +
                           (root_ / "lib/Table.inc").string() +
                           Text(u8":1:1: non-ASCII text in a narrow literal "
                                u8"needs _sj (CP932) or u8 (UTF-8): '表'\n"));
  EXPECT_EQ(err.str(), "");
}

TEST_F(LiteralTree, MissingPathIsAnError) {
  std::ostringstream out, err;
  const auto result = CheckPaths({root_ / "nowhere"}, out, err);
  EXPECT_EQ(result.errors, 1);
  EXPECT_EQ(err.str(),
            "check-literals: no such file or folder: " + (root_ / "nowhere").string() + "\n");
}

}  // namespace

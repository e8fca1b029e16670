#include "core/format/ini_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace tinto {
namespace {

using namespace std::literals;

struct IntegerCase {
  std::string text;
  std::optional<int> expected;
};

class ParseIniIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIniIntegerTest, ReadsDecimalOrPrefixedHexadecimalOnly) {
  EXPECT_EQ(ParseIniInteger(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ParseIniIntegerTest,
    ::testing::Values(IntegerCase{"0x10", 16}, IntegerCase{"0X1f", 31}, IntegerCase{"010", 10},
                      IntegerCase{"0", 0}, IntegerCase{"+7", 7}, IntegerCase{"-12", -12},
                      IntegerCase{"2147483647", INT_MAX}, IntegerCase{"-2147483648", INT_MIN},
                      IntegerCase{"0x7FFFFFFF", INT_MAX}, IntegerCase{"0x00000000047", 71},
                      IntegerCase{"abc", std::nullopt}, IntegerCase{"", std::nullopt},
                      IntegerCase{"12abc", std::nullopt}, IntegerCase{"1 2", std::nullopt},
                      IntegerCase{"0x", std::nullopt}, IntegerCase{"0xg", std::nullopt},
                      IntegerCase{"0x-5", std::nullopt}, IntegerCase{"0x+5", std::nullopt},
                      IntegerCase{"-0x10", std::nullopt}, IntegerCase{"--1", std::nullopt},
                      IntegerCase{"+", std::nullopt}, IntegerCase{"2147483648", std::nullopt},
                      IntegerCase{"-2147483649", std::nullopt},
                      IntegerCase{"0x80000000", std::nullopt},
                      IntegerCase{"99999999999999999999999", std::nullopt}));

struct FindCase {
  const char* what;
  std::string text;
  std::string section, key;
  std::optional<std::string> expected;
};

class FindIniValueTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindIniValueTest, FindsTheFirstKeyOfTheFirstMatchingSection) {
  const FindCase& c = GetParam();
  std::optional<std::string_view> found = FindIniValue(c.text, c.section, c.key);
  std::optional<std::string> value;
  if (found) value = std::string(*found);
  EXPECT_EQ(value, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FindIniValueTest,
    ::testing::Values(
        FindCase{"letter case", "[MAIN]\nGRID=0\n", "main", "grid", "0"},
        FindCase{"blanks", "  [ Main ]  \n\t Grid \t=  0  \r\n", " Main", "Grid ", "0"},
        FindCase{"other section", "[Size]\nGrid=0\n[Main]\nA=1\n", "Main", "Grid", std::nullopt},
        FindCase{"first key counts", "[Main]\nGrid=0\ngrid=1\n", "Main", "Grid", "0"},
        FindCase{"first section counts", "[Main]\nA=1\n[Main]\nGrid=1\n", "Main", "Grid",
                 std::nullopt},
        FindCase{"missing bracket", "[Main\nGrid=1\n", "Main", "Grid", std::nullopt},
        FindCase{"unclosed bracket keeps section", "[Main]\n[Size\nGrid=1\n", "Main", "Grid", "1"},
        FindCase{"comment", "[Main]\n;Grid=1\n", "Main", "Grid", std::nullopt},
        FindCase{"garbage and no final newline", "[Main]\ngarbage\nGrid=1", "Main", "Grid", "1"},
        FindCase{"byte order mark", "\xEF\xBB\xBF[Main]\nGrid=1\n", "Main", "Grid", "1"},
        FindCase{"empty value", "[Main]\nGrid=\n", "Main", "Grid", ""},
        FindCase{"equals in value", "[Skin]\nName=a=b\n", "Skin", "Name", "a=b"},
        FindCase{"text after header", "[Main] ; note\nGrid=1\n", "Main", "Grid", "1"},
        FindCase{"key before any header", "Grid=1\n[Main]\n", "Main", "Grid", std::nullopt},
        FindCase{"CR alone is no line end", "[Main]\rGrid=1\r", "Main", "Grid", std::nullopt},
        FindCase{"non-UTF-8 names and value", "[M\xE9in]\nK\xFF=\x80\x81\n", "M\xE9in", "K\xFF",
                 "\x80\x81"},
        FindCase{"no case folding above ASCII", "[M\xE9in]\nK=1\n", "M\xC9in", "K", std::nullopt},
        FindCase{"NUL inside a line", "[Main]\nGr\0id=1\nGrid=2\n"s, "Main", "Grid", "2"}));

struct SetCase {
  const char* what;
  std::string text;
  std::string section, key, value;
  std::string expected;
};

class SetIniValueTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetIniValueTest, ChangesOnlyTheKeysLineOrAddsLines) {
  const SetCase& c = GetParam();
  EXPECT_EQ(SetIniValue(c.text, c.section, c.key, c.value), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SetIniValueTest,
    ::testing::Values(
        SetCase{"value replaced, layout kept", "[Main]\nGrid = 0  \n", "Main", "Grid", "1",
                "[Main]\nGrid = 1\n"},
        SetCase{"file's spelling kept", "[main]\ngrid=0\n", "Main", "Grid", "1",
                "[main]\ngrid=1\n"},
        SetCase{"new key after last key, before blank lines", "[Main]\nA=1\n\n\n[Size]\nDX=3\n",
                "Main", "B", "2", "[Main]\nA=1\nB=2\n\n\n[Size]\nDX=3\n"},
        SetCase{"new key before a trailing comment", "[Main]\nA=1\n; c\n[Size]\n", "Main", "B", "2",
                "[Main]\nA=1\nB=2\n; c\n[Size]\n"},
        SetCase{"new key in empty section", "[Main]\n\n[Size]\n", "Main", "B", "2",
                "[Main]\nB=2\n\n[Size]\n"},
        SetCase{"new section after a blank line", "[Main]\nA=1\n", "Size", "DX", "3",
                "[Main]\nA=1\n\n[Size]\nDX=3\n"},
        SetCase{"new section in empty text", "", "Size", "DX", "3", "[Size]\nDX=3\n"},
        SetCase{"no second blank line", "[Main]\nA=1\n\n", "Size", "DX", "3",
                "[Main]\nA=1\n\n[Size]\nDX=3\n"},
        SetCase{"missing final newline, new key", "[Main]\nA=1", "Main", "B", "2",
                "[Main]\nA=1\nB=2\n"},
        SetCase{"missing final newline, new section", "[Main]\nA=1", "Size", "DX", "3",
                "[Main]\nA=1\n\n[Size]\nDX=3\n"},
        SetCase{"header on the last line", "[Main]", "Main", "A", "1", "[Main]\nA=1\n"},
        SetCase{"CR LF kept, new key", "[Main]\r\nA=1\r\n", "Main", "B", "2",
                "[Main]\r\nA=1\r\nB=2\r\n"},
        SetCase{"CR LF kept, value", "[Main]\r\nA=1\r\n", "Main", "A", "22", "[Main]\r\nA=22\r\n"},
        SetCase{"CR LF kept, new section", "[Main]\r\nA=1\r\n", "Size", "DX", "3",
                "[Main]\r\nA=1\r\n\r\n[Size]\r\nDX=3\r\n"},
        SetCase{"first of duplicate keys", "[Main]\nA=1\nA=2\n", "Main", "A", "9",
                "[Main]\nA=9\nA=2\n"},
        SetCase{"first of duplicate sections", "[Main]\nA=1\n[Size]\n[Main]\nB=5\n", "Main", "B",
                "7", "[Main]\nA=1\nB=7\n[Size]\n[Main]\nB=5\n"},
        SetCase{"garbage kept", "junk\n[Main]\n\xFF\xFE garbage\n;A=0\nA=1\n[x\n", "Main", "A", "2",
                "junk\n[Main]\n\xFF\xFE garbage\n;A=0\nA=2\n[x\n"},
        SetCase{"names written trimmed", "", " Size ", " DX\t", "3", "[Size]\nDX=3\n"}));

TEST(IniText, NamesThatWouldNotReadBackAreInvalid) {
  EXPECT_TRUE(IsValidIniSectionName(" Main "));
  EXPECT_TRUE(IsValidIniKeyName("Draw Mode"));
  for (std::string_view bad : {""sv, "  "sv, "a]b"sv, "a\nb"sv, "a\rb"sv, "a\0b"sv})
    EXPECT_FALSE(IsValidIniSectionName(bad)) << bad;
  for (std::string_view bad : {""sv, " "sv, "a=b"sv, "[a"sv, " ;a"sv, "a\nb"sv, "a\0b"sv})
    EXPECT_FALSE(IsValidIniKeyName(bad)) << bad;
}

TEST(IniText, SanitizedValueHasNoLineBreakOrNul) {
  EXPECT_EQ(SanitizeIniValue("a\r\nb\0c\nd"s), "abcd");
}

}  // namespace
}  // namespace tinto

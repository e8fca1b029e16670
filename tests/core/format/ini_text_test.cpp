#include "core/format/ini_text.h"

#include "core/format/settings_keys.h"
#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto {
namespace {

using namespace std::literals;
constexpr std::nullopt_t kNone = std::nullopt;

TEST(ParseIniInteger, ReadsDecimalOrPrefixedHexadecimalOnly) {
  // clang-format off
  const std::pair<const char*, int> valid[] = {
      {"0x10", 16}, {"0X1f", 31}, {"010", 10}, {"0", 0}, {"+7", 7}, {"-12", -12},
      {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"0x7FFFFFFF", INT_MAX},
      {"0x00000000047", 71}};
  // clang-format on
  for (auto [text, value] : valid) EXPECT_EQ(ParseIniInteger(text), value) << text;
  for (const char* text :
       {"abc", "", "12abc", "1 2", "0x", "0xg", "1x5", "0x-5", "0x+5", "-0x10", "--1", "+",
        "2147483648", "-2147483649", "0x80000000", "99999999999999999999999"})
    EXPECT_EQ(ParseIniInteger(text), std::nullopt) << text;
}

TEST(FindIniValue, FindsTheFirstKeyOfTheFirstMatchingSection) {
  // What, then the text, section and key -> the value found.
  const std::tuple<const char*, std::string, std::string, std::string, std::optional<std::string>>
      cases[] = {{"letter case", "[MAIN]\nGRID=0\n", "main", "grid", "0"},
                 {"blanks", "  [ Main ]  \n\t Grid \t=  0  \r\n", " Main", "Grid ", "0"},
                 {"other section", "[Size]\nGrid=0\n[Main]\nA=1\n", "Main", "Grid", kNone},
                 {"first key counts", "[Main]\nGrid=0\ngrid=1\n", "Main", "Grid", "0"},
                 {"first section counts", "[Main]\nA=1\n[Main]\nGrid=1\n", "Main", "Grid", kNone},
                 {"missing bracket", "[Main\nGrid=1\n", "Main", "Grid", kNone},
                 {"unclosed bracket keeps section", "[Main]\n[Size\nGrid=1\n", "Main", "Grid", "1"},
                 {"comment", "[Main]\n;Grid=1\n", "Main", "Grid", kNone},
                 {"garbage and no final newline", "[Main]\ngarbage\nGrid=1", "Main", "Grid", "1"},
                 {"byte order mark", "\xEF\xBB\xBF[Main]\nGrid=1\n", "Main", "Grid", "1"},
                 {"empty value", "[Main]\nGrid=\n", "Main", "Grid", ""},
                 {"equals in value", "[Skin]\nName=a=b\n", "Skin", "Name", "a=b"},
                 {"text after header", "[Main] ; note\nGrid=1\n", "Main", "Grid", "1"},
                 {"key before any header", "Grid=1\n[Main]\n", "Main", "Grid", kNone},
                 {"CR alone is no line end", "[Main]\rGrid=1\r", "Main", "Grid", kNone},
                 {"non-UTF-8 names and value", "[M\xE9in]\nK\xFF=\x80\x81\n", "M\xE9in", "K\xFF",
                  "\x80\x81"},
                 {"no case folding above ASCII", "[M\xE9in]\nK=1\n", "M\xC9in", "K", kNone},
                 {"NUL inside a line", "[Main]\nGr\0id=1\nGrid=2\n"s, "Main", "Grid", "2"}};
  for (const auto& [what, text, section, key, expected] : cases) {
    const std::optional<std::string_view> found = FindIniValue(text, section, key);
    EXPECT_EQ(found ? std::optional<std::string>(*found) : kNone, expected) << what;
  }
}

// Value replaced keeping the layout and the file's spelling; new keys after the section's last
// key, new sections after one blank line; CR LF kept; the first of duplicates changed.
TEST(SetIniValue, ChangesOnlyTheKeysLineOrAddsLines) {
  // Text, section, key, value -> the text after.
  const std::string cases[][5] = {
      {"[Main]\nGrid = 0  \n", "Main", "Grid", "1", "[Main]\nGrid = 1\n"},
      {"[main]\ngrid=0\n", "Main", "Grid", "1", "[main]\ngrid=1\n"},
      {"[Main]\nA=1\n\n\n[Size]\nDX=3\n", "Main", "B", "2", "[Main]\nA=1\nB=2\n\n\n[Size]\nDX=3\n"},
      {"[Main]\nA=1\n; c\n[Size]\n", "Main", "B", "2", "[Main]\nA=1\nB=2\n; c\n[Size]\n"},
      {"[Main]\n\n[Size]\n", "Main", "B", "2", "[Main]\nB=2\n\n[Size]\n"},
      {"[Main]\nA=1\n", "Size", "DX", "3", "[Main]\nA=1\n\n[Size]\nDX=3\n"},
      {"[Main]\nA=1\n\n", "Size", "DX", "3", "[Main]\nA=1\n\n[Size]\nDX=3\n"},
      {"[Main]\nA=1", "Main", "B", "2", "[Main]\nA=1\nB=2\n"},
      {"[Main]\nA=1", "Size", "DX", "3", "[Main]\nA=1\n\n[Size]\nDX=3\n"},
      {"[Main]", "Main", "A", "1", "[Main]\nA=1\n"},
      {"[Main]\r\nA=1\r\n", "Main", "B", "2", "[Main]\r\nA=1\r\nB=2\r\n"},
      {"[Main]\r\nA=1\r\n", "Main", "A", "22", "[Main]\r\nA=22\r\n"},
      {"[Main]\r\nA=1\r\n", "Size", "DX", "3", "[Main]\r\nA=1\r\n\r\n[Size]\r\nDX=3\r\n"},
      {"[Main]\nA=1\nA=2\n", "Main", "A", "9", "[Main]\nA=9\nA=2\n"},
      {"[Main]\nA=1\n[Size]\n[Main]\nB=5\n", "Main", "B", "7",
       "[Main]\nA=1\nB=7\n[Size]\n[Main]\nB=5\n"},
      {"junk\n[Main]\n\xFF\xFE x\n;A=0\nA=1\n[x\n", "Main", "A", "2",
       "junk\n[Main]\n\xFF\xFE x\n;A=0\nA=2\n[x\n"},
      {"", " Size ", " DX\t", "3", "[Size]\nDX=3\n"},  // empty text; names written trimmed
  };
  for (const auto& [text, section, key, value, expected] : cases)
    EXPECT_EQ(SetIniValue(text, section, key, value), expected) << text;
}

// Names that would not read back as themselves are invalid; values lose line breaks and NULs.
TEST(IniText, NamesThatWouldNotReadBackAreInvalid) {
  EXPECT_TRUE(IsValidIniSectionName(" Main "));
  EXPECT_TRUE(IsValidIniKeyName("Draw Mode"));
  for (std::string_view bad : {""sv, "  "sv, "a]b"sv, "a\nb"sv, "a\rb"sv, "a\0b"sv})
    EXPECT_FALSE(IsValidIniSectionName(bad)) << bad;
  for (std::string_view bad : {""sv, " "sv, "a=b"sv, "[a"sv, " ;a"sv, "a\nb"sv, "a\0b"sv})
    EXPECT_FALSE(IsValidIniKeyName(bad)) << bad;
  EXPECT_EQ(SanitizeIniValue("a\r\nb\0c\nd"s), "abcd");
}

// Window bounds have no default; the pass below stores these for every window.
int WrittenValue(const SettingKey& key) {
  if (!key.defaultIsCurrent) return key.defaultValue;
  const std::string_view name = key.key;
  return name == "Left" ? 10 : name == "Top" ? 20 : name == "Width" ? 800 : 600;
}

Status WriteDefault(IniFile& ini, const SettingKey& key) {
  if (key.type == SettingType::String) return WriteSettingString(ini, key, "");
  if (key.type == SettingType::Boolean) return WriteSettingBool(ini, key, key.defaultValue != 0);
  return WriteSetting(ini, key, WrittenValue(key));
}

// A second pass changes no byte; every key reads back what was written; "Static" is read but
// never written; a new file's lines come in the order of the pass.
TEST(SettingsKeys, FullWritePassReadsBackAndARepeatChangesNothing) {
  test::TempDir dir;
  IniFile ini(dir.File(kSettingsFileName));
  for (const SettingKey& key : AllSettingKeys()) ASSERT_TRUE(WriteDefault(ini, key)) << key.key;
  const std::string first = test::ReadAll(ini.Path());
  for (const SettingKey& key : AllSettingKeys()) ASSERT_TRUE(WriteDefault(ini, key));
  EXPECT_EQ(test::ReadAll(ini.Path()), first);
  EXPECT_EQ(first.find("Static"), std::string::npos);
  EXPECT_EQ(first.find("[Skin]\nEnabled=1\nName=\n\n[Main]\nLeft=10\nTop=20\n"), 0u);
  for (const SettingKey& key : AllSettingKeys()) {
    if (key.type == SettingType::String) continue;
    EXPECT_EQ(ReadSetting(ini, key, -1), WrittenValue(key)) << key.section << "/" << key.key;
  }
}

// On a first run each key reads its default, or the current value for window bounds; stored
// values win over both.
TEST(SettingsKeys, StoredValuesWinOverDefaultsAndCurrentValues) {
  test::TempDir dir;
  IniFile ini(dir.File(kSettingsFileName));
  EXPECT_EQ(ReadSetting(ini, setting::kMainLeft, -1), -1);
  EXPECT_TRUE(ReadSettingBool(ini, setting::kMainStatic));
  test::WriteAll(ini.Path(),
                 "[main]\nleft=-20\nstatic=0\n[colors]\nink 1=0x47\n[SKIN]\nNAME=a b.ini\n");
  EXPECT_EQ(ReadSetting(ini, setting::kMainLeft, 300), -20);
  EXPECT_EQ(ReadSetting(ini, setting::kColorsInk1), 71);
  EXPECT_FALSE(ReadSettingBool(ini, setting::kMainStatic));
  EXPECT_EQ(ReadSettingString(ini, setting::kSkinName), "a b.ini");
}

}  // namespace
}  // namespace tinto

#include "core/format/settings_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/temp_dir.h"

namespace tinto {
namespace {

// Window bounds have no default; the pass below stores these for every window.
int BoundsValue(std::string_view key) {
  if (key == "Left") return 10;
  if (key == "Top") return 20;
  return key == "Width" ? 800 : 600;
}

Status WriteDefault(IniFile& ini, const SettingKey& key) {
  switch (key.type) {
    case SettingType::Boolean:
      return WriteSettingBool(ini, key, key.defaultValue != 0);
    case SettingType::String:
      return WriteSettingString(ini, key, "");
    case SettingType::Integer:
      break;
  }
  return WriteSetting(ini, key, key.defaultIsCurrent ? BoundsValue(key.key) : key.defaultValue);
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
    const int written = key.defaultIsCurrent ? BoundsValue(key.key) : key.defaultValue;
    EXPECT_EQ(ReadSetting(ini, key, -1), written) << key.section << "/" << key.key;
  }
}

struct DefaultCase {
  SettingKey key;
  int expected;
};

class SettingsKeysDefaultTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(SettingsKeysDefaultTest, FirstRunReadsTheKeysDefault) {
  test::TempDir dir;
  IniFile ini(dir.File(kSettingsFileName));
  EXPECT_EQ(ReadSetting(ini, GetParam().key, -1), GetParam().expected) << GetParam().key.key;
}

INSTANTIATE_TEST_SUITE_P(FirstRun, SettingsKeysDefaultTest,
                         ::testing::Values(DefaultCase{setting::kSizeDX, 32},
                                           DefaultCase{setting::kColorsInk1, 71},
                                           DefaultCase{setting::kImportHTH, 170},
                                           DefaultCase{setting::kMainLeft, -1}));

TEST(SettingsKeys, FirstRunHasSkinEnabledWithEmptyNameAndStaticTicked) {
  test::TempDir dir;
  IniFile ini(dir.File(kSettingsFileName));
  EXPECT_TRUE(ReadSettingBool(ini, setting::kSkinEnabled));
  EXPECT_EQ(ReadSettingString(ini, setting::kSkinName), "");
  EXPECT_TRUE(ReadSettingBool(ini, setting::kMainStatic));
  EXPECT_FALSE(ReadSettingBool(ini, setting::kMainMaximized));
}

TEST(SettingsKeys, StoredValuesWinOverDefaultsAndCurrentValues) {
  test::TempDir dir;
  test::WriteAll(dir.File(kSettingsFileName),
                 "[main]\nleft=-20\nstatic=0\n[colors]\nink 1=0x47\n[SKIN]\nNAME=a b.ini\n");
  IniFile ini(dir.File(kSettingsFileName));
  EXPECT_EQ(ReadSetting(ini, setting::kMainLeft, 300), -20);
  EXPECT_EQ(ReadSetting(ini, setting::kColorsInk1), 71);
  EXPECT_FALSE(ReadSettingBool(ini, setting::kMainStatic));
  EXPECT_EQ(ReadSettingString(ini, setting::kSkinName), "a b.ini");
}

}  // namespace
}  // namespace tinto

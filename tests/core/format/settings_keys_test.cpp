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

constexpr std::string_view kFirstFile =
    "[Skin]\nEnabled=1\nName=\n\n"
    "[Main]\nLeft=10\nTop=20\nWidth=800\nHeight=600\nMaximized=0\nColorPanel=0\nGrid=1\n"
    "Screen=0\nDraw Mode=1\nMagnify=4\nVSync=1\nBright=1\nTransparent=1\nUse Attributes=1\n"
    "Timer Interval=5\nTool=2\nPencil Size=1\n\n"
    "[Colors]\nInk 1=71\nInk 2=71\nPaper 1=0\nPaper 2=0\n\n"
    "[Size]\nDX=32\nDY=192\nMLT Left=0\nMLT Width=18\n\n"
    "[Dialogs]\nOpen TreePanelState=0\nSave TreePanelState=0\n\n"
    "[Import]\nLR=256\nLG=256\nLB=256\nHTH=170\nContrast=256\nHR=270\nHG=270\nHB=270\n"
    "Low Link=1\nHi Link=1\nRealTime=1\nStretch=0\nDX=32\nDY=192\nMagnify=4\nDither=1\n"
    "Tinto 8x2=0\nLeft=10\nTop=20\nWidth=800\nHeight=600\n\n"
    "[Preview]\nMagnify=4\nNo Flic=0\nMaximized=0\nLeft=10\nTop=20\nWidth=800\nHeight=600\n";

TEST(SettingsKeys, FullWritePassIntoEmptyFileFollowsTheWriteOrder) {
  test::TempDir dir;
  IniFile ini(dir.File(kSettingsFileName));
  for (const SettingKey& key : AllSettingKeys()) ASSERT_TRUE(WriteDefault(ini, key)) << key.key;
  std::string written = test::ReadAll(ini.Path());
  EXPECT_EQ(written, kFirstFile);
  EXPECT_EQ(written.find("Static"), std::string::npos);
}

TEST(SettingsKeys, SecondFullWritePassChangesNothing) {
  test::TempDir dir;
  IniFile ini(dir.File(kSettingsFileName));
  for (int pass = 0; pass < 2; ++pass)
    for (const SettingKey& key : AllSettingKeys()) ASSERT_TRUE(WriteDefault(ini, key));
  EXPECT_EQ(test::ReadAll(ini.Path()), kFirstFile);
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

#include "core/format/settings_keys.h"

#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto {
namespace {

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

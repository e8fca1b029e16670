// Replays the fuzzer's seed files: every key reads without harm, and writing one key keeps
// every other line of the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/format/ini_file.h"
#include "core/format/settings_keys.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(TINTO_FUZZ_CORPUS_DIR) / "ini"))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// The bytes that differ between the two texts, taken from `before`.
std::string ChangedPart(const std::string& before, const std::string& after) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < std::min(before.size(), after.size()) - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  return before.substr(prefix, before.size() - prefix - suffix);
}

TEST(IniCorpus, EverySeedReadsAndTakesOneWriteInPlace) {
  ASSERT_GE(CorpusFiles().size(), 5u);
  for (const fs::path& seed : CorpusFiles()) {
    SCOPED_TRACE(seed.filename().string());
    test::TempDir dir;
    const std::string before = test::ReadAll(seed.string());
    test::WriteAll(dir.File(kSettingsFileName), before);
    IniFile ini(dir.File(kSettingsFileName));
    for (const SettingKey& key : AllSettingKeys()) {
      EXPECT_LE(ini.ReadString(key.section, key.key, "").size(), 2047u);
      ini.ReadInteger(key.section, key.key, 0);
    }
    for (const SettingKey& key : {setting::kMainGrid, setting::kSkinName, setting::kPreviewTop}) {
      std::string old = test::ReadAll(ini.Path());
      ASSERT_TRUE(ini.WriteString(key.section, key.key, "42"));
      EXPECT_EQ(ChangedPart(old, test::ReadAll(ini.Path())).find('\n'), std::string::npos);
      EXPECT_EQ(ini.ReadInteger(key.section, key.key, 0), 42);
    }
  }
}

}  // namespace
}  // namespace tinto

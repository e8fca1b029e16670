// Replays the fuzzers' seed corpus and kept reproducers. Picture files named "valid_*" must
// read, "invalid_*" must be refused (a screen file of another tool read as its extension names
// it), and every .tin file that reads must save and read back to the same bytes; in every
// settings file every key reads without harm and writing one key keeps every other line.

#include "core/format/ini_file.h"
#include "core/format/native_format.h"
#include "core/format/screen_file_format.h"
#include "core/format/settings_keys.h"
#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles(const char* folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(TINTO_FUZZ_CORPUS_DIR) / folder))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(NativeCorpus, EveryFileDecodesAsItsNameSays) {
  ASSERT_GE(CorpusFiles("native").size(), 10u);
  for (const fs::path& path : CorpusFiles("native")) {
    const std::string name = path.filename().string();
    SCOPED_TRACE(name);
    const std::string bytes = test::ReadAll(path.string());
    ScreenBuffers screen, reread;
    ScreenGeometry geometry, rereadGeometry;
    if (const std::optional<ScreenFile> named = ScreenFileOfPath(name)) {
      const Status read = DecodeScreenFile(*named, bytes, name, screen, geometry);
      EXPECT_EQ(bool(read), name.starts_with("valid_")) << read.Message();
      continue;
    }
    Status status = DecodeNativeFile(bytes, name, screen, geometry);
    if (name.starts_with("valid_") || name.starts_with("invalid_")) {
      EXPECT_EQ(bool(status), name.starts_with("valid_")) << status.Message();
    }
    if (!status) continue;
    const std::string saved = EncodeNativeFile(screen, geometry);
    ASSERT_TRUE(DecodeNativeFile(saved, name, reread, rereadGeometry));
    EXPECT_TRUE(EncodeNativeFile(reread, rereadGeometry) == saved);
  }
}

// The bytes of `before` that differ from `after`, between their common prefix and suffix.
std::string ChangedPart(const std::string& before, const std::string& after) {
  const auto prefix = std::mismatch(before.begin(), before.end(), after.begin(), after.end());
  const auto suffix = std::mismatch(before.rbegin(), std::make_reverse_iterator(prefix.first),
                                    after.rbegin(), std::make_reverse_iterator(prefix.second));
  return std::string(prefix.first, suffix.first.base());
}

TEST(IniCorpus, EverySeedReadsAndTakesOneWriteInPlace) {
  ASSERT_GE(CorpusFiles("ini").size(), 5u);
  for (const fs::path& seed : CorpusFiles("ini")) {
    SCOPED_TRACE(seed.filename().string());
    test::TempDir dir;
    test::WriteAll(dir.File(kSettingsFileName), test::ReadAll(seed.string()));
    IniFile ini(dir.File(kSettingsFileName));
    for (const SettingKey& key : AllSettingKeys()) {
      EXPECT_LE(ini.ReadString(key.section, key.key, "").size(), 2047u);
      ini.ReadInteger(key.section, key.key, 0);
    }
    for (const SettingKey& key : {setting::kMainGrid, setting::kSkinName, setting::kPreviewTop}) {
      const std::string old = test::ReadAll(ini.Path());
      ASSERT_TRUE(ini.WriteString(key.section, key.key, "42"));
      EXPECT_EQ(ChangedPart(old, test::ReadAll(ini.Path())).find('\n'), std::string::npos);
      EXPECT_EQ(ini.ReadInteger(key.section, key.key, 0), 42);
    }
  }
}

}  // namespace
}  // namespace tinto

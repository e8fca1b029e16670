// Replays the fuzzer's seed corpus and kept reproducers through the decoder. Files named
// "valid_*" must read, "invalid_*" must be refused; every file that reads must save and read
// back to the same bytes.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/format/native_format.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

TEST(NativeCorpus, EveryFileDecodesAsItsNameSays) {
  std::filesystem::path folder = std::filesystem::path(TINTO_FUZZ_CORPUS_DIR) / "native";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    ++files;
    ScreenBuffers screen;
    ScreenGeometry geometry;
    Status status = DecodeNativeFile(test::ReadAll(entry.path().string()), name, screen, geometry);
    if (name.starts_with("valid_")) {
      EXPECT_TRUE(status) << status.Message();
    } else if (name.starts_with("invalid_")) {
      EXPECT_FALSE(status);
    }
    if (!status) continue;
    std::string saved = EncodeNativeFile(screen, geometry);
    ScreenBuffers reread;
    ScreenGeometry rereadGeometry;
    ASSERT_TRUE(DecodeNativeFile(saved, name, reread, rereadGeometry));
    EXPECT_TRUE(EncodeNativeFile(reread, rereadGeometry) == saved);
  }
  EXPECT_GE(files, 10);
}

}  // namespace
}  // namespace tinto

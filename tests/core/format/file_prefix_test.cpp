#include "core/format/file_prefix.h"

#include <sys/stat.h>

#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto {
namespace {

TEST(CheckReadableFile, SaysWhatAPathIsWhenItIsNoRegularFile) {
  test::TempDir dir;
  test::WriteAll(dir.File("file"), "x");
  std::filesystem::create_directory(dir.File("folder"));
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("loop", dir.File("loop"));
  const std::pair<std::string, std::string> cases[] = {
      {dir.File("file"), ""},
      {dir.File("missing"), "File not found"},
      {dir.File("file/below"), "File not found"},
      {dir.File("folder"), "Is a folder"},
      {dir.File("fifo"), "Not a regular file"},
      {"/dev/zero", "Not a regular file"},
      {dir.File("loop"), "Too many levels of symbolic links"},
  };
  for (const auto& [path, message] : cases) EXPECT_EQ(CheckReadableFile(path).Message(), message);
}

}  // namespace
}  // namespace tinto

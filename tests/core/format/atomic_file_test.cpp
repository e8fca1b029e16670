#include "core/format/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include "core/format/file_prefix.h"
#include "core/format/file_size_limit.h"
#include "core/format/same_file.h"
#include "support/temp_dir.h"
#include "support/test_common.h"
#include "support/without_file_override.h"

namespace tinto {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;

class AtomicFile : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return m_dir.File(name); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  test::TempDir m_dir;
};

// A write that fails leaves the old file byte-identical and no temporary file behind.
TEST_F(AtomicFile, FailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
  const std::tuple<int, int, rlim_t, const char*> cases[] = {
      {0555, 0644, RLIM_INFINITY, "Permission denied"},  // read-only folder
      {0755, 0644, 4096, "File too large"}};             // the disk full halfway
  for (auto [folderMode, fileMode, sizeLimit, message] : cases) {
    WriteAll(Path("old"), "old");
    ::chmod(Path("old").c_str(), fileMode);
    ::chmod(m_dir.Path().c_str(), folderMode);
    Status status = Status::Ok();
    test::RunWithoutFileOverride([&, limit = sizeLimit] {
      test::WithFileSizeLimit(
          limit, [&] { status = WriteFileAtomically(Path("old"), std::string(9000, 'n')); });
    });
    ::chmod(m_dir.Path().c_str(), 0755);
    ::chmod(Path("old").c_str(), 0644);
    EXPECT_EQ(status.Message(), message);
    EXPECT_EQ(ReadAll(Path("old")), "old") << message;
    EXPECT_EQ(Names(), (std::vector<std::string>{"old"})) << message;
  }
}

TEST_F(AtomicFile, WritesThroughALinkAndKeepsModeAndOwner) {
  WriteAll(Path("picture"), "old");
  ASSERT_EQ(::chmod(Path("picture").c_str(), 0640), 0);
  const bool mayChown = ::chown(Path("picture").c_str(), 4321, 4322) == 0;
  fs::create_symlink("picture", Path("link"));
  ASSERT_TRUE(WriteFileAtomically(Path("link"), "new"));
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(ReadAll(Path("picture")), "new");
  struct stat info {};
  ASSERT_EQ(::stat(Path("picture").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_TRUE(!mayChown || (info.st_uid == 4321u && info.st_gid == 4322u));
  EXPECT_EQ(Names(), (std::vector<std::string>{"link", "picture"}));
}

// A crashed save's temporary file goes with the next save of its target, and only then; a
// name of the longest length saves.
TEST_F(AtomicFile, NextSaveRemovesLeftoversOfItsOwnTarget) {
  const std::string mine = TemporaryNamePrefix("a.tin") + "x1y2z3";
  const std::string other = TemporaryNamePrefix("b.tin") + "x1y2z3";
  WriteAll(Path(mine), "half");
  WriteAll(Path(other), "half");
  ASSERT_TRUE(WriteFileAtomically(Path("a.tin"), "new"));
  EXPECT_EQ(Names(), (std::vector<std::string>{other, "a.tin"}));
  const std::string name(255, 'n');  // the temporary name must fit too
  ASSERT_TRUE(WriteFileAtomically(Path(name), "new"));
  EXPECT_EQ(ReadAll(Path(name)), "new");
}

// A group replaces its targets only once every file is on disk: one refused target leaves all
// of them as they were. Errors name the file; the leftovers of a crash between the renames (a
// named temporary file) go with the next save of the same targets.
TEST_F(AtomicFile, AGroupChangesNoTargetUnlessEveryFileIsWritten) {
  WriteAll(Path("a.od0"), "old0");
  WriteAll(Path("a.od1"), "old1");
  fs::create_directory(Path("a.od2"));
  const Status refused = WriteFilesAtomically(
      {{Path("a.od0"), "new0"}, {Path("a.od1"), "new1"}, {Path("a.od2"), "x"}});
  EXPECT_EQ(refused.Message(), Path("a.od2") + " is not a regular file");
  EXPECT_EQ(ReadAll(Path("a.od0")), "old0");
  EXPECT_EQ(ReadAll(Path("a.od1")), "old1");
  EXPECT_EQ(WriteFilesAtomically({{Path("a.od0"), "x"}, {Path("none/a.od1"), "y"}}).Message(),
            Path("none/a.od1") + ": No such file or directory");
  EXPECT_EQ(ReadAll(Path("a.od0")), "old0");

  const std::string torn = TemporaryNamePrefix("a.od1") + "k9k9k9";
  WriteAll(Path(torn), "new1");
  ASSERT_TRUE(WriteFilesAtomically({{Path("a.od0"), "new0"}, {Path("a.od1"), "new1"}}));
  EXPECT_EQ(ReadAll(Path("a.od0")) + ReadAll(Path("a.od1")), "new0new1");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.od0", "a.od1", "a.od2"}));
}

TEST_F(AtomicFile, SameFileByInodeOrByNormalisedPath) {
  WriteAll(Path("a"), "x");
  WriteAll(Path("b"), "x");
  fs::create_hard_link(Path("a"), Path("hard"));
  fs::create_symlink("a", Path("soft"));
  EXPECT_TRUE(IsSameFile(Path("a"), Path("hard")));
  EXPECT_TRUE(IsSameFile(Path("soft"), m_dir.Path().string() + "/./a"));
  EXPECT_TRUE(IsSameFile(Path("new"), m_dir.Path().string() + "/b/../new"));
  EXPECT_FALSE(IsSameFile(Path("a"), Path("b")));
  EXPECT_FALSE(IsSameFile(Path("a"), Path("new")));
}

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

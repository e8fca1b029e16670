#include <gtest/gtest.h>

#include "cli/tool_run.h"
#include "core/format/native_format.h"
#include "core/format/ondrel_format.h"
#include "core/model/model_test_helpers.h"
#include "support/temp_dir.h"

namespace tinto::cli {
namespace {

// The pair written from a .tin file reads back as the same picture at the file's size.
TEST(ExportCommand, WritesATwoFilePictureThatReadsBackTheSame) {
  test::TempDir dir;
  const std::string input = dir.File("pic.tin");
  const ScreenGeometry geometry = test::MakeGeometry(10, 40, AttrMode::Mode8x1, 0, 10);
  ASSERT_TRUE(WriteNativeFile(input, test::RandomScreen(2), geometry));
  const ToolRun run = RunCli({"export", input, dir.File("pair")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(test::ReadAll(dir.File("pair.od1")).size(), 2u * 10 * 40);

  ScreenBuffers stored, pair;
  ScreenGeometry read, pairGeometry = geometry;
  std::string name;
  ASSERT_TRUE(ReadNativeFile(input, stored, read));
  ASSERT_TRUE(ReadOndrelFiles(dir.File("pair.od0"), pair, pairGeometry, name).IsOk());
  EXPECT_EQ(pair.Pixels(), stored.Pixels());
  EXPECT_EQ(pair.Attrs(), stored.Attrs());
}

TEST(ExportCommand, ReportsUsageAndReadErrors) {
  EXPECT_EQ(RunCli({"export", "a.tin", "b", "--dx", "3"}).status, 2);
  const ToolRun missing = RunCli({"export", "/no/such/pic.tin", "/no/such/pair"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_FALSE(missing.err.empty());
}

}  // namespace
}  // namespace tinto::cli

// `tinto convert` on requests and files at the edges: crop rectangles at the ends of the int
// range, and a picture cut short.
#include "cli/tool_run.h"
#include "core/format/native_format.h"

namespace tinto::cli {
namespace {

struct CropCase {
  const char* crop;
  int status;
  const char* message;  // part of standard error; empty when the picture converts
  int dx, dy;           // of the written file (80 x 40 picture without stretch)
};

class ConvertCropTest : public ::testing::TestWithParam<CropCase> {};

TEST_P(ConvertCropTest, ComparesBeforeItComputes) {
  const CropCase& c = GetParam();
  test::TempDir dir;
  QImage(80, 40, QImage::Format_RGB32).save(QString::fromStdString(dir.File("in.png")));
  const ToolRun run = RunCli(
      {"convert", dir.File("in.png"), dir.File("out.tin"), "--no-stretch", "--crop", c.crop});
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  if (c.status != 0) return;
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ASSERT_TRUE(ReadNativeFile(dir.File("out.tin"), screen, geometry));
  EXPECT_EQ(geometry.DX(), c.dx);
  EXPECT_EQ(geometry.DY(), c.dy);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, ConvertCropTest,
    ::testing::Values(CropCase{"-2147483648,0,2147483647,10", 0, "", 10, 10},
                      CropCase{"0,-2147483648,16,2147483647", 0, "", 2, 40},
                      CropCase{"2147483646,0,2147483647,10", 1, "outside the picture", 0, 0},
                      CropCase{"2147483647,0,-2147483648,10", 2, "R > L", 0, 0},
                      CropCase{"0,0,2147483648,10", 2, "L,T,R,B", 0, 0}));

TEST(ConvertTruncated, ConvertsAndNamesTheFile) {
  test::TempDir dir;
  QImage(64, 32, QImage::Format_RGB32).save(QString::fromStdString(dir.File("whole.bmp")));
  const std::string bytes = test::ReadAll(dir.File("whole.bmp"));
  test::WriteAll(dir.File("cut.bmp"), bytes.substr(0, bytes.size() / 2));
  const ToolRun run = RunCli({"convert", dir.File("cut.bmp"), dir.File("cut.tin")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, dir.File("cut.bmp") + ": truncated: the missing part is filled\n");
  EXPECT_EQ(RunCli({"convert", dir.File("whole.bmp"), dir.File("whole.tin")}).err, "");
}

}  // namespace
}  // namespace tinto::cli

#include "cli/tool_run.h"
#include "core/format/native_format.h"
#include "core/model/model_test_helpers.h"
#include "core/model/renderer.h"

namespace tinto::cli {
namespace {

// Without stretch the size fits the picture (and the crop, even one at the ends of the int
// range), the window is pulled into it; numbers out of range are clamped.
TEST(ConvertCommand, GeometryOfTheWrittenFile) {
  const struct {
    int width, height;  // of the picture
    int dx, dy, left, mltWidth;
    AttrMode mode;
    Args options;
  } cases[] = {
      // clang-format off
      {100, 50, 12, 50, 0, 12, AttrMode::Mode8x1, {"--no-stretch", "--mlt-left", "3"}},
      {200, 100, 10, 40, 0, 10, AttrMode::Mode8x1, {"--no-stretch", "--crop", "10,5,90,45"}},
      {80, 40, 10, 10, 0, 10, AttrMode::Mode8x1,
       {"--no-stretch", "--crop", "-2147483648,0,2147483647,10"}},
      {80, 40, 2, 40, 0, 2, AttrMode::Mode8x1,
       {"--no-stretch", "--crop", "0,-2147483648,16,2147483647"}},
      {333, 77, 20, 99, 0, 18, AttrMode::Mode8x2, {"--dx", "20", "--dy", "99", "--tinto8x2"}},
      {64, 64, 32, 192, 0, 18, AttrMode::Mode8x1,
       {"--dx", "99", "--dy", "500", "--mlt-width", "40", "--mlt-left", "-5", "--lr", "300",
        "--hth", "0", "--contrast", "9"}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.options));
    test::TempDir dir;
    Args args = {"convert", SaveBands(dir, "bands.png", c.width, c.height), dir.File("b.tin")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ToolRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    ScreenBuffers screen;
    ScreenGeometry g;
    ASSERT_TRUE(ReadNativeFile(dir.File("b.tin"), screen, g));
    EXPECT_EQ(g, test::MakeGeometry(c.dx, c.dy, c.mode, c.left, c.mltWidth));
    // 8x2 cells: both rows of a pair carry the same attribute after loading.
    for (int column = 0; c.mode == AttrMode::Mode8x2 && column < c.dx; ++column)
      EXPECT_EQ(screen.AttrByte(0, 10, column), screen.AttrByte(0, 11, column));
  }
}

// A picture cut short converts, and the tool says which file was.
TEST(ConvertCommand, ConvertsATruncatedPictureAndNamesIt) {
  test::TempDir dir;
  const std::string bytes = test::ReadAll(SaveBands(dir, "whole.bmp", 64, 32));
  test::WriteAll(dir.File("cut.bmp"), bytes.substr(0, bytes.size() / 2));
  const ToolRun run = RunCli({"convert", dir.File("cut.bmp"), dir.File("cut.tin")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, dir.File("cut.bmp") + ": truncated: the missing part is filled\n");
  EXPECT_EQ(RunCli({"convert", dir.File("whole.bmp"), dir.File("whole.tin")}).err, "");
}

// The preview is the rendered mix of the written file. The plain path fits attributes in the
// first MLT Width columns only: the picture stays inside them.
TEST(ConvertCommand, PureColourBandsComeOutInTheirColoursInThePreview) {
  test::TempDir dir;
  std::string in = SaveBands(dir, "bands.bmp", 144, 192), preview = dir.File("mix.png");
  ASSERT_EQ(
      RunCli({"convert", in, dir.File("c.tin"), "--preview", preview, "--no-dither", "--dx", "18"})
          .status,
      0);
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ASSERT_TRUE(ReadNativeFile(dir.File("c.tin"), screen, geometry));
  Bitmap24 mixed(144, 192);
  RenderScreen(screen, geometry, {true, true}, {{}, {}, mixed.View(), {}});
  ExpectPngShows(preview, mixed);
  // A full channel passes both frames' thresholds; an empty one neither.
  const Rgb red = mixed.Pixel(54, 100), green = mixed.Pixel(90, 100), blue = mixed.Pixel(126, 100);
  EXPECT_TRUE(RedOf(red) >= 177 && GreenOf(red) + BlueOf(red) == 0) << std::hex << red;
  EXPECT_TRUE(GreenOf(green) >= 177 && RedOf(green) + BlueOf(green) == 0) << std::hex << green;
  EXPECT_TRUE(BlueOf(blue) >= 177 && RedOf(blue) + GreenOf(blue) == 0) << std::hex << blue;
}

TEST(ResampleCommand, WritesThePictureAtTheRequestedSize) {
  test::TempDir dir;
  std::string in = SaveBands(dir, "bands.bmp", 64, 64);
  std::string png = dir.File("r.png");
  ASSERT_EQ(RunCli({"resample", in, png, "--size", "16x8", "--filter", "Box"}).status, 0);
  QImage image(QString::fromStdString(png));
  ASSERT_EQ(image.size(), QSize(16, 8));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(15, 7), qRgb(0, 0, 255));
}

// A soft diagonal gradient, on which the two methods, and flicker weights, cannot come out alike.
TEST(ConvertCommand, ChoosesTheMethodByNameInAnyCaseAndTheFlickerWeight) {
  test::TempDir dir;
  const std::string in = SavePicture(dir, "gradient.png", 64, 48,
                                     [](int x, int y) { return qRgb(x * 4, y * 5, 128); });
  const char* const runs[][3] = {
      {"c.tin", nullptr, nullptr},           {"c2.tin", "--method", "classic"},
      {"p.tin", "--method", "perceptual"},   {"p2.tin", "--method", "Perceptual"},
      {"p3.tin", "--flicker-weight", "0.5"},  // the default
      {"f0.tin", "--flicker-weight", "0"},   {"f1.tin", "--flicker-weight", "1"},
      {"f9.tin", "--flicker-weight", "9"}};  // clamped to 1
  for (const auto& run : runs) {
    Args args = {"convert", in, dir.File(run[0])};
    if (run[1]) args.insert(args.end(), {run[1], run[2]});
    if (run[1] && std::string(run[1]) == "--flicker-weight")
      args.insert(args.end(), {"--method", "perceptual"});
    ASSERT_EQ(RunCli(args).status, 0) << run[0];
  }
  const auto bytes = [&dir](const char* name) { return test::ReadAll(dir.File(name)); };
  EXPECT_EQ(bytes("c.tin"), bytes("c2.tin"));
  EXPECT_EQ(bytes("p.tin"), bytes("p2.tin"));
  EXPECT_NE(bytes("c.tin"), bytes("p.tin"));
  EXPECT_EQ(bytes("p.tin"), bytes("p3.tin"));
  EXPECT_EQ(bytes("f1.tin"), bytes("f9.tin"));
  EXPECT_NE(bytes("f0.tin"), bytes("p.tin"));
  EXPECT_NE(bytes("f1.tin"), bytes("p.tin"));
}

}  // namespace
}  // namespace tinto::cli

#include "cli/tool_run.h"
#include "core/format/native_format.h"
#include "core/import/import_option_table.h"
#include "core/model/model_test_helpers.h"
#include "core/model/renderer.h"

namespace tinto::cli {
namespace {

// Without stretch the size fits the picture (and the crop, even one at the ends of the int
// range), the window is pulled into it; numbers out of range are clamped.
TEST(ConvertCommand, GeometryOfTheWrittenFile) {
  // The picture's width and height, then DX, DY, MLT Left, MLT Width and mode of the file.
  const std::tuple<int, int, int, int, int, int, AttrMode, Args> cases[] = {
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
  for (const auto& [width, height, dx, dy, left, mltWidth, mode, options] : cases) {
    SCOPED_TRACE(testing::PrintToString(options));
    test::TempDir dir;
    Args args = {"convert", SaveBands(dir, "bands.png", width, height), dir.File("b.tin")};
    args.insert(args.end(), options.begin(), options.end());
    ToolRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    ScreenBuffers screen;
    ScreenGeometry g;
    ASSERT_TRUE(ReadNativeFile(dir.File("b.tin"), screen, g));
    EXPECT_EQ(g, test::MakeGeometry(dx, dy, mode, left, mltWidth));
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
TEST(ConvertCommand, ChoosesTheMethodAndTheFlickerWeight) {
  test::TempDir dir;
  const std::string in = SavePicture(dir, "gradient.png", 64, 48,
                                     [](int x, int y) { return qRgb(x * 4, y * 5, 128); });
  const auto bytes = [&](const char* name, const Args& options) {
    Args args = {"convert", in, dir.File(name)};
    args.insert(args.end(), options.begin(), options.end());
    EXPECT_EQ(RunCli(args).status, 0) << name;
    return test::ReadAll(dir.File(name));
  };
  const std::string perceptual = bytes("p.tin", {"--method", "Perceptual"});
  EXPECT_NE(bytes("c.tin", {}), perceptual);
  // Reading and clamping the weight is the option table's test.
  EXPECT_NE(bytes("f0.tin", {"--method", "perceptual", "--flicker-weight", "0"}), perceptual);
}

// Every flag of the option table has its help entry. Entries worked out by hand: the range, then
// the default and key kept together, on a continuation line when the line is full.
TEST(ConvertHelp, ShowsEachOptionsRangeDefaultAndKey) {
  const ToolRun run = RunCli({"convert", "--help"});
  EXPECT_EQ(run.status, 0);
  for (const ImportOptionRow& row : ImportOptionTable()) {
    const std::string entry = "\n  --" + std::string(row.flag) + " ";
    EXPECT_TRUE(row.flag.empty() || run.out.find(entry) != std::string::npos) << row.flag;
  }
  const std::string indent(28, ' ');
  const std::string entries[] = {
      "  --lr N                    screen 1 red threshold, 0..255 (default 96; key LR)\n",
      "  --dx N                    width in columns, 1..32 (default 32)\n",
      "conversion method: Classic or Perceptual\n" + indent + "(default Classic; key Method)\n",
      "0.00..1.00\n" + indent + "(default 0.50)\n",
      "  --bright / --no-bright    decide bright per cell (default off)\n"};
  for (const std::string& entry : entries)
    EXPECT_NE(run.out.find(entry), std::string::npos) << entry;
}

}  // namespace
}  // namespace tinto::cli

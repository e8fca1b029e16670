#include <QImage>

#include "cli/commands.h"
#include "cli/tool_run.h"
#include "core/format/native_format.h"
#include "core/model/model_test_helpers.h"
#include "core/model/renderer.h"
#include "support/temp_dir.h"

namespace tinto::cli {
namespace {

namespace fs = std::filesystem;

// Four vertical bands: white, red, green, blue.
std::string MakeBands(const test::TempDir& dir, const std::string& name, int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  const QRgb bands[4] = {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, bands[x * 4 / width]);
  std::string path = dir.File(name);
  EXPECT_TRUE(image.save(QString::fromStdString(path)));
  return path;
}

struct GeometryCase {
  int width, height;  // of the picture
  int dx, dy, left, mltWidth;
  AttrMode mode;
  Args options;
};

class ConvertGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(ConvertGeometry, OfTheWrittenFile) {
  const GeometryCase& c = GetParam();
  test::TempDir dir;
  Args args = {"convert", MakeBands(dir, "bands.png", c.width, c.height), dir.File("b.tin")};
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

// Without stretch the size fits the picture (and the crop), the window is pulled into it.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Requests, ConvertGeometry, ::testing::Values(
    GeometryCase{100, 50, 12, 50, 0, 12, AttrMode::Mode8x1, {"--no-stretch", "--mlt-left", "3"}},
    GeometryCase{200, 100, 10, 40, 0, 10, AttrMode::Mode8x1,
                 {"--no-stretch", "--crop", "10,5,90,45"}},
    GeometryCase{333, 77, 20, 99, 0, 18, AttrMode::Mode8x2,
                 {"--dx", "20", "--dy", "99", "--tinto8x2"}},
    GeometryCase{64, 64, 32, 192, 0, 18, AttrMode::Mode8x1, {"--dx", "99", "--dy", "500",
        "--mlt-width", "40", "--mlt-left", "-5", "--lr", "300", "--hth", "0", "--contrast", "9"}}));
// clang-format on

// The preview is the rendered mix of the written file. The plain path fits attributes in the
// first MLT Width columns only: the picture stays inside them.
TEST(ConvertCommand, PureColourBandsComeOutInTheirColoursInThePreview) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.bmp", 144, 192), preview = dir.File("mix.png");
  ASSERT_EQ(RunCli({"convert", in, dir.File("c.tin"), "--preview", preview, "--no-dither", "--dx",
                    "18", "--frames", dir.File("f0.png"), dir.File("f1.png")})
                .status,
            0);
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ASSERT_TRUE(ReadNativeFile(dir.File("c.tin"), screen, geometry));
  Bitmap24 mixed(144, 192);
  RenderScreen(screen, geometry, {true, true}, {{}, {}, mixed.View(), {}});
  QImage mix(QString::fromStdString(preview));
  ASSERT_EQ(mix.size(), QSize(144, 192));
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 144; ++x) {
      QRgb p = mix.pixel(x, y);
      ASSERT_EQ(MakeRgb(qRed(p), qGreen(p), qBlue(p)), mixed.Pixel(x, y));
    }
  // A full channel passes both frames' thresholds; an empty one neither.
  QRgb red = mix.pixel(54, 100), green = mix.pixel(90, 100), blue = mix.pixel(126, 100);
  EXPECT_GE(qRed(red), 177);
  EXPECT_EQ(qGreen(red) + qBlue(red), 0);
  EXPECT_GE(qGreen(green), 177);
  EXPECT_EQ(qRed(green) + qBlue(green), 0);
  EXPECT_GE(qBlue(blue), 177);
  EXPECT_EQ(qRed(blue) + qGreen(blue), 0);
  EXPECT_EQ(QImage(QString::fromStdString(dir.File("f0.png"))).size(), QSize(144, 192));
  EXPECT_EQ(QImage(QString::fromStdString(dir.File("f1.png"))).size(), QSize(144, 192));
}

// Inputs that share a stem keep their extension in the output's name.
TEST(ConvertCommand, BatchGoesOnPastAFailingInput) {
  test::TempDir dir;
  Args args = {"convert",
               "-o",
               dir.File("out"),
               MakeBands(dir, "cat.bmp", 64, 32),
               dir.File("broken.jpg"),
               MakeBands(dir, "cat.png", 64, 32),
               MakeBands(dir, "dog.png", 32, 16)};
  test::WriteAll(dir.File("broken.jpg"), "not a picture at all");
  fs::create_directory(dir.Path() / "out");
  ToolRun run = RunCli(args);
  EXPECT_EQ(run.status, 1);
  for (const char* name : {"cat.bmp.tin", "cat.png.tin", "dog.tin"})
    EXPECT_TRUE(fs::exists(dir.Path() / "out" / name)) << name;
  EXPECT_FALSE(fs::exists(dir.Path() / "out" / "broken.tin"));
  EXPECT_NE(run.err.find("broken.jpg"), std::string::npos);
  EXPECT_NE(run.out.find("[4/4]"), std::string::npos);
  EXPECT_NE(run.out.find("3 of 4 converted"), std::string::npos);
}

TEST(ConvertCommand, RefusesBadRequests) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.bmp", 64, 64), out = dir.File("o.tin");
  EXPECT_EQ(RunCli({"convert", in}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, out, "--filter", "Sinc"}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, out, "--crop", "1,2,3"}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, out, "--crop", "5,5,1,1"}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, out, "--crop", "500,500,600,600"}).status, 1);
  EXPECT_EQ(RunCli({"convert", dir.File("missing.jpg"), out}).status, 1);
  EXPECT_EQ(RunCli({"convert", in, out, "--frames", "f0.png"}).status, 2);
  EXPECT_EQ(RunCli({"convert", "-o", dir.File("."), in, in, "--preview", "p.png"}).status, 2);
  EXPECT_FALSE(fs::exists(out));
  ToolRun help = RunCli({"convert", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("  --filter NAME             Box, Triangle, Hermite, Bell, B-Spline, "
                          "Lanczos3 (default), Mitchell\n"),
            std::string::npos);
  EXPECT_NE(help.out.find("  --hth N                   half threshold / brightness 1..256 (128)\n"),
            std::string::npos);
}

TEST(ResampleCommand, WritesThePictureAtTheRequestedSize) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.bmp", 64, 64);
  std::string png = dir.File("r.png");
  ASSERT_EQ(RunCli({"resample", in, png, "--size", "16x8", "--filter", "Box"}).status, 0);
  QImage image(QString::fromStdString(png));
  ASSERT_EQ(image.size(), QSize(16, 8));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(15, 7), qRgb(0, 0, 255));
  EXPECT_EQ(RunCli({"resample", in, png, "--size", "0x8"}).status, 2);
  EXPECT_EQ(RunCli({"resample", in, png}).status, 2);
}

}  // namespace
}  // namespace tinto::cli

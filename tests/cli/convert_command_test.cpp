#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "cli/commands.h"
#include "core/format/native_format.h"
#include "core/model/renderer.h"
#include "support/temp_dir.h"
#include "cli/tool_run.h"

namespace tinto::cli {
namespace {

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

struct Loaded {
  ScreenBuffers screen;
  ScreenGeometry geometry;
};

Loaded Load(const std::string& path) {
  Loaded l;
  EXPECT_TRUE(ReadNativeFile(path, l.screen, l.geometry));
  return l;
}

TEST(ConvertCommand, WithoutStretchFitsTheSizeToThePicture) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.bmp", 100, 50);
  ToolRun run = RunCli({"convert", in, dir.File("b.tin"), "--no-stretch", "--mlt-left", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  Loaded l = Load(dir.File("b.tin"));
  EXPECT_EQ(l.geometry.DX(), 12);
  EXPECT_EQ(l.geometry.DY(), 50);
  EXPECT_EQ(l.geometry.MltLeft(), 0);
  EXPECT_EQ(l.geometry.MltWidth(), 12);
  EXPECT_EQ(l.geometry.Mode(), AttrMode::Mode8x1);
}

TEST(ConvertCommand, StretchKeepsTheRequestedSizeAndMode) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.png", 333, 77);
  ASSERT_EQ(RunCli({"convert", in, dir.File("s.tin"), "--dx", "20", "--dy", "99", "--tinto8x2"}).status, 0);
  Loaded l = Load(dir.File("s.tin"));
  EXPECT_EQ(l.geometry.DX(), 20);
  EXPECT_EQ(l.geometry.DY(), 99);
  EXPECT_EQ(l.geometry.Mode(), AttrMode::Mode8x2);
  // 8x2 cells: both rows of a pair carry the same attribute after loading.
  for (int column = 0; column < 20; ++column)
    EXPECT_EQ(l.screen.AttrByte(0, 10, column), l.screen.AttrByte(0, 11, column));
}

TEST(ConvertCommand, PureColourBandsComeOutInTheirColours) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.bmp", 144, 192);
  std::string preview = dir.File("mix.png");
  // The plain path fits attributes in the first MLT Width columns only: keep the picture inside.
  ASSERT_EQ(RunCli({"convert", in, dir.File("c.tin"), "--preview", preview, "--no-dither", "--dx", "18"})
                .status,
            0);
  QImage mix(QString::fromStdString(preview));
  ASSERT_EQ(mix.size(), QSize(144, 192));
  // A full channel passes both frames' thresholds; an empty one neither.
  QRgb red = mix.pixel(54, 100), green = mix.pixel(90, 100), blue = mix.pixel(126, 100);
  EXPECT_GE(qRed(red), 177);
  EXPECT_EQ(qGreen(red) + qBlue(red), 0);
  EXPECT_GE(qGreen(green), 177);
  EXPECT_EQ(qRed(green) + qBlue(green), 0);
  EXPECT_GE(qBlue(blue), 177);
  EXPECT_EQ(qRed(blue) + qGreen(blue), 0);
}

TEST(ConvertCommand, PreviewEqualsTheRenderedMixOfTheWrittenFile) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.png", 64, 64);
  std::string preview = dir.File("mix.png");
  ASSERT_EQ(RunCli({"convert", in, dir.File("p.tin"), "--preview", preview, "--dx", "8", "--dy", "64",
                 "--frames", dir.File("f0.png"), dir.File("f1.png")}).status, 0);
  Loaded l = Load(dir.File("p.tin"));
  Bitmap24 mixed(64, 64);
  RenderScreen(l.screen, l.geometry, {true, true}, {{}, {}, mixed.View(), {}});
  QImage png(QString::fromStdString(preview));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      QRgb p = png.pixel(x, y);
      ASSERT_EQ(MakeRgb(qRed(p), qGreen(p), qBlue(p)), mixed.Pixel(x, y));
    }
  EXPECT_EQ(QImage(QString::fromStdString(dir.File("f0.png"))).size(), QSize(64, 64));
  EXPECT_EQ(QImage(QString::fromStdString(dir.File("f1.png"))).size(), QSize(64, 64));
}

TEST(ConvertCommand, CropWithoutStretchRefitsTheSize) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.bmp", 200, 100);
  ASSERT_EQ(RunCli({"convert", in, dir.File("k.tin"), "--no-stretch", "--crop", "10,5,90,45"}).status, 0);
  Loaded l = Load(dir.File("k.tin"));
  EXPECT_EQ(l.geometry.DX(), 10);
  EXPECT_EQ(l.geometry.DY(), 40);
}

TEST(ConvertCommand, BatchGoesOnPastAFailingInput) {
  test::TempDir dir;
  std::string good1 = MakeBands(dir, "one.bmp", 64, 32);
  std::string good2 = MakeBands(dir, "two.png", 64, 32);
  test::WriteAll(dir.File("broken.jpg"), "not a picture at all");
  std::filesystem::create_directory(dir.Path() / "out");
  ToolRun run = RunCli({"convert", "-o", dir.File("out"), good1, dir.File("broken.jpg"), good2});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "out" / "one.tin"));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "out" / "two.tin"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "out" / "broken.tin"));
  EXPECT_NE(run.err.find("broken.jpg"), std::string::npos);
  EXPECT_NE(run.out.find("[3/3]"), std::string::npos);
  EXPECT_NE(run.out.find("2 of 3 converted"), std::string::npos);
}

TEST(ConvertCommand, BatchInputsSharingAStemKeepTheirExtensions) {
  test::TempDir dir;
  std::string bmp = MakeBands(dir, "cat.bmp", 32, 16);
  std::string png = MakeBands(dir, "cat.png", 32, 16);
  std::string dog = MakeBands(dir, "dog.png", 32, 16);
  std::filesystem::create_directory(dir.Path() / "out");
  ASSERT_EQ(RunCli({"convert", "-o", dir.File("out"), bmp, png, dog}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "out" / "cat.bmp.tin"));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "out" / "cat.png.tin"));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "out" / "dog.tin"));
}

TEST(ConvertCommand, OptionsBeyondTheirRangesAreClamped) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.bmp", 64, 64);
  ASSERT_EQ(RunCli({"convert", in, dir.File("x.tin"), "--dx", "99", "--dy", "500", "--mlt-width", "40",
                 "--mlt-left", "-5", "--lr", "300", "--hth", "0", "--contrast", "9"}).status, 0);
  Loaded l = Load(dir.File("x.tin"));
  EXPECT_EQ(l.geometry.DX(), 32);
  EXPECT_EQ(l.geometry.DY(), 192);
  EXPECT_EQ(l.geometry.MltWidth(), 18);
  EXPECT_EQ(l.geometry.MltLeft(), 0);
}

TEST(ConvertCommand, RefusesBadRequests) {
  test::TempDir dir;
  std::string in = MakeBands(dir, "bands.bmp", 64, 64);
  EXPECT_EQ(RunCli({"convert", in}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, dir.File("o.tin"), "--filter", "Sinc"}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, dir.File("o.tin"), "--crop", "1,2,3"}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, dir.File("o.tin"), "--crop", "5,5,1,1"}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, dir.File("o.tin"), "--crop", "500,500,600,600"}).status, 1);
  EXPECT_EQ(RunCli({"convert", dir.File("missing.jpg"), dir.File("o.tin")}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "o.tin"));
  ToolRun help = RunCli({"convert", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--filter NAME"), std::string::npos);
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

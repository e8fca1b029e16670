#include <gtest/gtest.h>

#include <QImage>

#include "cli/commands.h"
#include "core/format/native_format.h"
#include "core/model/renderer.h"
#include "support/temp_dir.h"
#include "cli/tool_run.h"

namespace tinto::cli {
namespace {

// A picture with something in every attribute mode region and both frames.
void DrawSample(ScreenBuffers& screen) {
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x) {
      if ((x + y) % 3 == 0) screen.SetPixel(0, x, y);
      if ((x * y) % 5 == 1) screen.SetPixel(1, x, y);
      screen.SetAttr(0, x, y, static_cast<std::uint8_t>(0x40 | ((x / 8) % 8) | ((y % 8) << 3)));
      screen.SetAttr(1, x, y, static_cast<std::uint8_t>(((x / 8 + 3) % 8) | (((y + 2) % 8) << 3)));
    }
}

class RenderCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    geometry.SetDX(10);
    geometry.SetDY(40);
    geometry.SetMltWidth(10);
    DrawSample(screen);
    ASSERT_TRUE(WriteNativeFile(input, screen, geometry));
  }

  // What the core renderer makes of the picture as the file stores it.
  Bitmap24 Expected(int which, bool attributes) {
    ScreenBuffers stored;
    ScreenGeometry g;
    EXPECT_TRUE(ReadNativeFile(input, stored, g));
    Bitmap24 bitmaps[3] = {Bitmap24(80, 40), Bitmap24(80, 40), Bitmap24(80, 40)};
    RenderScreen(stored, g, {attributes, true}, {bitmaps[0].View(), bitmaps[1].View(), bitmaps[2].View(), {}});
    return bitmaps[which];
  }

  static void ExpectSamePixels(const QImage& png, const Bitmap24& expected, int scale) {
    ASSERT_EQ(png.width(), expected.Width() * scale);
    ASSERT_EQ(png.height(), expected.Height() * scale);
    for (int y = 0; y < png.height(); ++y)
      for (int x = 0; x < png.width(); ++x) {
        QRgb p = png.pixel(x, y);
        Rgb e = expected.Pixel(x / scale, y / scale);
        ASSERT_EQ(MakeRgb(qRed(p), qGreen(p), qBlue(p)), e) << "at " << x << "," << y;
      }
  }

  test::TempDir dir;
  std::string input = dir.File("pic.tin");
  ScreenBuffers screen;
  ScreenGeometry geometry;
};

TEST_F(RenderCommand, EachFrameAndTheMixEqualTheRenderersBitmaps) {
  const char* frames[] = {"0", "1", "mix"};
  for (int which = 0; which < 3; ++which) {
    std::string png = dir.File(std::string("out-") + frames[which] + ".png");
    ToolRun run = RunCli({"render", input, png, "--frame", frames[which]});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectSamePixels(QImage(QString::fromStdString(png)), Expected(which, true), 1);
  }
}

TEST_F(RenderCommand, ScalesAndRendersWithoutAttributes) {
  std::string png = dir.File("big.png");
  ToolRun run = RunCli({"render", input, png, "--scale", "3", "--no-attributes", "--frame", "mix"});
  ASSERT_EQ(run.status, 0) << run.err;
  ExpectSamePixels(QImage(QString::fromStdString(png)), Expected(2, false), 3);
}

TEST_F(RenderCommand, ReadsATwoFilePictureWithTheGivenSize) {
  // Frame files hold DX*DY pixel bytes, then DX*DY attribute bytes.
  std::string frame0, frame1;
  frame0 = std::string(8, '\xF0') + std::string(8, '\x47');
  frame1 = std::string(8, '\x0F') + std::string(8, '\x02');
  test::WriteAll(dir.File("two.od0"), frame0);
  test::WriteAll(dir.File("two.od1"), frame1);
  std::string png = dir.File("two.png");
  ToolRun run = RunCli({"render", dir.File("two.od0"), png, "--dx", "2", "--dy", "4"});
  ASSERT_EQ(run.status, 0) << run.err;
  QImage image(QString::fromStdString(png));
  ASSERT_EQ(image.size(), QSize(16, 4));
  EXPECT_EQ(image.pixel(0, 0), qRgb(254, 254, 254));  // bright white ink
  EXPECT_EQ(image.pixel(4, 0), qRgb(0, 0, 0));        // black paper
}

TEST(RenderCommandErrors, ReportTheEditorsMessagesWithStatusOne) {
  test::TempDir dir;
  std::string missing = dir.File("none.tin");
  ToolRun run = RunCli({"render", missing, dir.File("x.png")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "File " + missing + " not found.\n");

  test::WriteAll(dir.File("bad.tin"), "NOPE....");
  run = RunCli({"info", dir.File("bad.tin")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "File " + dir.File("bad.tin") + "\nIs not Tinto File.\n");
}

TEST(RenderCommandErrors, RejectBadArguments) {
  EXPECT_EQ(RunCli({"render", "a.tin"}).status, 2);
  EXPECT_EQ(RunCli({"render", "a.tin", "b.png", "--frame", "2"}).status, 2);
  EXPECT_EQ(RunCli({"render", "a.tin", "b.png", "--scale", "two"}).status, 2);
  EXPECT_EQ(RunCli({"render", "a.od0", "b.png", "--dx", "3"}).status, 2);
  EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
  EXPECT_EQ(RunCli({}).status, 2);
}

TEST(InfoCommand, PrintsGeometryAndMode) {
  test::TempDir dir;
  ScreenBuffers screen;
  ScreenGeometry geometry;
  geometry.SetDX(32);
  geometry.SetDY(100);
  geometry.SetMltLeft(3);
  geometry.SetMltWidth(12);
  geometry.SetMode(AttrMode::Mode8x2);
  ASSERT_TRUE(WriteNativeFile(dir.File("p.tin"), screen, geometry));
  ToolRun run = RunCli({"info", dir.File("p.tin")});
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Total Width: 32 (256 pixels)\nDY: 100\nLeft MLT: 3\nWidth MLT: 12\nMode: 8x2 Full Screen\n");
}

}  // namespace
}  // namespace tinto::cli

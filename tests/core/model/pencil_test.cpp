#include "core/model/pencil.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::MakeGeometry;
using test::RowsWithAttr;

PencilOptions Pencil(int size, DrawMode mode = DrawMode::Or, bool attributes = false,
                     FrameIndex frame = 0) {
  return {frame, size, mode, attributes, 0x4A, 0x15};
}

struct SquareCase {
  int size, dx, dy, x, y;
  PixelRect written;
};

class PlotPencilSquare : public ::testing::TestWithParam<SquareCase> {};

// The square starts size / 2 left of and above the point and is cut at DX * 8 and DY.
TEST_P(PlotPencilSquare, SetsExactlyThePixelsItReports) {
  const SquareCase& c = GetParam();
  ScreenBuffers s;
  EXPECT_EQ(PlotPencil(s, MakeGeometry(c.dx, c.dy), Pencil(c.size), c.x, c.y), c.written);
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      const bool inside =
          x >= c.written.x1 && x < c.written.x2 && y >= c.written.y1 && y < c.written.y2;
      ASSERT_EQ(s.Pixel(0, x, y), inside) << x << "," << y;
      ASSERT_FALSE(s.Pixel(1, x, y));
    }
  EXPECT_EQ(s.Attrs(), ScreenBlock{});
}

INSTANTIATE_TEST_SUITE_P(
    Squares, PlotPencilSquare,
    ::testing::Values(SquareCase{2, 18, 192, 0, 0, {0, 0, 1, 1}},
                      SquareCase{5, 18, 192, 143, 50, {141, 48, 144, 53}},  // cut at DX 18
                      SquareCase{5, 32, 100, 20, 99, {18, 97, 23, 100}},    // cut at DY 100
                      SquareCase{4, 32, 192, 7, 1, {5, 0, 9, 3}},
                      SquareCase{50, 32, 192, 128, 96, {103, 71, 153, 121}},
                      SquareCase{1000, 32, 192, 128, 96, {103, 71, 153, 121}},  // size 50
                      SquareCase{0, 32, 192, 40, 40, {40, 40, 41, 41}}));       // size 1

TEST(PlotPencil, AttributesGoToTheCellsOfWrittenPixelsOnly) {
  ScreenBuffers s;
  PlotPencil(s, MakeGeometry(32, 100), Pencil(5, DrawMode::Or, true, 1), 20, 99);
  // Column 2 lies in the MLT window: 8x1 cells, so only the written rows 97..99.
  EXPECT_EQ(RowsWithAttr(s, 0, 2, 0x4A), (std::vector<int>{97, 98, 99}));
  EXPECT_EQ(RowsWithAttr(s, 1, 2, 0x15), (std::vector<int>{97, 98, 99}));
  EXPECT_EQ(s.PixelByte(1, 99, 2), 0x3E);  // columns 18..22 of the edited frame
  EXPECT_EQ(s.PixelByte(0, 99, 2), 0x00);
}

TEST(PlotPencil, XorTwiceRestoresThePixels) {
  ScreenBuffers s;
  s.PixelByte(0, 10, 1) = 0b1010'0101;
  ScreenGeometry g = MakeGeometry(32, 192);
  PlotPencil(s, g, Pencil(3, DrawMode::Xor), 9, 10);
  EXPECT_EQ(s.PixelByte(0, 10, 1), 0b0100'0101);  // columns 8..10 inverted
  EXPECT_EQ(s.PixelByte(0, 9, 1), 0b1110'0000);
  PlotPencil(s, g, Pencil(3, DrawMode::Xor), 9, 10);
  EXPECT_EQ(s.PixelByte(0, 10, 1), 0b1010'0101);
  EXPECT_EQ(s.PixelByte(0, 9, 1), 0);
}

TEST(PlotPencil, ClsClearsTheSquareAcrossAByteBoundary) {
  ScreenBuffers s;
  for (int row = 0; row < 4; ++row) s.PixelByte(0, row, 0) = s.PixelByte(0, row, 1) = 0xFF;
  PlotPencil(s, MakeGeometry(32, 192), Pencil(4, DrawMode::Cls), 7, 1);
  for (int row = 0; row < 3; ++row) {  // columns 5..8, rows -1..2
    EXPECT_EQ(s.PixelByte(0, row, 0), 0xF8) << row;
    EXPECT_EQ(s.PixelByte(0, row, 1), 0x7F) << row;
  }
  EXPECT_EQ(s.PixelByte(0, 3, 0), 0xFF);
}

struct FarCase {
  int x, y;
};

class PlotPencilFarAway : public ::testing::TestWithParam<FarCase> {};

TEST_P(PlotPencilFarAway, WritesNothing) {
  ScreenBuffers s;
  PixelRect written = PlotPencil(s, MakeGeometry(18, 100), Pencil(50, DrawMode::Or, true),
                                 GetParam().x, GetParam().y);
  EXPECT_TRUE(written.Empty());
  EXPECT_EQ(s.Pixels(), ScreenBlock{});
  EXPECT_EQ(s.Attrs(), ScreenBlock{});
}

INSTANTIATE_TEST_SUITE_P(Points, PlotPencilFarAway,
                         ::testing::Values(FarCase{INT_MIN, 0}, FarCase{INT_MAX, INT_MAX},
                                           FarCase{0, INT_MIN}, FarCase{-26, 50},
                                           FarCase{144 + 25, 50}, FarCase{50, 125}));

// The per-pixel procedure the batched plot must match: each pixel written on its own, its
// cell's attributes written, its block re-rendered.
void PlotPixelByPixel(ScreenBuffers& s, const ScreenGeometry& g, const PencilOptions& o, int x,
                      int y, RenderOptions render, const DisplayBitmaps& bitmaps) {
  int h = o.size / 2;
  for (int r = y - h; r < y - h + o.size; ++r)
    for (int c = x - h; c < x - h + o.size; ++c) {
      if (c < 0 || c > g.WidthPixels() - 1 || r < 0 || r > g.DY() - 1) continue;
      if (o.mode == DrawMode::Or) s.SetPixel(o.frame, c, r);
      if (o.mode == DrawMode::Xor) s.InvertPixel(o.frame, c, r);
      if (o.mode == DrawMode::Cls) s.ClearPixel(o.frame, c, r);
      if (o.writeAttributes) WriteCellAttributes(s, g, c, r, o.attr0, o.attr1);
      RenderBlock(s, g, render, bitmaps, c, r);
    }
}

TEST(RenderTouchedBlocks, GivesTheSameBitmapsAsRenderingAfterEveryPixel) {
  std::mt19937 random(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int trial = 0; trial < 300; ++trial) {
    ScreenGeometry g = MakeGeometry(pick(1, 32), pick(1, 192), static_cast<AttrMode>(pick(0, 1)),
                                    pick(0, 31), pick(1, 18));
    ScreenBuffers batched = test::RandomScreen(static_cast<unsigned>(trial));
    ScreenBuffers perPixel = batched;
    PencilOptions o =
        Pencil(pick(1, 50), static_cast<DrawMode>(pick(0, 2)), pick(0, 1), pick(0, 1));
    RenderOptions render{pick(0, 1) != 0, pick(0, 1) != 0};
    DisplayBitmapSet expected(256, 192), actual(256, 192);
    RenderScreen(batched, g, render, expected.Views());
    RenderScreen(batched, g, render, actual.Views());
    int x = pick(-30, 290), y = pick(-30, 220);

    PlotPixelByPixel(perPixel, g, o, x, y, render, expected.Views());
    RenderTouchedBlocks(batched, g, render, actual.Views(), PlotPencil(batched, g, o, x, y));

    ASSERT_EQ(batched.Pixels(), perPixel.Pixels()) << trial;
    ASSERT_EQ(batched.Attrs(), perPixel.Attrs()) << trial;
    ASSERT_EQ(actual.image1, expected.image1) << trial;
    ASSERT_EQ(actual.image2, expected.image2) << trial;
    ASSERT_EQ(actual.preview1, expected.preview1) << trial;
    ASSERT_EQ(actual.preview2, expected.preview2) << trial;
  }
}

// Pixels 15..16 x 7..8 touch the blocks at x 8..23, y 0..15; rectangles off the screen none.
TEST(RenderTouchedBlocks, RendersOnlyBlocksMeetingTheRectangle) {
  const Rgb sentinel = MakeRgb(1, 2, 3);
  ScreenBuffers s;
  ScreenGeometry g = MakeGeometry(32, 192);
  DisplayBitmapSet bitmaps(256, 192);
  bitmaps.image1.Fill(sentinel);
  RenderTouchedBlocks(s, g, {true, false}, bitmaps.Views(), PixelRect{-100, -100, -1, 400});
  RenderTouchedBlocks(s, g, {true, false}, bitmaps.Views(), PixelRect{256, 0, 900, 192});
  RenderTouchedBlocks(s, g, {true, false}, bitmaps.Views(), PixelRect{15, 7, 17, 9});
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) {
      bool touched = x >= 8 && x < 24 && y < 16;
      ASSERT_EQ(bitmaps.image1.Pixel(x, y) == sentinel, !touched) << x << "," << y;
    }
}

}  // namespace
}  // namespace tinto

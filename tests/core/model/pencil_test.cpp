#include "core/model/pencil.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::MakeGeometry;

PencilOptions Pencil(int size, DrawMode mode = DrawMode::Or, bool attributes = false,
                     FrameIndex frame = 0) {
  PencilOptions o;
  o.frame = frame;
  o.size = size;
  o.mode = mode;
  o.writeAttributes = attributes;
  o.attr0 = 0x4A;
  o.attr1 = 0x15;
  return o;
}

// Every set pixel of frame f as (x, y), row by row.
std::vector<std::pair<int, int>> SetPixels(const ScreenBuffers& s, FrameIndex f) {
  std::vector<std::pair<int, int>> pixels;
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x)
      if (s.Pixel(f, x, y)) pixels.emplace_back(x, y);
  return pixels;
}

// Rows 0..191 of byte column `column` whose frame-0 and frame-1 attributes are a0 and a1.
std::vector<int> RowsWithAttrs(const ScreenBuffers& s, int column, int a0, int a1) {
  std::vector<int> rows;
  for (int row = 0; row < kScreenHeight; ++row)
    if (s.AttrByte(0, row, column) == a0 && s.AttrByte(1, row, column) == a1) rows.push_back(row);
  return rows;
}

TEST(PlotPencil, SizeTwoAtTheOriginSetsOnlyTheOriginPixel) {
  ScreenBuffers s;
  PixelRect written = PlotPencil(s, MakeGeometry(18, 192), Pencil(2), 0, 0);
  EXPECT_EQ(SetPixels(s, 0), (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(written, (PixelRect{0, 0, 1, 1}));
}

TEST(PlotPencil, DropsColumnsBeyondTheTotalWidth) {
  ScreenBuffers s;
  PixelRect written = PlotPencil(s, MakeGeometry(18, 192), Pencil(5), 143, 50);
  // Columns 141..143 are bits 0x04, 0x02, 0x01 of byte column 17; rows 48..52.
  for (int row = 47; row <= 53; ++row) {
    std::uint8_t expected = row >= 48 && row <= 52 ? 0x07 : 0x00;
    EXPECT_EQ(s.PixelByte(0, row, 17), expected) << row;
    EXPECT_EQ(s.PixelByte(0, row, 18), 0) << row;
  }
  EXPECT_EQ(written, (PixelRect{141, 48, 144, 53}));
}

TEST(PlotPencil, NeverWritesRowsAtOrBelowDy) {
  ScreenBuffers s;
  PlotPencil(s, MakeGeometry(32, 100), Pencil(5, DrawMode::Or, true), 20, 99);
  EXPECT_EQ(s.PixelByte(0, 99, 2), 0x3E);  // columns 18..22
  EXPECT_EQ(s.PixelByte(0, 97, 2), 0x3E);
  EXPECT_EQ(s.PixelByte(0, 96, 2), 0x00);
  // Column 2 lies in the MLT window: 8x1 cells, so only the written rows 97..99 get attributes.
  EXPECT_EQ(RowsWithAttrs(s, 2, 0x4A, 0x15), (std::vector<int>{97, 98, 99}));
  for (int row = 100; row < kScreenHeight; ++row)
    for (int column = 0; column < kRowBytes; ++column) {
      ASSERT_EQ(s.PixelByte(0, row, column), 0);
      ASSERT_EQ(s.AttrByte(0, row, column), 0);
      ASSERT_EQ(s.AttrByte(1, row, column), 0);
    }
}

TEST(PlotPencil, OutsideTheMltWindowWritesTheWholeEightRowCell) {
  ScreenBuffers s;
  ScreenGeometry g = MakeGeometry(32, 192, AttrMode::Mode8x1, 0, 18);
  PlotPencil(s, g, Pencil(1, DrawMode::Or, true), 20 * 8 + 3, 13);
  PlotPencil(s, g, Pencil(1, DrawMode::Or, true), 5 * 8, 13);
  EXPECT_EQ(RowsWithAttrs(s, 20, 0x4A, 0x15), (std::vector<int>{8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(RowsWithAttrs(s, 5, 0x4A, 0x15), (std::vector<int>{13}));
}

TEST(PlotPencil, InEightByTwoModeWritesTheRowPairOfBothFrames) {
  ScreenBuffers s;
  PlotPencil(s, MakeGeometry(32, 192, AttrMode::Mode8x2), Pencil(1, DrawMode::Or, true, 1), 60, 7);
  EXPECT_EQ(RowsWithAttrs(s, 7, 0x4A, 0x15), (std::vector<int>{6, 7}));
  EXPECT_EQ(SetPixels(s, 1), (std::vector<std::pair<int, int>>{{60, 7}}));
  EXPECT_TRUE(SetPixels(s, 0).empty());
}

TEST(PlotPencil, WithoutAttributeWritesOnlyPixelBitsChange) {
  ScreenBuffers s;
  PlotPencil(s, MakeGeometry(32, 192), Pencil(50), 128, 96);
  for (std::uint8_t b : s.Attrs()) ASSERT_EQ(b, 0);
  EXPECT_EQ(SetPixels(s, 0).size(), 2500u);
  EXPECT_EQ(SetPixels(s, 0).front(), (std::pair<int, int>{103, 71}));
  EXPECT_EQ(SetPixels(s, 0).back(), (std::pair<int, int>{152, 120}));
}

TEST(PlotPencil, XorTwiceRestoresThePixelsButKeepsTheAttributes) {
  ScreenBuffers s;
  s.PixelByte(0, 10, 1) = 0b1010'0101;
  ScreenGeometry g = MakeGeometry(32, 192);
  PlotPencil(s, g, Pencil(3, DrawMode::Xor, true), 9, 10);
  EXPECT_EQ(s.PixelByte(0, 10, 1), 0b0100'0101);  // columns 8..10 inverted
  EXPECT_EQ(s.PixelByte(0, 9, 1), 0b1110'0000);
  PlotPencil(s, g, Pencil(3, DrawMode::Xor, true), 9, 10);
  EXPECT_EQ(s.PixelByte(0, 10, 1), 0b1010'0101);
  EXPECT_EQ(s.PixelByte(0, 9, 1), 0);
  EXPECT_EQ(RowsWithAttrs(s, 1, 0x4A, 0x15), (std::vector<int>{9, 10, 11}));
}

TEST(PlotPencil, ClsClearsTheSquareAcrossAByteBoundary) {
  ScreenBuffers s;
  for (int row = 0; row < 4; ++row) s.PixelByte(0, row, 0) = s.PixelByte(0, row, 1) = 0xFF;
  PixelRect written = PlotPencil(s, MakeGeometry(32, 192), Pencil(4, DrawMode::Cls), 7, 1);
  // Columns 5..8, rows -1..2 of which 0..2 exist.
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(s.PixelByte(0, row, 0), 0xF8) << row;
    EXPECT_EQ(s.PixelByte(0, row, 1), 0x7F) << row;
  }
  EXPECT_EQ(s.PixelByte(0, 3, 0), 0xFF);
  EXPECT_EQ(written, (PixelRect{5, 0, 9, 3}));
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

TEST(PlotPencil, SizeOutOfRangeIsClamped) {
  ScreenBuffers small, big;
  PlotPencil(small, MakeGeometry(32, 192), Pencil(0), 40, 40);
  EXPECT_EQ(SetPixels(small, 0).size(), 1u);
  PlotPencil(big, MakeGeometry(32, 192), Pencil(1000), 128, 96);
  EXPECT_EQ(SetPixels(big, 0).size(), 2500u);
}

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

struct Bitmaps {
  Bitmap24 b[4] = {{256, 192}, {256, 192}, {256, 192}, {256, 192}};
  DisplayBitmaps Views() { return {b[0].View(), b[1].View(), b[2].View(), b[3].View()}; }
};

TEST(RenderTouchedBlocks, GivesTheSameBitmapsAsRenderingAfterEveryPixel) {
  std::mt19937 random(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int trial = 0; trial < 300; ++trial) {
    ScreenGeometry g = MakeGeometry(pick(1, 32), pick(1, 192), static_cast<AttrMode>(pick(0, 1)),
                                    pick(0, 31), pick(1, 18));
    ScreenBuffers batched;
    for (std::uint8_t& b : batched.Pixels()) b = static_cast<std::uint8_t>(random());
    for (std::uint8_t& b : batched.Attrs()) b = static_cast<std::uint8_t>(random());
    ScreenBuffers perPixel = batched;
    PencilOptions o =
        Pencil(pick(1, 50), static_cast<DrawMode>(pick(0, 2)), pick(0, 1), pick(0, 1));
    RenderOptions render{pick(0, 1) != 0, pick(0, 1) != 0};
    Bitmaps expected, actual;
    RenderScreen(batched, g, render, expected.Views());
    RenderScreen(batched, g, render, actual.Views());
    int x = pick(-30, 290), y = pick(-30, 220);

    PlotPixelByPixel(perPixel, g, o, x, y, render, expected.Views());
    RenderTouchedBlocks(batched, g, render, actual.Views(), PlotPencil(batched, g, o, x, y));

    ASSERT_EQ(batched.Pixels(), perPixel.Pixels()) << trial;
    ASSERT_EQ(batched.Attrs(), perPixel.Attrs()) << trial;
    for (int i = 0; i < 4; ++i) ASSERT_EQ(actual.b[i], expected.b[i]) << trial << " bitmap " << i;
  }
}

TEST(RenderTouchedBlocks, LeavesBlocksWithoutWrittenPixelsAlone) {
  ScreenBuffers s;
  ScreenGeometry g = MakeGeometry(32, 192);
  Bitmaps bitmaps;
  for (Bitmap24& b : bitmaps.b) b.Fill(MakeRgb(1, 2, 3));
  RenderTouchedBlocks(s, g, {true, false}, bitmaps.Views(),
                      PlotPencil(s, g, Pencil(2), 16, 8));  // pixels 15..16 x 7..8
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) {
      bool touched = x >= 8 && x < 24 && y < 16;
      EXPECT_EQ(bitmaps.b[0].Pixel(x, y) == MakeRgb(1, 2, 3), !touched) << x << "," << y;
    }
}

TEST(RenderTouchedBlocks, IgnoresRectanglesOutsideTheScreen) {
  ScreenBuffers s;
  Bitmaps bitmaps;
  for (Bitmap24& b : bitmaps.b) b.Fill(MakeRgb(1, 2, 3));
  RenderTouchedBlocks(s, MakeGeometry(32, 192), {true, false}, bitmaps.Views(),
                      PixelRect{-100, -100, -1, 400});
  RenderTouchedBlocks(s, MakeGeometry(32, 192), {true, false}, bitmaps.Views(),
                      PixelRect{256, 0, 900, 192});
  EXPECT_EQ(bitmaps.b[0].Pixel(0, 0), MakeRgb(1, 2, 3));
  EXPECT_EQ(bitmaps.b[0].Pixel(255, 191), MakeRgb(1, 2, 3));
}

}  // namespace
}  // namespace tinto

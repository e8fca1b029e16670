#include "core/model/pencil.h"

#include <random>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::FirstDifference;
using test::MakeGeometry;

PencilOptions Pencil(int size, DrawMode mode = DrawMode::Or, bool attributes = false,
                     FrameIndex frame = 0) {
  return {frame, size, mode, attributes, 0x4A, 0x15};
}

// Size, DX, DY, x, y -> the written rectangle x1, y1, x2, y2. The square starts size / 2 left
// of and above the point; it is cut at DX * 8 and DY; sizes are clamped to 1..50. A square
// missing the picture writes no attribute either (attributes are on only for those).
TEST(PlotPencil, SetsExactlyThePixelsItReports) {
  // clang-format off
  const int cases[][9] = {
      {2, 18, 192, 0, 0, 0, 0, 1, 1},          {5, 18, 192, 143, 50, 141, 48, 144, 53},
      {5, 32, 100, 20, 99, 18, 97, 23, 100},   {4, 32, 192, 7, 1, 5, 0, 9, 3},
      {50, 32, 192, 128, 96, 103, 71, 153, 121}, {1000, 32, 192, 128, 96, 103, 71, 153, 121},
      {0, 32, 192, 40, 40, 40, 40, 41, 41},    {50, 18, 100, INT_MIN, 0, 0, 0, 0, 0},
      {50, 18, 100, INT_MAX, INT_MAX, 0, 0, 0, 0}, {50, 18, 100, 0, INT_MIN, 0, 0, 0, 0},
      {50, 18, 100, -26, 50, 0, 0, 0, 0},      {50, 18, 100, 144 + 25, 50, 0, 0, 0, 0},
      {50, 18, 100, 50, 125, 0, 0, 0, 0}};
  // clang-format on
  for (auto [size, dx, dy, x, y, x1, y1, x2, y2] : cases) {
    SCOPED_TRACE(testing::Message() << "size " << size << " at " << x << "," << y);
    ScreenBuffers s, expected;
    const PixelRect written{x1, y1, x2, y2};
    const PencilOptions pencil = Pencil(size, DrawMode::Or, written.Empty());
    EXPECT_EQ(PlotPencil(s, MakeGeometry(dx, dy), pencil, x, y), written);
    for (int row = y1; row < y2; ++row)
      for (int column = x1; column < x2; ++column) expected.SetPixel(0, column, row);
    EXPECT_EQ(FirstDifference(s, expected), "");
  }
}

// Or, xor, cls on bytes holding `before`: columns 7..9 of rows 0..2 span two bytes, which become
// `left` and `right`; row 3 keeps its bits.
TEST(PlotPencil, DrawModesSetInvertOrClearTheSquare) {
  const int cases[][4] = {{0, 0x00, 0x01, 0xC0}, {1, 0xA5, 0xA4, 0x65}, {2, 0xFF, 0xFE, 0x3F}};
  for (auto [mode, before, left, right] : cases) {
    ScreenBuffers s;
    test::Put(s, {test::Pix(0, 0, 0, before, 4), test::Pix(0, 0, 1, before, 4)});
    PlotPencil(s, MakeGeometry(32, 192), Pencil(3, static_cast<DrawMode>(mode)), 8, 1);
    for (int row = 0; row < 4; ++row) {
      EXPECT_EQ(s.PixelByte(0, row, 0), row < 3 ? left : before) << mode << " " << row;
      EXPECT_EQ(s.PixelByte(0, row, 1), row < 3 ? right : before) << mode << " " << row;
    }
  }
}

// The per-pixel procedure the batched plot must match: each pixel written on its own, its
// cell's attributes written, its block re-rendered.
void PlotPixelByPixel(ScreenBuffers& s, const ScreenGeometry& g, const PencilOptions& o, int x,
                      int y, RenderOptions render, const DisplayBitmaps& bitmaps) {
  const int h = o.size / 2;
  for (int r = std::max(y - h, 0); r < std::min(y - h + o.size, g.DY()); ++r)
    for (int c = std::max(x - h, 0); c < std::min(x - h + o.size, g.WidthPixels()); ++c) {
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

    ASSERT_EQ(FirstDifference(batched, perPixel), "") << trial;
    ASSERT_TRUE(actual.image1 == expected.image1 && actual.image2 == expected.image2 &&
                actual.preview1 == expected.preview1 && actual.preview2 == expected.preview2)
        << trial;
  }
}

// Pixels 15..16 x 7..8 touch the blocks at x 8..23, y 0..15; rectangles off the screen none.
TEST(RenderTouchedBlocks, RendersOnlyBlocksMeetingTheRectangle) {
  const Rgb sentinel = MakeRgb(1, 2, 3);
  ScreenBuffers s;
  DisplayBitmapSet bitmaps(256, 192);
  bitmaps.image1.Fill(sentinel);
  const PixelRect rects[] = {{-100, -100, -1, 400}, {256, 0, 900, 192}, {15, 7, 17, 9}};
  for (PixelRect r : rects)
    RenderTouchedBlocks(s, MakeGeometry(32, 192), {true, false}, bitmaps.Views(), r);
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) {
      bool touched = x >= 8 && x < 24 && y < 16;
      ASSERT_EQ(bitmaps.image1.Pixel(x, y) == sentinel, !touched) << x << "," << y;
    }
}

}  // namespace
}  // namespace tinto

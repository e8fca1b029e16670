#include "core/import/source_picture.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

ScreenGeometry Geometry(int dx, int dy, int mltLeft, int mltWidth) {
  return test::MakeGeometry(dx, dy, AttrMode::Mode8x1, mltLeft, mltWidth);
}

struct FitCase {
  int width, height;
  bool stretch;
  int dx, dy, mltLeft, mltWidth;                    // before
  int expectDx, expectDy, expectLeft, expectWidth;  // after
};

class FitSizeToPictureTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitSizeToPictureTest, SetsSizeFromPictureThenPullsMltWindowIntoDx) {
  const FitCase& c = GetParam();
  const ScreenGeometry fitted =
      FitSizeToPicture(c.width, c.height, c.stretch, Geometry(c.dx, c.dy, c.mltLeft, c.mltWidth));
  EXPECT_EQ(fitted, Geometry(c.expectDx, c.expectDy, c.expectLeft, c.expectWidth));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FitSizeToPictureTest,
    ::testing::Values(FitCase{320, 240, false, 18, 192, 0, 18, 32, 192, 0, 18},
                      FitCase{100, 50, false, 18, 192, 0, 18, 12, 50, 0, 12},
                      FitCase{5, 5, false, 18, 192, 0, 18, 1, 5, 0, 1},
                      FitCase{100, 50, false, 32, 192, 3, 18, 12, 50, 0, 12},
                      FitCase{4000, 3000, false, 5, 10, 14, 18, 32, 192, 14, 18},
                      FitCase{17, 1, false, 18, 192, 1, 4, 2, 1, 0, 2},
                      // With stretch DX and DY are the target size: only the window moves.
                      FitCase{4000, 3000, true, 10, 100, 5, 18, 10, 100, 0, 10},
                      FitCase{5, 5, true, 18, 192, 2, 8, 18, 192, 2, 8},
                      // No picture loaded: nothing changes, not even a window that overhangs.
                      FitCase{0, 0, false, 10, 100, 5, 18, 10, 100, 5, 18}));

TEST(FitSizeToPicture, KeepsTheAttributeMode) {
  ScreenGeometry g = Geometry(18, 192, 0, 18);
  g.SetMode(AttrMode::Mode8x2);
  EXPECT_EQ(FitSizeToPicture(64, 64, false, g).Mode(), AttrMode::Mode8x2);
}

Bitmap24 Numbered(int width, int height) {
  Bitmap24 bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, MakeRgb(x, y, x + y));
  return bitmap;
}

TEST(PrepareSource, WithoutStretchShowsThePictureItselfUncopied) {
  const Bitmap24 picture = Numbered(40, 30);
  Bitmap24 stretched(3, 3);
  const PreparedSource prepared =
      PrepareSource(picture, false, Geometry(2, 5, 0, 2), kResampleFilters[5], stretched);
  EXPECT_TRUE(prepared.status);
  EXPECT_EQ(prepared.bitmap, &picture);
  EXPECT_EQ(stretched.Width(), 3);
}

// A 16 x 4 picture stretched to DX 2 (16 pixels) and DY 4 is scale 1: Triangle copies it.
TEST(PrepareSource, WithStretchResamplesToDxTimesEightByDy) {
  const Bitmap24 picture = Numbered(16, 4);
  Bitmap24 stretched;
  const PreparedSource prepared =
      PrepareSource(picture, true, Geometry(2, 4, 0, 2), kResampleFilters[1], stretched);
  ASSERT_TRUE(prepared.status);
  EXPECT_EQ(prepared.bitmap, &stretched);
  EXPECT_TRUE(stretched == picture);

  ASSERT_TRUE(PrepareSource(picture, true, Geometry(18, 192, 0, 18), kResampleFilters[5], stretched)
                  .status);
  EXPECT_EQ(stretched.Width(), 144);
  EXPECT_EQ(stretched.Height(), 192);
}

TEST(PrepareSource, WithStretchReportsAnEmptyPicture) {
  Bitmap24 stretched;
  const PreparedSource prepared =
      PrepareSource(Bitmap24(), true, Geometry(2, 4, 0, 2), kResampleFilters[5], stretched);
  EXPECT_EQ(prepared.status.Message(), "Source bitmap too small");
  EXPECT_EQ(prepared.bitmap, nullptr);
}

struct ClipCase {
  int left, top, right, bottom;
  int expectWidth, expectHeight;
  int firstX, firstY;  // source pixel that lands at (0, 0)
};

class CropBitmapClipping : public ::testing::TestWithParam<ClipCase> {};

TEST_P(CropBitmapClipping, KeepsOnlyThePartInsideTheBitmap) {
  const ClipCase& c = GetParam();
  const Bitmap24 cropped = CropBitmap(Numbered(20, 10), c.left, c.top, c.right, c.bottom);
  ASSERT_EQ(cropped.Width(), c.expectWidth);
  ASSERT_EQ(cropped.Height(), c.expectHeight);
  if (!cropped.Empty()) {
    EXPECT_EQ(cropped.Pixel(0, 0), MakeRgb(c.firstX, c.firstY, c.firstX + c.firstY));
    const int lastX = c.firstX + c.expectWidth - 1, lastY = c.firstY + c.expectHeight - 1;
    EXPECT_EQ(cropped.Pixel(c.expectWidth - 1, c.expectHeight - 1),
              MakeRgb(lastX, lastY, lastX + lastY));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, CropBitmapClipping,
    ::testing::Values(ClipCase{3, 2, 11, 10, 8, 8, 3, 2},  // right and bottom exclusive
                      ClipCase{-5, -3, 4, 2, 4, 2, 0, 0}, ClipCase{15, 8, 30, 40, 5, 2, 15, 8},
                      ClipCase{INT_MIN, INT_MIN, INT_MAX, INT_MAX, 20, 10, 0, 0},
                      ClipCase{20, 0, 25, 5, 0, 0, 0, 0}, ClipCase{5, 5, 5, 9, 0, 0, 0, 0},
                      ClipCase{9, 4, 2, 8, 0, 0, 0, 0}, ClipCase{-9, -9, -1, -1, 0, 0, 0, 0}));

TEST(CropBitmap, OfAnEmptyBitmapIsEmpty) {
  EXPECT_TRUE(CropBitmap(Bitmap24(), 0, 0, 8, 8).Empty());
}

TEST(PictureFromControl, DividesByTheMagnificationTruncatingTowardZero) {
  EXPECT_EQ(PictureFromControl(25, 19, 3), (PixelPoint{8, 6}));
  EXPECT_EQ(PictureFromControl(-5, 5, 3), (PixelPoint{-1, 1}));
  EXPECT_EQ(PictureFromControl(7, 9, 0), (PixelPoint{7, 9}));
}

TEST(DragRectangle, SpansAnchorAndPointerLimitedToThePicture) {
  EXPECT_EQ(DragRectangle({10, 10}, {4, 30}, 20, 20), (PixelRect{4, 10, 10, 20}));
  EXPECT_EQ(DragRectangle({10, 10}, {-3, -8}, 20, 20), (PixelRect{0, 0, 10, 10}));
  EXPECT_EQ(DragRectangle({2, 3}, {12, 9}, 20, 20), (PixelRect{2, 3, 12, 9}));
}

TEST(IsAcceptableCrop, NeedsEightByEight) {
  EXPECT_FALSE(IsAcceptableCrop({0, 0, 7, 40}));
  EXPECT_FALSE(IsAcceptableCrop({0, 0, 40, 7}));
  EXPECT_TRUE(IsAcceptableCrop({3, 3, 11, 11}));
}

struct MoveCase {
  PixelRect rect;
  int dx, dy;
  PixelRect expected;
};

class MoveCropRectTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveCropRectTest, StopsFlushAtEachEdgeKeepingSize) {
  const MoveCase& c = GetParam();
  EXPECT_EQ(MoveCropRect(c.rect, c.dx, c.dy, 20, 16), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveCropRectTest,
    ::testing::Values(MoveCase{{2, 2, 10, 10}, 3, 4, {5, 6, 13, 14}},
                      // Past the left edge: flush left while the vertical part still follows.
                      MoveCase{{2, 2, 10, 10}, -5, 3, {0, 5, 8, 13}},
                      MoveCase{{2, 2, 10, 10}, 15, -1, {12, 1, 20, 9}},
                      MoveCase{{2, 2, 10, 10}, 0, 30, {2, 8, 10, 16}},
                      MoveCase{{2, 2, 10, 10}, INT_MIN, INT_MAX, {0, 8, 8, 16}}));

TEST(IsOverCropRect, IncludesTheMagnifiedEdges) {
  const PixelRect rect{2, 2, 10, 10};
  EXPECT_TRUE(IsOverCropRect(rect, 4, 4, 2));
  EXPECT_TRUE(IsOverCropRect(rect, 20, 20, 2));
  EXPECT_FALSE(IsOverCropRect(rect, 21, 20, 2));
  EXPECT_FALSE(IsOverCropRect(rect, 3, 10, 2));
}

}  // namespace
}  // namespace tinto

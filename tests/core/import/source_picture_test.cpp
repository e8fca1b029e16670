#include "core/import/source_picture.h"

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

ScreenGeometry Geometry(int dx, int dy, int mltLeft, int mltWidth) {
  return test::MakeGeometry(dx, dy, AttrMode::Mode8x1, mltLeft, mltWidth);
}

// Picture width, height, stretch; DX, DY and window before; the same after. Without stretch the
// size comes from the picture; with stretch only the window moves into DX; with no picture
// nothing changes, not even a window that overhangs. The mode is kept.
TEST(FitSizeToPicture, SetsSizeFromPictureThenPullsMltWindowIntoDx) {
  const int cases[][11] = {
      {320, 240, 0, 18, 192, 0, 18, 32, 192, 0, 18},   {100, 50, 0, 18, 192, 0, 18, 12, 50, 0, 12},
      {5, 5, 0, 18, 192, 0, 18, 1, 5, 0, 1},           {100, 50, 0, 32, 192, 3, 18, 12, 50, 0, 12},
      {4000, 3000, 0, 5, 10, 14, 18, 32, 192, 14, 18}, {17, 1, 0, 18, 192, 1, 4, 2, 1, 0, 2},
      {4000, 3000, 1, 10, 100, 5, 18, 10, 100, 0, 10}, {5, 5, 1, 18, 192, 2, 8, 18, 192, 2, 8},
      {0, 0, 0, 10, 100, 5, 18, 10, 100, 5, 18}};
  for (const auto& c : cases)
    EXPECT_EQ(FitSizeToPicture(c[0], c[1], c[2], Geometry(c[3], c[4], c[5], c[6])),
              Geometry(c[7], c[8], c[9], c[10]))
        << c[0] << "x" << c[1] << " stretch " << c[2];
  ScreenGeometry g = Geometry(18, 192, 0, 18);
  g.SetMode(AttrMode::Mode8x2);
  EXPECT_EQ(FitSizeToPicture(64, 64, false, g).Mode(), AttrMode::Mode8x2);
}

// Pixel (x, y) is (x, y, x + y).
Bitmap24 Numbered(int width, int height) {
  return test::Painted(width, height, [](int x, int y) { return MakeRgb(x, y, x + y); });
}

// Without stretch the picture itself, uncopied; with stretch resampled to DX * 8 by DY (a 16 x 4
// picture at DX 2, DY 4 is scale 1: Triangle copies it); an empty picture is reported.
TEST(PrepareSource, ShowsThePictureOrItsCopyResampledToDxTimesEightByDy) {
  const Bitmap24 picture = Numbered(16, 4);
  Bitmap24 stretched(3, 3);
  PreparedSource prepared =
      PrepareSource(picture, false, Geometry(2, 5, 0, 2), kResampleFilters[5], stretched);
  EXPECT_TRUE(prepared.status);
  EXPECT_EQ(prepared.bitmap, &picture);
  EXPECT_EQ(stretched.Width(), 3);
  prepared = PrepareSource(picture, true, Geometry(2, 4, 0, 2), kResampleFilters[1], stretched);
  ASSERT_TRUE(prepared.status);
  EXPECT_EQ(prepared.bitmap, &stretched);
  EXPECT_TRUE(stretched == picture);
  ASSERT_TRUE(PrepareSource(picture, true, Geometry(18, 192, 0, 18), kResampleFilters[5], stretched)
                  .status);
  EXPECT_EQ(std::pair(stretched.Width(), stretched.Height()), std::pair(144, 192));
  prepared = PrepareSource(Bitmap24(), true, Geometry(2, 4, 0, 2), kResampleFilters[5], stretched);
  EXPECT_EQ(prepared.status.Message(), "Source bitmap too small");
  EXPECT_EQ(prepared.bitmap, nullptr);
}

// Left, top, right (exclusive), bottom -> width, height and the source pixel at (0, 0).
TEST(CropBitmap, KeepsOnlyThePartInsideTheBitmap) {
  const int cases[][8] = {
      {3, 2, 11, 10, 8, 8, 3, 2},   {-5, -3, 4, 2, 4, 2, 0, 0},
      {15, 8, 30, 40, 5, 2, 15, 8}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 20, 10, 0, 0},
      {20, 0, 25, 5, 0, 0, 0, 0},   {5, 5, 5, 9, 0, 0, 0, 0},
      {9, 4, 2, 8, 0, 0, 0, 0},     {-9, -9, -1, -1, 0, 0, 0, 0}};
  for (auto [left, top, right, bottom, width, height, x, y] : cases) {
    SCOPED_TRACE(testing::Message() << left << "," << top << " " << right << "," << bottom);
    const Bitmap24 cropped = CropBitmap(Numbered(20, 10), left, top, right, bottom);
    ASSERT_EQ(std::pair(cropped.Width(), cropped.Height()), std::pair(width, height));
    if (cropped.Empty()) continue;
    EXPECT_EQ(cropped.Pixel(0, 0), MakeRgb(x, y, x + y));
    const int lastX = x + width - 1, lastY = y + height - 1;
    EXPECT_EQ(cropped.Pixel(width - 1, height - 1), MakeRgb(lastX, lastY, lastX + lastY));
  }
  EXPECT_TRUE(CropBitmap(Bitmap24(), 0, 0, 8, 8).Empty());
}

TEST(CropRectangle, FollowsTheDragInsideThePicture) {
  EXPECT_EQ(PictureFromControl(25, 19, 3), (PixelPoint{8, 6}));
  EXPECT_EQ(PictureFromControl(-5, 5, 3), (PixelPoint{-1, 1}));
  EXPECT_EQ(PictureFromControl(7, 9, 0), (PixelPoint{7, 9}));
  EXPECT_EQ(DragRectangle({10, 10}, {4, 30}, 20, 20), (PixelRect{4, 10, 10, 20}));
  EXPECT_EQ(DragRectangle({10, 10}, {-3, -8}, 20, 20), (PixelRect{0, 0, 10, 10}));
  EXPECT_EQ(DragRectangle({2, 3}, {12, 9}, 20, 20), (PixelRect{2, 3, 12, 9}));
  EXPECT_FALSE(IsAcceptableCrop({0, 0, 7, 40}) || IsAcceptableCrop({0, 0, 40, 7}));
  EXPECT_TRUE(IsAcceptableCrop({3, 3, 11, 11}));
  const PixelRect rect{2, 2, 10, 10};
  EXPECT_TRUE(IsOverCropRect(rect, 4, 4, 2) && IsOverCropRect(rect, 20, 20, 2));
  EXPECT_FALSE(IsOverCropRect(rect, 21, 20, 2) || IsOverCropRect(rect, 3, 10, 2));
}

// (2, 2)-(10, 10) on a 20 x 16 picture moved by (dx, dy): flush at each edge it would pass,
// keeping its size, while the other axis still follows.
TEST(MoveCropRect, StopsFlushAtEachEdgeKeepingSize) {
  const int cases[][6] = {{3, 4, 5, 6, 13, 14},
                          {-5, 3, 0, 5, 8, 13},
                          {15, -1, 12, 1, 20, 9},
                          {0, 30, 2, 8, 10, 16},
                          {INT_MIN, INT_MAX, 0, 8, 8, 16}};
  for (auto [dx, dy, left, top, right, bottom] : cases)
    EXPECT_EQ(MoveCropRect({2, 2, 10, 10}, dx, dy, 20, 16), (PixelRect{left, top, right, bottom}))
        << dx << "," << dy;
}

}  // namespace
}  // namespace tinto

// The screen's layout: the MLT window, attribute cells, the block addresses and the grid lines
// drawn over the canvas.

#include "core/model/screen_geometry.h"

#include "core/model/grid_overlay.h"
#include "core/model/model_test_helpers.h"
#include "core/model/preview_viewport.h"
#include "core/model/screen_buffers.h"
#include "support/test_common.h"

namespace tinto {
namespace {

using test::MakeGeometry;

// Mode (1: 8x2), x, y -> the first row and the number of rows of the pixel's byte column that
// take the attributes in both frames, on DX 32 with the MLT window over byte columns 2..4; the
// next column keeps its attributes.
TEST(WriteCellAttributes, WritesTheRowsOfTheCellInBothFrames) {
  const int cases[][5] = {{1, 5, 191, 190, 2},    {1, 16, 12, 12, 2},        {1, 16, 13, 12, 2},
                          {0, 2 * 8, 13, 13, 1},  {0, 4 * 8 + 7, 13, 13, 1}, {0, 5 * 8, 13, 8, 8},
                          {0, 8 + 7, 191, 184, 8}};
  for (auto [mode, x, y, first, count] : cases) {
    ScreenBuffers s, expected;
    WriteCellAttributes(s, MakeGeometry(32, 192, AttrMode(mode), 2, 3), x, y, 0x41, 0x42);
    test::Put(expected,
              {test::Att(0, first, x / 8, 0x41, count), test::Att(1, first, x / 8, 0x42, count)});
    EXPECT_EQ(test::FirstDifference(s, expected), "") << mode << " " << x << "," << y;
  }
}

// A 16 x 10 picture at m = 4 (64 x 40 on screen), scrolled 10 left and 3 up in a 70 x 40
// client area: W = min(70, -10 + 64) = 54, H = min(40, -3 + 40) = 37, and the lines start at
// -10 mod 32 = -10 and -3 mod 32 = -3. The MLT window 1..1 has its edges at 32 and 64, minus 10.
// With the grid off only these red lines remain, and 8x2 mode has none.
TEST(GridOverlayLines, ScrolledImageLinesStartFromTheSignedRemainder) {
  ScreenGeometry g = MakeGeometry(2, 10, AttrMode::Mode8x1, 1, 1);
  // clang-format off
  GridOverlay expected{54, 37, {1, 5, 9, 13, 17, 21, 25, 33, 37},
                       {2, 6, 10, 14, 18, 26, 30, 34, 38, 42, 46, 50}, {29}, {22, 54}, {22, 54}};
  // clang-format on
  EXPECT_EQ(GridOverlayLines({70, 40, -10, -3, 4, true}, g), expected);
  expected.greyRows = expected.greyColumns = expected.whiteRows = expected.whiteColumns = {};
  EXPECT_EQ(GridOverlayLines({70, 40, -10, -3, 4, false}, g), expected);
  g.SetMode(AttrMode::Mode8x2);
  expected.redColumns.clear();
  EXPECT_EQ(GridOverlayLines({70, 40, -10, -3, 4, false}, g), expected);
}

// 8 x 8 at m = 2 (16 x 16 in a 40 x 20 client area) has only cell lines; extreme inputs give
// few lines and no crash.
TEST(GridOverlayLines, SmallMagnificationsAndExtremeInputs) {
  EXPECT_EQ(GridOverlayLines({40, 20, 0, 0, 2, true}, MakeGeometry(1, 8, AttrMode::Mode8x1, 0, 1)),
            (GridOverlay{16, 16, {}, {}, {0, 16}, {0, 16}, {0, 16}}));
  ScreenGeometry g = MakeGeometry(32, 192, AttrMode::Mode8x1, 0, 18);
  GridOverlay big = GridOverlayLines({INT_MAX, INT_MAX, INT_MIN, INT_MIN, 0, true}, g);
  EXPECT_TRUE(big.greyRows.empty());  // m 0 acts as 1
  EXPECT_LT(big.whiteRows.size(), 10000u);
  GridOverlay none = GridOverlayLines({-5, -5, 0, 0, 4, true}, g);
  EXPECT_TRUE(none.whiteRows.empty() && none.redColumns.empty());
}

// Worked by hand: the picture point under the viewport's centre is (centre - position) / shown
// factor; the new position is centre - point × new factor, then the covering or centring rule.
TEST(ZoomAboutCentre, PlacesThePictureByHand) {
  // What, the placement, the new magnification, the viewport -> the new placement.
  const std::tuple<const char*, ImagePlacement, int, Extent, ImagePlacement> cases[] = {
      // 641 - 512 = 129 and 401 - 384 = 17 halve, truncating, to 64 and 8.
      {"smaller than the viewport: centred", {0, 0, 256, 192}, 2, {641, 401}, {64, 8, 512, 384}},
      // Point (128, 96) sits under the centre (300, 200) at factor 4 and stays there at 5.
      {"centre point stays", {-212, -184, 1024, 768}, 5, {600, 400}, {-340, -280, 1280, 960}},
      // Left 300 - 77.5 × 3 = 67.5 would open a gap: 0. Top 200 - 75 × 3 = -25 covers.
      {"gap at the left closes", {-10, -100, 1024, 768}, 3, {600, 400}, {0, -25, 768, 576}},
      // Left 300 - 181 × 3 = -243 ends at 525 < 600: 600 - 768. Top -226 ends at 350: 400 - 576.
      {"gap at the right closes", {-424, -368, 1024, 768}, 3, {600, 400}, {-168, -176, 768, 576}},
      // 1024 fits in 1200 and is centred; 768 does not fit in 300 and covers: 150 - 96 × 4.
      {"each axis by its own rule", {344, -42, 512, 384}, 4, {1200, 300}, {88, -234, 1024, 768}},
      // Left 50 - 25.5 × 3 = -26.5 and top 49 - 25.5 × 3 = -27.5 round to the even neighbour.
      {"half way rounds to even", {-1, -2, 512, 384}, 3, {101, 98}, {-26, -28, 768, 576}},
      {"picture without width left alone", {5, 6, 0, 0}, 3, {600, 400}, {5, 6, 0, 0}},
  };
  for (auto [what, image, magnification, viewport, expected] : cases)
    EXPECT_EQ(ZoomAboutCentre(image, {256, 192}, magnification, viewport), expected) << what;
}

// Position, length, stored position, delta, viewport -> new position.
TEST(PanAxis, MovesWithinTheViewportEdges) {
  const int cases[][6] = {{50, 200, 50, 30, 300, 50},          // smaller picture stays
                          {-100, 1000, -100, 30, 600, -70},    // follows toward positive
                          {-20, 1000, -20, 50, 600, 0},        // stops at the start
                          {-100, 1000, -100, -30, 600, -130},  // follows toward negative
                          {-380, 1000, -380, -50, 600, -400},  // stops at the end
                          {-400, 1000, -400, -10, 600, -400},  // end already at the edge
                          {-100, 1000, -150, 30, 600, -120}};  // moves from the stored position
  for (auto [position, length, stored, delta, viewport, expected] : cases)
    EXPECT_EQ(PanAxis(position, length, stored, delta, viewport), expected) << position << delta;
}

}  // namespace
}  // namespace tinto

#include "core/model/grid_overlay.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using Lines = std::vector<int>;

using test::MakeGeometry;

// A 16 x 10 picture at m = 4 (64 x 40 on screen), scrolled 10 left and 3 up in a 70 x 40
// client area: W = min(70, -10 + 64) = 54, H = min(40, -3 + 40) = 37, and the lines start at
// -10 mod 32 = -10 and -3 mod 32 = -3.
TEST(GridOverlayLines, ScrolledImageLinesStartFromTheSignedRemainder) {
  ScreenGeometry g = MakeGeometry(2, 10, AttrMode::Mode8x1, 1, 1);
  GridOverlay overlay = GridOverlayLines({70, 40, -10, -3, 4, true}, g);
  EXPECT_EQ(overlay.width, 54);
  EXPECT_EQ(overlay.height, 37);
  EXPECT_EQ(overlay.greyRows, (Lines{1, 5, 9, 13, 17, 21, 25, 33, 37}));
  EXPECT_EQ(overlay.greyColumns, (Lines{2, 6, 10, 14, 18, 26, 30, 34, 38, 42, 46, 50}));
  EXPECT_EQ(overlay.whiteRows, (Lines{29}));
  EXPECT_EQ(overlay.whiteColumns, (Lines{22, 54}));
  EXPECT_EQ(overlay.redColumns, (Lines{22, 54}));  // columns 1 and 2 at 32 and 64, minus 10
}

TEST(GridOverlayLines, BelowMagnificationFourOnlyCellLinesAreDrawn) {
  // 8 x 8 at m = 2: 16 x 16 in a 40 x 20 client area.
  ScreenGeometry g = MakeGeometry(1, 8, AttrMode::Mode8x1, 0, 1);
  GridOverlay overlay = GridOverlayLines({40, 20, 0, 0, 2, true}, g);
  EXPECT_EQ(overlay.width, 16);
  EXPECT_EQ(overlay.height, 16);
  EXPECT_TRUE(overlay.greyRows.empty());
  EXPECT_TRUE(overlay.greyColumns.empty());
  EXPECT_EQ(overlay.whiteRows, (Lines{0, 16}));
  EXPECT_EQ(overlay.whiteColumns, (Lines{0, 16}));
  EXPECT_EQ(overlay.redColumns, (Lines{0, 16}));
}

// The first test's picture and client area; 8x2 mode has no MLT window.
TEST(GridOverlayLines, WithTheGridOffOnlyTheMltLinesRemain) {
  GridOverlay expected;
  expected.width = 54;
  expected.height = 37;
  expected.redColumns = {22, 54};
  ScreenGeometry g = MakeGeometry(2, 10, AttrMode::Mode8x1, 1, 1);
  EXPECT_EQ(GridOverlayLines({70, 40, -10, -3, 4, false}, g), expected);
  g.SetMode(AttrMode::Mode8x2);
  expected.redColumns.clear();
  EXPECT_EQ(GridOverlayLines({70, 40, -10, -3, 4, false}, g), expected);
  EXPECT_TRUE(GridOverlayLines({70, 40, -10, -3, 4, true}, g).redColumns.empty());
}

TEST(GridOverlayLines, ExtremeInputsGiveFewLinesAndNoCrash) {
  ScreenGeometry g = MakeGeometry(32, 192, AttrMode::Mode8x1, 0, 18);
  GridOverlay big = GridOverlayLines({INT_MAX, INT_MAX, INT_MIN, INT_MIN, 0, true}, g);
  EXPECT_TRUE(big.greyRows.empty());  // m 0 acts as 1
  EXPECT_LT(big.whiteRows.size(), 10000u);
  GridOverlay none = GridOverlayLines({-5, -5, 0, 0, 4, true}, g);
  EXPECT_TRUE(none.whiteRows.empty());
  EXPECT_TRUE(none.redColumns.empty());
}

}  // namespace
}  // namespace tinto

#include "core/model/pointer_mapping.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

struct MapCase {
  int imageX, imageY, m;
  PixelPoint expected;
};

class PixelFromPointerTest : public ::testing::TestWithParam<MapCase> {};

TEST_P(PixelFromPointerTest, DividesTruncatingTowardZero) {
  const MapCase& c = GetParam();
  EXPECT_EQ(PixelFromPointer(c.imageX, c.imageY, c.m), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Positions, PixelFromPointerTest,
                         ::testing::Values(MapCase{0, 0, 4, {0, 0}}, MapCase{3, 7, 4, {0, 1}},
                                           MapCase{575, 767, 4, {143, 191}},
                                           MapCase{-3, -1, 4, {0, 0}}, MapCase{-4, -9, 4, {-1, -2}},
                                           MapCase{99, 19, 10, {9, 1}}, MapCase{5, 6, 1, {5, 6}},
                                           MapCase{5, 6, 0, {5, 6}},       // m below 1 acts as 1
                                           MapCase{55, 20, 40, {5, 2}}));  // m above 10 acts as 10

struct InsideCase {
  int imageX, imageY;
  bool inside;
};

class PointerOnImageTest : public ::testing::TestWithParam<InsideCase> {};

TEST_P(PointerOnImageTest, AcceptsExactlyTheImagesScreenPixels) {
  ScreenGeometry g;
  g.SetDX(2);  // 16 pixels: 64 screen pixels at m = 4
  g.SetDY(3);  // 12 screen pixels
  EXPECT_EQ(PointerOnImage(GetParam().imageX, GetParam().imageY, g, 4), GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(Edges, PointerOnImageTest,
                         ::testing::Values(InsideCase{0, 0, true}, InsideCase{63, 11, true},
                                           InsideCase{64, 0, false}, InsideCase{0, 12, false},
                                           InsideCase{-1, 5, false}, InsideCase{5, -1, false}));

}  // namespace
}  // namespace tinto

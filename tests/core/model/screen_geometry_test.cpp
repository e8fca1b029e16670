#include "core/model/screen_geometry.h"

#include <gtest/gtest.h>

#include "core/model/model_test_helpers.h"
#include "core/model/screen_buffers.h"

namespace tinto {
namespace {

struct ClampCase {
  int dx, left, width, expectLeft, expectWidth;
};

class ClampMltWindowTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampMltWindowTest, MovesLeftBeforeNarrowing) {
  const ClampCase& c = GetParam();
  EXPECT_EQ(ClampMltWindow({c.left, c.width}, c.dx), (MltWindow{c.expectLeft, c.expectWidth}));
}

INSTANTIATE_TEST_SUITE_P(Examples, ClampMltWindowTest,
                         ::testing::Values(ClampCase{18, 4, 18, 0, 18}, ClampCase{10, 0, 18, 0, 10},
                                           ClampCase{20, 10, 8, 10, 8}, ClampCase{20, 15, 8, 12, 8},
                                           ClampCase{1, 31, 18, 0, 1},
                                           ClampCase{32, 14, 18, 14, 18}));

TEST(ScreenGeometry, SettersClampToTheControlsRanges) {
  ScreenGeometry g;
  g.SetDX(0);
  g.SetDY(500);
  g.SetMltLeft(-3);
  g.SetMltWidth(24);
  EXPECT_EQ(g.DX(), 1);
  EXPECT_EQ(g.DY(), 192);
  EXPECT_EQ(g.MltLeft(), 0);
  EXPECT_EQ(g.MltWidth(), 18);
}

using test::RowsWithAttr;

TEST(WriteCellAttributes, Mode8x2WritesTheRowPair) {
  ScreenBuffers s;
  ScreenGeometry g;
  g.SetMode(AttrMode::Mode8x2);
  WriteCellAttributes(s, g, 5, 191, 0x4A, 0x17);
  EXPECT_EQ(RowsWithAttr(s, 0, 0, 0x4A), (std::vector<int>{190, 191}));
  EXPECT_EQ(RowsWithAttr(s, 1, 0, 0x17), (std::vector<int>{190, 191}));
}

TEST(WriteCellAttributes, Mode8x1InsideWindowWritesOneRowOutsideEight) {
  ScreenBuffers s;
  ScreenGeometry g;
  g.SetDX(32);
  g.SetMltLeft(2);
  g.SetMltWidth(3);
  WriteCellAttributes(s, g, 2 * 8, 13, 0x41, 0x42);      // first window column
  WriteCellAttributes(s, g, 5 * 8 + 7, 13, 0x43, 0x44);  // just right of the window
  WriteCellAttributes(s, g, 8, 13, 0x45, 0x46);          // just left of it
  EXPECT_EQ(RowsWithAttr(s, 0, 2, 0x41), (std::vector<int>{13}));
  EXPECT_EQ(RowsWithAttr(s, 1, 2, 0x42), (std::vector<int>{13}));
  EXPECT_EQ(RowsWithAttr(s, 0, 5, 0x43), (std::vector<int>{8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(RowsWithAttr(s, 1, 1, 0x46), (std::vector<int>{8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST(ScreenBuffers, AddressesFollowTheBlockLayout) {
  ScreenBuffers s;
  s.SetPixel(1, 0, 0);
  s.SetPixel(0, 255, 191);
  EXPECT_EQ(s.Pixels()[6144], 0x80);
  EXPECT_EQ(s.Pixels()[6143], 0x01);
  s.InvertPixel(0, 255, 191);
  EXPECT_EQ(s.Pixels()[6143], 0x00);
  s.SetAttr(1, 9, 2, 0xC7);
  EXPECT_EQ(s.Attrs()[6144 + 2 * 32 + 1], 0xC7);
}

}  // namespace
}  // namespace tinto

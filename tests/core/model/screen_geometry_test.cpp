#include "core/model/screen_geometry.h"

#include <gtest/gtest.h>

#include "core/model/model_test_helpers.h"
#include "core/model/screen_buffers.h"

namespace tinto {
namespace {

using test::MakeGeometry;
using test::RowsWithAttr;

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

struct CellCase {
  AttrMode mode;
  int x, y;
  std::vector<int> rows;  // rows of the pixel's byte column that take the attributes
};

class WriteCellAttributesTest : public ::testing::TestWithParam<CellCase> {};

// DX 32 with the MLT window over byte columns 2..4.
TEST_P(WriteCellAttributesTest, WritesTheRowsOfTheCellInBothFrames) {
  const CellCase& c = GetParam();
  ScreenBuffers s;
  WriteCellAttributes(s, MakeGeometry(32, 192, c.mode, 2, 3), c.x, c.y, 0x41, 0x42);
  EXPECT_EQ(RowsWithAttr(s, 0, c.x / 8, 0x41), c.rows);
  EXPECT_EQ(RowsWithAttr(s, 1, c.x / 8, 0x42), c.rows);
  EXPECT_EQ(RowsWithAttr(s, 0, c.x / 8 + 1, 0x41), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cells, WriteCellAttributesTest,
    ::testing::Values(
        CellCase{AttrMode::Mode8x2, 5, 191, {190, 191}},
        CellCase{AttrMode::Mode8x2, 16, 12, {12, 13}},
        CellCase{AttrMode::Mode8x1, 2 * 8, 13, {13}},  // first window column
        CellCase{AttrMode::Mode8x1, 4 * 8 + 7, 13, {13}},
        CellCase{AttrMode::Mode8x1, 5 * 8, 13, {8, 9, 10, 11, 12, 13, 14, 15}},
        CellCase{AttrMode::Mode8x1, 8 + 7, 191, {184, 185, 186, 187, 188, 189, 190, 191}}));

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

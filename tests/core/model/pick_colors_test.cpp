#include "core/model/pick_colors.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

struct PickCase {
  std::uint8_t attr0, attr1;
  CurrentColors expected;
};

class PickColorsTest : public ::testing::TestWithParam<PickCase> {};

// The picked colours join back into the attributes without bit 7.
TEST_P(PickColorsTest, KeepsColourAndBrightBitsOfBothFrames) {
  ScreenBuffers s;
  s.SetAttr(0, 100, 50, GetParam().attr0);
  s.SetAttr(1, 100, 50, GetParam().attr1);
  const CurrentColors picked = PickColors(s, 100, 50);
  EXPECT_EQ(picked, GetParam().expected);
  EXPECT_EQ(picked.Attr0(), GetParam().attr0 & 0x7F);
  EXPECT_EQ(picked.Attr1(), GetParam().attr1 & 0x7F);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, PickColorsTest,
    ::testing::Values(PickCase{0x7A, 0x00, {0x42, 0x78, 0x00, 0x00}},  // bright, paper 7, ink 2
                      PickCase{0x00, 0xBF, {0x00, 0x00, 0x07, 0x38}},  // bit 7 is dropped
                      PickCase{0x0D, 0xC0, {0x05, 0x08, 0x40, 0x40}}));

TEST(PickColors, ReadsTheCellOfThePixelOnly) {
  ScreenBuffers s;
  s.AttrByte(0, 50, 12) = 0x47;
  s.AttrByte(0, 51, 12) = 0x38;
  EXPECT_EQ(PickColors(s, 96, 50), (CurrentColors{0x47, 0x40, 0, 0}));
  EXPECT_EQ(PickColors(s, 103, 51), (CurrentColors{0x00, 0x38, 0, 0}));
  EXPECT_EQ(PickColors(s, 104, 50), CurrentColors{});
}

TEST(PickColors, MovesPointsOutsideTheScreenToItsEdge) {
  ScreenBuffers s;
  s.AttrByte(0, 0, 0) = 0x01;
  s.AttrByte(1, 191, 31) = 0x08;
  EXPECT_EQ(PickColors(s, -5, -1000).ink1, 0x01);
  EXPECT_EQ(PickColors(s, 256, 192).paper2, 0x08);
}

}  // namespace
}  // namespace tinto

#include "core/import/dither.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>

namespace tinto {
namespace {

TEST(DitherMatrix, HoldsEveryValueFromOneTo64OnceIndexedByColumnThenRow) {
  std::set<int> values;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) values.insert(DitherMatrix(x, y));
  EXPECT_EQ(values.size(), 64u);
  EXPECT_EQ(*values.begin(), 1);
  EXPECT_EQ(*values.rbegin(), 64);
  EXPECT_EQ(DitherMatrix(0, 1), 55);
  EXPECT_EQ(DitherMatrix(1, 0), 39);
  EXPECT_EQ(DitherMatrix(4, 6), 1);
  EXPECT_EQ(DitherMatrix(4, 3), 64);
  EXPECT_EQ(DitherMatrix(7, 7), 31);
}

TEST(DitherPatterns, PatternRHas65MinusRPixelsOn) {
  DitherPatterns patterns;
  EXPECT_EQ(std::popcount(patterns[0]), 64);
  for (int r = 1; r <= 64; ++r) EXPECT_EQ(std::popcount(patterns[r]), 65 - r) << r;
  EXPECT_EQ(patterns[65], 0u);
}

TEST(DitherPatterns, LastRampPatternIsOnlyTheCellWithM64) {
  DitherPatterns patterns;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(patterns.On(64, x, y), x == 4 && y == 3);
  EXPECT_FALSE(patterns.On(2, 4, 6));  // M = 1
  EXPECT_TRUE(patterns.On(2, 0, 2));   // M = 2
}

struct RampCase {
  int value, threshold, step, expected;
};

class RampCountTest : public ::testing::TestWithParam<RampCase> {};

TEST_P(RampCountTest, CountsStepsOfTheRampAtOrBelowTheValue) {
  const RampCase& c = GetParam();
  EXPECT_EQ(RampCount(c.value, c.threshold, c.step), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ramps, RampCountTest,
    ::testing::Values(RampCase{100, 100, 0, 64}, RampCase{99, 100, 0, 0},  // hard threshold
                      RampCase{0, 128, 4, 0}, RampCase{128, 128, 4, 32}, RampCase{255, 128, 4, 63},
                      RampCase{4, 128, 4, 1},     // only i = -31
                      RampCase{3, 128, 4, 0},     // 128 - 124 = 4 > 3
                      RampCase{131, 128, 4, 32},  // i = 1 needs 132
                      RampCase{255, 0, 1, 64}, RampCase{0, 255, 1, 0}, RampCase{97, 100, 1, 29}));

}  // namespace
}  // namespace tinto

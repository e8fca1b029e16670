// The building blocks of the dithered conversion: the dither matrix and its patterns, the ramp,
// the choice of a cell's ink and paper and the split of colour numbers between them.

#include "core/import/dither.h"

#include <bit>
#include <cstdlib>
#include <set>

#include "core/import/cell_colors.h"
#include "core/import/ink_split_table.h"
#include "support/test_common.h"

namespace tinto {
namespace {

// M is indexed by column, then row; pattern r has 65 - r pixels on, pattern 64 only M = 64.
TEST(DitherPatterns, HoldEveryMatrixValueOnceAndLightPixelsWithMAtLeastR) {
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
  DitherPatterns patterns;
  EXPECT_EQ(std::popcount(patterns[0]), 64);
  for (int r = 1; r <= 64; ++r) EXPECT_EQ(std::popcount(patterns[r]), 65 - r) << r;
  EXPECT_EQ(patterns[65], 0u);
  EXPECT_EQ(patterns[64], DitherPattern{1} << PatternBit(4, 3));
  EXPECT_FALSE(patterns.On(2, 4, 6));  // M = 1
  EXPECT_TRUE(patterns.On(2, 0, 2));   // M = 2
}

// Value, threshold, step -> how many i of -31..32 have threshold + step * i <= value: step 0 is a
// hard threshold; at step 4 from 128, 4 meets only i = -31, 3 is below 128 - 124 = 4 and 131
// below the 132 of i = 1.
TEST(RampCount, CountsStepsOfTheRampAtOrBelowTheValue) {
  const int cases[][4] = {{100, 100, 0, 64}, {99, 100, 0, 0}, {0, 128, 4, 0},  {128, 128, 4, 32},
                          {255, 128, 4, 63}, {4, 128, 4, 1},  {3, 128, 4, 0},  {131, 128, 4, 32},
                          {255, 0, 1, 64},   {0, 255, 1, 0},  {97, 100, 1, 29}};
  for (auto [value, threshold, step, expected] : cases)
    EXPECT_EQ(RampCount(value, threshold, step), expected)
        << value << " " << threshold << " " << step;
}

// Counts of colours 0..7 -> ink, paper: paper is the lowest most common colour, ink the highest
// next one. An 8x8 block of one colour gets ink 7 on papers 0..3 and ink 0 on 4..7.
TEST(ChooseCellColors, PaperIsLowestMostCommonInkHighestNext) {
  const std::tuple<ColorCounts, int, int, int> cases[] = {
      {{3, 3, 2, 0, 0, 0, 0, 0}, 1, 0, 1},  {{0, 0, 0, 0, 0, 0, 0, 8}, 6, 7, 0},
      {{8, 0, 0, 0, 0, 0, 0, 0}, 7, 0, 7},  {{0, 0, 0, 0, 0, 0, 16, 0}, 7, 6, 0},
      {{2, 2, 2, 2, 0, 0, 0, 0}, 3, 0, 3},  {{0, 4, 0, 4, 0, 0, 0, 0}, 3, 1, 3},
      {{0, 0, 0, 5, 0, 1, 1, 1}, 7, 3, 7},  {{1, 0, 2, 0, 0, 0, 0, 5}, 2, 7, 2},
      {{0, 0, 0, 64, 0, 0, 0, 0}, 7, 3, 7}, {{0, 0, 0, 0, 64, 0, 0, 0}, 7, 4, 0},
      {{0, 1, 0, 0, 0, 63, 0, 0}, 1, 5, 1}};
  for (const auto& [counts, ink, paper, blockInk] : cases) {
    EXPECT_EQ(ChooseCellColors(counts), (CellColors{ink, paper})) << ink << "," << paper;
    EXPECT_EQ(ChooseBlockColors(counts), (CellColors{blockInk, paper}));
  }
}

// Colour c is on the ink side when nearer the ink than the paper, halfway going to the paper,
// except for three entries: paper 1 / ink 7 splits at 4 (rule: 5), 3 / 7 at 5 (rule: 6), 4 / 0
// at 2 (rule: 1).
TEST(InkSplitTable, NearerNumberWinsAndHalfwayGoesToThePaperBarThreeEntries) {
  for (int paper = 0; paper < 8; ++paper)
    for (int ink = 0; ink < 8; ++ink) {
      if (paper == ink) continue;
      for (int color = 0; color < 8; ++color) {
        bool onInkSide = std::abs(color - ink) < std::abs(color - paper);
        if (paper == 1 && ink == 7) onInkSide = color >= 4;
        if (paper == 3 && ink == 7) onInkSide = color >= 5;
        if (paper == 4 && ink == 0) onInkSide = color <= 2;
        EXPECT_EQ((InkSideMask(paper, ink) >> color) & 1, onInkSide)
            << "paper " << paper << " ink " << ink << " colour " << color;
      }
    }
  EXPECT_EQ(InkSplitTable(1, 7), 4);
  EXPECT_EQ(InkSplitTable(3, 7), 5);
  EXPECT_EQ(InkSplitTable(4, 0), 2);
}

}  // namespace
}  // namespace tinto

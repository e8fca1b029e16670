#include "core/import/cell_colors.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

struct ChoiceCase {
  ColorCounts counts;
  CellColors expected;  // ink, paper
};

class ChooseCellColorsTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseCellColorsTest, PaperIsLowestMostCommonInkHighestNext) {
  EXPECT_EQ(ChooseCellColors(GetParam().counts), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ChooseCellColorsTest,
    ::testing::Values(ChoiceCase{{3, 3, 2, 0, 0, 0, 0, 0}, {1, 0}},
                      ChoiceCase{{0, 0, 0, 0, 0, 0, 0, 8}, {6, 7}},   // one-coloured white row
                      ChoiceCase{{8, 0, 0, 0, 0, 0, 0, 0}, {7, 0}},   // one-coloured black row
                      ChoiceCase{{0, 0, 0, 0, 0, 0, 16, 0}, {7, 6}},  // 8x2 cell of yellow
                      ChoiceCase{{2, 2, 2, 2, 0, 0, 0, 0}, {3, 0}},
                      ChoiceCase{{0, 4, 0, 4, 0, 0, 0, 0}, {3, 1}},
                      ChoiceCase{{0, 0, 0, 5, 0, 1, 1, 1}, {7, 3}},
                      ChoiceCase{{1, 0, 2, 0, 0, 0, 0, 5}, {2, 7}}));

TEST(ChooseBlockColors, OneColouredBlockGetsContrastingInk) {
  for (int color = 0; color < 8; ++color) {
    ColorCounts counts;
    counts.Set(color, 64);
    EXPECT_EQ(ChooseBlockColors(counts), (CellColors{color <= 3 ? 7 : 0, color})) << color;
  }
}

TEST(ChooseBlockColors, MixedBlockUsesTheGeneralChoice) {
  ColorCounts counts{0, 1, 0, 0, 0, 63};
  EXPECT_EQ(ChooseBlockColors(counts), (CellColors{1, 5}));
}

}  // namespace
}  // namespace tinto

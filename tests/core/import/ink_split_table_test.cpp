#include "core/import/ink_split_table.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tinto {
namespace {

bool IsException(int paper, int ink) {
  return (paper == 1 && ink == 7) || (paper == 3 && ink == 7) || (paper == 4 && ink == 0);
}

bool OnInkSide(int paper, int ink, int color) { return (InkSideMask(paper, ink) >> color) & 1; }

TEST(InkSplitTable, NearerNumberWinsAndHalfwayGoesToThePaper) {
  for (int paper = 0; paper < 8; ++paper)
    for (int ink = 0; ink < 8; ++ink) {
      if (paper == ink || IsException(paper, ink)) continue;
      for (int color = 0; color < 8; ++color)
        EXPECT_EQ(OnInkSide(paper, ink, color), std::abs(color - ink) < std::abs(color - paper))
            << "paper " << paper << " ink " << ink << " colour " << color;
    }
}

struct ExceptionCase {
  int paper, ink, split, lastPaperColor, firstInkColor;
};

class InkSplitExceptionTest : public ::testing::TestWithParam<ExceptionCase> {};

TEST_P(InkSplitExceptionTest, DepartsFromTheNearerRule) {
  const ExceptionCase& c = GetParam();
  EXPECT_EQ(InkSplitTable(c.paper, c.ink), c.split);
  EXPECT_FALSE(OnInkSide(c.paper, c.ink, c.lastPaperColor));
  EXPECT_TRUE(OnInkSide(c.paper, c.ink, c.firstInkColor));
}

INSTANTIATE_TEST_SUITE_P(Exceptions, InkSplitExceptionTest,
                         ::testing::Values(ExceptionCase{1, 7, 4, 3, 4},    // rule: >= 5
                                           ExceptionCase{3, 7, 5, 4, 5},    // rule: >= 6
                                           ExceptionCase{4, 0, 2, 3, 2}));  // rule: <= 1

TEST(InkSplitTable, PaperColourIsNeverInkAndInkColourAlwaysIs) {
  for (int paper = 0; paper < 8; ++paper)
    for (int ink = 0; ink < 8; ++ink) {
      if (paper == ink) continue;
      EXPECT_FALSE(OnInkSide(paper, ink, paper));
      EXPECT_TRUE(OnInkSide(paper, ink, ink));
    }
}

}  // namespace
}  // namespace tinto

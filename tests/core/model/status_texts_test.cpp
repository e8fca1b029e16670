#include "core/model/status_texts.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

struct CoordinateCase {
  PixelPoint pixel;
  CoordinateTexts expected;
};

class PointerCoordinateTextsTest : public ::testing::TestWithParam<CoordinateCase> {};

TEST_P(PointerCoordinateTextsTest, ShowPixelAndCellTruncatingTowardZero) {
  EXPECT_EQ(PointerCoordinateTexts(GetParam().pixel), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, PointerCoordinateTextsTest,
    ::testing::Values(CoordinateCase{{0, 0}, {"X: 0", "Y: 0", "XA: 0", "YA: 0"}},
                      CoordinateCase{{143, 99}, {"X: 143", "Y: 99", "XA: 17", "YA: 12"}},
                      CoordinateCase{{-5, -9}, {"X: -5", "Y: -9", "XA: 0", "YA: -1"}},
                      CoordinateCase{{300, 191}, {"X: 300", "Y: 191", "XA: 37", "YA: 23"}}));

TEST(PointerColorTexts, NameTheInkAndPaperOfTheEditedFramesAttribute) {
  ScreenBuffers s;
  s.SetAttr(0, 100, 50, 0x7A);  // bright, paper white, ink red
  s.SetAttr(1, 100, 50, 0x0D);  // paper blue, ink cyan
  EXPECT_EQ(PointerColorTexts(s, 0, {100, 50}), (ColorTexts{"Ink: Br.Red", "Pap: Br.Wht"}));
  EXPECT_EQ(PointerColorTexts(s, 1, {100, 50}), (ColorTexts{"Ink: Cyn", "Pap: Blu"}));
  EXPECT_EQ(PointerColorTexts(s, 0, {100, 51}), (ColorTexts{"Ink: Blk", "Pap: Blk"}));
}

TEST(PointerColorTexts, NothingOutsideTheScreen) {
  ScreenBuffers s;
  EXPECT_FALSE(PointerColorTexts(s, 0, {-1, 0}).has_value());
  EXPECT_FALSE(PointerColorTexts(s, 0, {256, 0}).has_value());
  EXPECT_FALSE(PointerColorTexts(s, 1, {0, 192}).has_value());
  EXPECT_FALSE(PointerColorTexts(s, 2, {0, 0}).has_value());
}

struct ShowCase {
  bool inside, buttonDown;
  PointerMode mode;
  bool expected;
};

class StatusShowsColorsTest : public ::testing::TestWithParam<ShowCase> {};

TEST_P(StatusShowsColorsTest, OnlyInsideAndNotWhileASelectionIsDrawnOrDragged) {
  const ShowCase& c = GetParam();
  EXPECT_EQ(StatusShowsColors(c.inside, c.buttonDown, c.mode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StatusShowsColorsTest,
                         ::testing::Values(ShowCase{false, false, PointerMode::Pencil, false},
                                           ShowCase{true, false, PointerMode::Cross, true},
                                           ShowCase{true, true, PointerMode::Pencil, true},
                                           ShowCase{true, true, PointerMode::Pick, true},
                                           ShowCase{true, true, PointerMode::Cross, false},
                                           ShowCase{true, true, PointerMode::Move, false},
                                           ShowCase{true, true, PointerMode::MoveSel, false}));

}  // namespace
}  // namespace tinto

#include "core/model/selection.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::MakeGeometry;

// A released marquee from (x1, y1) to (x2, y2), drawn without modifiers.
SelectionState Selected(int x1, int y1, int x2, int y2, const ScreenGeometry& g) {
  SelectionState s;
  s.MarqueePress({x1, y1}, 0);
  s.MarqueeMove({x2, y2}, 0, g);
  s.Release();
  return s;
}

TEST(SelectionState, PressStartsAMarqueeAtThePixelOrWithShiftAtItsCellCorner) {
  SelectionState s;
  s.MarqueePress({13, 21}, 0);
  EXPECT_EQ(s.Current(), (SelectionRecord{true, 13, 21, 13, 21}));
  s.MarqueePress({13, 21}, kShiftHeld);
  EXPECT_EQ(s.Current(), (SelectionRecord{true, 8, 16, 8, 16}));
}

struct MarqueeCase {
  PixelPoint press, move;
  ModifierState modifiers;
  SelectionRecord expected;  // after the move, before release
};

class MarqueeMoveTest : public ::testing::TestWithParam<MarqueeCase> {};

TEST_P(MarqueeMoveTest, SecondCornerFollowsTheClampedPixel) {
  const MarqueeCase& c = GetParam();
  SelectionState s;
  s.MarqueePress(c.press, c.modifiers);
  EXPECT_TRUE(s.MarqueeMove(c.move, c.modifiers, MakeGeometry(32, 100)));
  EXPECT_EQ(s.Current(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarqueeMoveTest,
    ::testing::Values(MarqueeCase{{10, 10}, {40, 30}, 0, {true, 10, 10, 40, 30}},
                      MarqueeCase{{10, 10}, {-7, -1}, 0, {true, 10, 10, 0, 0}},
                      MarqueeCase{{10, 10}, {300, 150}, 0, {true, 10, 10, 256, 100}},
                      // Shift up to the right edge of a 32-column picture ends at 256, not at 0.
                      MarqueeCase{{100, 50}, {300, 60}, kShiftHeld, {true, 96, 48, 256, 56}},
                      MarqueeCase{{100, 50}, {255, 99}, kShiftHeld, {true, 96, 48, 248, 96}},
                      MarqueeCase{
                          {100, 50}, {INT_MIN, INT_MAX}, kShiftHeld, {true, 96, 48, 0, 96}}));

TEST(SelectionState, MovesNeedTheirPressAndAMarqueeNeedsNoCtrlOrDrag) {
  ScreenGeometry g = MakeGeometry(32, 192);
  SelectionState none;
  EXPECT_FALSE(none.MarqueeMove({5, 5}, 0, g));
  EXPECT_EQ(none.DragPress({5, 5}, 0, true), DragPressResult::Ignored);
  EXPECT_FALSE(none.DragMove({5, 5}, 0, g));
  EXPECT_EQ(none.Current(), SelectionRecord{});
  EXPECT_FALSE(none.Dragging() || none.Floating().active);

  SelectionState s;
  s.MarqueePress({10, 10}, 0);
  EXPECT_FALSE(s.MarqueeMove({20, 20}, kCtrlHeld, g));
  EXPECT_EQ(s.Current(), (SelectionRecord{true, 10, 10, 10, 10}));

  SelectionState dragging = Selected(10, 10, 20, 20, g);
  dragging.DragPress({15, 15}, 0, false);
  EXPECT_FALSE(dragging.MarqueeMove({50, 50}, 0, g));
  EXPECT_EQ(dragging.Current(), (SelectionRecord{true, 10, 10, 20, 20}));
}

// Corners normalised; no width or no height (a plain click among them) drops the marquee.
TEST(SelectionState, ReleaseNormalisesOrDropsTheMarquee) {
  ScreenGeometry g = MakeGeometry(32, 192);
  EXPECT_EQ(Selected(40, 30, 10, 5, g).Current(), (SelectionRecord{true, 10, 5, 40, 30}));
  EXPECT_FALSE(Selected(10, 10, 10, 10, g).Current().active);
  EXPECT_FALSE(Selected(10, 10, 30, 10, g).Current().active);
  EXPECT_FALSE(Selected(10, 10, 10, 30, g).Current().active);
}

TEST(SelectionState, MovePressLiftsAFloatingCopyOnlyOnce) {
  ScreenGeometry g = MakeGeometry(32, 192);
  SelectionState s = Selected(10, 10, 20, 20, g);
  EXPECT_EQ(s.DragPress({15, 15}, 0, false), DragPressResult::Started);
  EXPECT_FALSE(s.Floating().active);
  EXPECT_EQ(s.DragPress({15, 15}, 0, true), DragPressResult::Lifted);
  EXPECT_EQ(s.Floating(), (SelectionRecord{true, 10, 10, 20, 20}));
  s.DragMove({25, 15}, 0, g);
  EXPECT_EQ(s.DragPress({25, 15}, 0, true), DragPressResult::Started);
  EXPECT_EQ(s.Floating(), (SelectionRecord{true, 10, 10, 20, 20}));
  EXPECT_EQ(s.DragStart(), (SelectionRecord{true, 20, 10, 30, 20}));
}

struct DragCase {
  PixelPoint to;
  ModifierState modifiers;
  SelectionRecord expected;
};

class DragMoveTest : public ::testing::TestWithParam<DragCase> {};

// Picture 80 x 50; selection (10, 10)-(30, 20), 20 by 10, dragged from (15, 15).
TEST_P(DragMoveTest, ShiftsByThePointerOffsetPinnedToThePicture) {
  ScreenGeometry g = MakeGeometry(10, 50);
  SelectionState s = Selected(10, 10, 30, 20, g);
  s.DragPress({15, 15}, 0, false);
  EXPECT_TRUE(s.DragMove(GetParam().to, GetParam().modifiers, g));
  EXPECT_EQ(s.Current(), GetParam().expected);
  EXPECT_TRUE(s.Dragging());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DragMoveTest,
    ::testing::Values(DragCase{{20, 18}, 0, {true, 15, 13, 35, 23}},
                      DragCase{{0, 30}, 0, {true, 0, 25, 20, 35}},      // past the left edge
                      DragCase{{30, 0}, 0, {true, 25, 0, 45, 10}},      // past the top edge
                      DragCase{{-500, -500}, 0, {true, 0, 0, 20, 10}},  // past both
                      DragCase{{200, 15}, 0, {true, 60, 10, 80, 20}},   // past the right edge
                      DragCase{{15, 200}, 0, {true, 10, 40, 30, 50}},   // past the bottom
                      DragCase{{65, 45}, 0, {true, 60, 40, 80, 50}},    // exactly onto both
                      DragCase{{INT_MAX, INT_MAX}, 0, {true, 60, 40, 80, 50}},
                      DragCase{{22, 17}, kShiftHeld, {true, 16, 8, 32, 16}},
                      DragCase{{200, 200}, kShiftHeld, {true, 56, 40, 80, 48}}));

TEST(SelectionState, ShiftPressSnapsTheDragOrigin) {
  ScreenGeometry g = MakeGeometry(32, 192);
  SelectionState s = Selected(10, 10, 30, 20, g);
  s.DragPress({15, 13}, kShiftHeld, false);  // origin (8, 8)
  s.DragMove({20, 20}, 0, g);
  EXPECT_EQ(s.Current(), (SelectionRecord{true, 22, 22, 42, 32}));
}

TEST(SelectionState, ADragThatCollapsesToAPointEndsSelectionAndDrag) {
  ScreenGeometry g = MakeGeometry(32, 192);
  SelectionState s;
  s.MarqueePress({5, 5}, 0);  // still pressed: a point
  s.DragPress({5, 5}, 0, false);
  s.DragMove({7, 9}, 0, g);
  EXPECT_EQ(s.Current(), (SelectionRecord{false, 7, 9, 7, 9}));
  EXPECT_FALSE(s.Dragging());
  EXPECT_FALSE(s.DragMove({8, 9}, 0, g));
}

TEST(SelectionState, ShiftSnappingCanNarrowASelectionToNothingUntilRelease) {
  ScreenGeometry g = MakeGeometry(32, 192);
  SelectionState s = Selected(10, 10, 13, 20, g);
  s.DragPress({11, 11}, 0, false);
  s.DragMove({11, 11}, kShiftHeld, g);  // (10, 10, 13, 20) snaps to (8, 8, 8, 16)
  EXPECT_EQ(s.Current(), (SelectionRecord{true, 8, 8, 8, 16}));
  s.Release();
  EXPECT_FALSE(s.Current().active);
}

TEST(SelectionState, ReleaseEndsTheDragAndHandsOverTheFloatingCopyOnce) {
  ScreenGeometry g = MakeGeometry(32, 192);
  SelectionState s = Selected(10, 10, 30, 20, g);
  s.DragPress({15, 15}, 0, true);
  s.DragMove({25, 15}, 0, g);
  std::optional<SelectionRecord> floating = s.Release();
  ASSERT_TRUE(floating.has_value());
  EXPECT_EQ(*floating, (SelectionRecord{true, 10, 10, 30, 20}));
  EXPECT_EQ(s.Current(), (SelectionRecord{true, 20, 10, 40, 20}));
  EXPECT_FALSE(s.Dragging());
  EXPECT_FALSE(s.Floating().active);
  EXPECT_FALSE(s.Release().has_value());
}

TEST(SelectionState, MarqueePressClearsTheDragButKeepsAFloatingCopy) {
  ScreenGeometry g = MakeGeometry(32, 192);
  SelectionState s = Selected(10, 10, 30, 20, g);
  s.DragPress({15, 15}, 0, true);
  s.MarqueePress({50, 50}, 0);
  EXPECT_FALSE(s.Dragging());
  EXPECT_TRUE(s.Floating().active);
}

}  // namespace
}  // namespace tinto

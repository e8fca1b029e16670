#include "core/model/selection.h"

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::MakeGeometry;
using Rect = SelectionRecord;

const ScreenGeometry kFullScreen = MakeGeometry(32, 192);

// A released marquee from (x1, y1) to (x2, y2), drawn without modifiers.
SelectionState Selected(int x1, int y1, int x2, int y2, const ScreenGeometry& g = kFullScreen) {
  SelectionState s;
  s.MarqueePress({x1, y1}, 0);
  s.MarqueeMove({x2, y2}, 0, g);
  s.Release();
  return s;
}

// Press x, y, move x, y, Shift -> the marquee before release on a 256 x 100 picture: corners
// clamped to the picture, with Shift snapped to cells, up to the right edge 256 rather than 0.
TEST(SelectionState, MarqueeCornersFollowTheClampedPixel) {
  const int cases[][9] = {
      {10, 10, 40, 30, 0, 10, 10, 40, 30},     {10, 10, -7, -1, 0, 10, 10, 0, 0},
      {10, 10, 300, 150, 0, 10, 10, 256, 100}, {100, 50, 300, 60, 1, 96, 48, 256, 56},
      {100, 50, 255, 99, 1, 96, 48, 248, 96},  {100, 50, INT_MIN, INT_MAX, 1, 96, 48, 0, 96}};
  for (auto [pressX, pressY, x, y, shift, x1, y1, x2, y2] : cases) {
    SelectionState s;
    s.MarqueePress({pressX, pressY}, shift ? kShiftHeld : 0);
    EXPECT_TRUE(s.MarqueeMove({x, y}, shift ? kShiftHeld : 0, MakeGeometry(32, 100)));
    EXPECT_EQ(s.Current(), (Rect{true, x1, y1, x2, y2})) << x << "," << y;
  }
  // Released: corners normalised; no width or no height (a plain click among them) drops it.
  EXPECT_EQ(Selected(40, 30, 10, 5).Current(), (Rect{true, 10, 5, 40, 30}));
  for (auto [x, y] : test::Points{{10, 10}, {30, 10}, {10, 30}})
    EXPECT_FALSE(Selected(10, 10, x, y).Current().active) << x << "," << y;
}

TEST(SelectionState, MovesNeedTheirPressAndAMarqueeNeedsNoCtrlOrDrag) {
  SelectionState none;
  EXPECT_FALSE(none.MarqueeMove({5, 5}, 0, kFullScreen));
  EXPECT_EQ(none.DragPress({5, 5}, 0, true), DragPressResult::Ignored);
  EXPECT_FALSE(none.DragMove({5, 5}, 0, kFullScreen));
  EXPECT_EQ(none.Current(), Rect{});
  EXPECT_FALSE(none.Dragging() || none.Floating().active);
  SelectionState s;
  s.MarqueePress({10, 10}, 0);
  EXPECT_FALSE(s.MarqueeMove({20, 20}, kCtrlHeld, kFullScreen));
  EXPECT_EQ(s.Current(), (Rect{true, 10, 10, 10, 10}));
  s = Selected(10, 10, 20, 20);
  s.DragPress({15, 15}, 0, false);
  EXPECT_FALSE(s.MarqueeMove({50, 50}, 0, kFullScreen));
  EXPECT_EQ(s.Current(), (Rect{true, 10, 10, 20, 20}));
}

// Picture 80 x 50; selection (10, 10)-(30, 20), 20 by 10, pressed at (15, 15), with Shift at its
// cell corner (8, 8). Press Shift, move x, y, Shift -> the selection, pinned to the picture.
TEST(SelectionState, DragShiftsByThePointerOffsetPinnedToThePicture) {
  const int cases[][8] = {{0, 20, 18, 0, 15, 13, 35, 23},  {0, 0, 30, 0, 0, 25, 20, 35},
                          {0, 30, 0, 0, 25, 0, 45, 10},    {0, -500, -500, 0, 0, 0, 20, 10},
                          {0, 200, 15, 0, 60, 10, 80, 20}, {0, 15, 200, 0, 10, 40, 30, 50},
                          {0, 65, 45, 0, 60, 40, 80, 50},  {0, INT_MAX, INT_MAX, 0, 60, 40, 80, 50},
                          {0, 22, 17, 1, 16, 8, 32, 16},   {0, 200, 200, 1, 56, 40, 80, 48},
                          {1, 20, 20, 0, 22, 22, 42, 32}};
  const ScreenGeometry g = MakeGeometry(10, 50);
  for (auto [pressShift, x, y, shift, x1, y1, x2, y2] : cases) {
    SelectionState s = Selected(10, 10, 30, 20, g);
    s.DragPress({15, 15}, pressShift ? kShiftHeld : 0, false);
    EXPECT_TRUE(s.DragMove({x, y}, shift ? kShiftHeld : 0, g));
    EXPECT_EQ(s.Current(), (Rect{true, x1, y1, x2, y2})) << x << "," << y;
    EXPECT_TRUE(s.Dragging());
  }
}

// Lifted once per floating copy, handed over once on release; a new marquee ends the drag (a
// Shift press starting at the cell corner) but keeps the copy.
TEST(SelectionState, MovePressLiftsAFloatingCopyThatReleaseHandsOverOnce) {
  SelectionState s = Selected(10, 10, 20, 20);
  EXPECT_EQ(s.DragPress({15, 15}, 0, false), DragPressResult::Started);
  EXPECT_FALSE(s.Floating().active);
  EXPECT_EQ(s.DragPress({15, 15}, 0, true), DragPressResult::Lifted);
  s.DragMove({25, 15}, 0, kFullScreen);
  EXPECT_EQ(s.DragPress({25, 15}, 0, true), DragPressResult::Started);
  EXPECT_EQ(s.Floating(), (Rect{true, 10, 10, 20, 20}));
  EXPECT_EQ(s.DragStart(), (Rect{true, 20, 10, 30, 20}));
  s.DragMove({35, 15}, 0, kFullScreen);
  EXPECT_EQ(s.Release(), (Rect{true, 10, 10, 20, 20}));
  EXPECT_EQ(s.Current(), (Rect{true, 30, 10, 40, 20}));
  EXPECT_FALSE(s.Dragging() || s.Floating().active);
  EXPECT_FALSE(s.Release().has_value());
  s.DragPress({35, 15}, 0, true);
  s.MarqueePress({13, 21}, kShiftHeld);
  EXPECT_EQ(s.Current(), (Rect{true, 8, 16, 8, 16}));
  EXPECT_FALSE(s.Dragging());
  EXPECT_TRUE(s.Floating().active);
}

// A drag of a still-pressed point ends selection and drag; Shift snapping can narrow a
// selection to nothing, which release then drops.
TEST(SelectionState, DegenerateDragsEndTheSelection) {
  SelectionState s;
  s.MarqueePress({5, 5}, 0);
  s.DragPress({5, 5}, 0, false);
  s.DragMove({7, 9}, 0, kFullScreen);
  EXPECT_EQ(s.Current(), (Rect{false, 7, 9, 7, 9}));
  EXPECT_FALSE(s.Dragging());
  EXPECT_FALSE(s.DragMove({8, 9}, 0, kFullScreen));
  s = Selected(10, 10, 13, 20);
  s.DragPress({11, 11}, 0, false);
  s.DragMove({11, 11}, kShiftHeld, kFullScreen);  // (10, 10, 13, 20) snaps to (8, 8, 8, 16)
  EXPECT_EQ(s.Current(), (Rect{true, 8, 8, 8, 16}));
  s.Release();
  EXPECT_FALSE(s.Current().active);
}

}  // namespace
}  // namespace tinto

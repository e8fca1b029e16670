#include "core/model/floating_copy.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::MakeGeometry;
using test::RowsWithAttr;

SelectionRecord Rect(int x1, int y1, int x2, int y2) { return {true, x1, y1, x2, y2}; }

// Frame 0 pixel bytes of byte column 0, rows first..first+7.
std::vector<int> ColumnZero(const ScreenBuffers& s, int first) {
  std::vector<int> rows;
  for (int row = first; row < first + 8; ++row) rows.push_back(s.PixelByte(0, row, 0));
  return rows;
}

// As the editor does before a drop: the screen as it is becomes the undo copy.
UndoSnapshot SnapshotOf(const ScreenBuffers& s) {
  UndoSnapshot undo;
  undo.Take(s);
  return undo;
}

TEST(DropFloatingCopy, OverlappingMoveCopiesThePixelsAsTheyWereBefore) {
  ScreenBuffers s;
  s.PixelByte(0, 0, 0) = 0b1010'0000;  // pixels 0 and 2
  UndoSnapshot undo = SnapshotOf(s);
  DropFloatingCopy(s, MakeGeometry(32, 192), undo, 0, Rect(0, 0, 16, 1), Rect(1, 0, 17, 1), false);
  // Pixel 0 stays (a move copies); pixels 1..16 take pixels 0..15 of the old row.
  EXPECT_EQ(s.PixelByte(0, 0, 0), 0b1101'0000);
  EXPECT_EQ(s.PixelByte(0, 0, 1), 0);
  EXPECT_EQ(s.PixelByte(0, 0, 2), 0);
}

TEST(DropFloatingCopy, ClearsDestinationPixelsWhoseSourceIsClearWhateverWasThere) {
  ScreenBuffers s;
  s.PixelByte(1, 5, 0) = 0b1000'0000;
  s.PixelByte(1, 6, 3) = 0xFF;
  s.PixelByte(0, 6, 3) = 0xFF;
  UndoSnapshot undo = SnapshotOf(s);
  DropFloatingCopy(s, MakeGeometry(32, 192), undo, 1, Rect(0, 5, 4, 7), Rect(26, 5, 30, 7), false);
  EXPECT_EQ(s.PixelByte(1, 5, 3), 0b0010'0000);  // pixel 26 = old pixel 0 of row 5
  EXPECT_EQ(s.PixelByte(1, 6, 3), 0b1100'0011);  // pixels 26..29 from the clear row 6
  EXPECT_EQ(s.PixelByte(0, 6, 3), 0xFF);         // the other frame is untouched
  EXPECT_EQ(s.PixelByte(1, 5, 0), 0b1000'0000);  // the source stays
}

TEST(DropFloatingCopy, ReadsFromTheUndoCopiesNotFromTheScreen) {
  ScreenBuffers s;
  UndoSnapshot undo = SnapshotOf(s);  // all clear
  s.PixelByte(0, 0, 0) = 0xFF;
  s.AttrByte(0, 0, 0) = 0x47;
  DropFloatingCopy(s, MakeGeometry(32, 192), undo, 0, Rect(0, 0, 8, 1), Rect(8, 0, 16, 1), true);
  EXPECT_EQ(s.PixelByte(0, 0, 1), 0);
  EXPECT_EQ(s.AttrByte(0, 0, 1), 0);
}

// Column 2 lies right of the MLT window 0..1: an 8x8 cell, written in the edited frame only.
TEST(DropFloatingCopy, WritesTheSourceAttributeByTheCellRuleInTheEditedFrameOnly) {
  ScreenBuffers s;
  s.AttrByte(1, 3, 0) = 0x55;
  UndoSnapshot undo = SnapshotOf(s);
  DropFloatingCopy(s, MakeGeometry(4, 192, AttrMode::Mode8x1, 0, 2), undo, 1, Rect(0, 3, 1, 4),
                   Rect(16, 3, 17, 4), true);
  EXPECT_EQ(RowsWithAttr(s, 1, 2, 0x55), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(RowsWithAttr(s, 0, 2, 0x55), std::vector<int>{});
}

TEST(DropFloatingCopy, TheLastPixelWrittenIntoACellDecidesItsAttribute) {
  ScreenBuffers s;
  for (int row = 0; row < 8; ++row) s.AttrByte(0, row, 0) = static_cast<std::uint8_t>(row + 1);
  UndoSnapshot undo = SnapshotOf(s);
  // The source column has 8x1 cells (MLT window 0..0); the destination column an 8x8 cell.
  DropFloatingCopy(s, MakeGeometry(4, 192, AttrMode::Mode8x1, 0, 1), undo, 0, Rect(0, 0, 8, 8),
                   Rect(8, 0, 16, 8), true);
  EXPECT_EQ(RowsWithAttr(s, 0, 1, 8), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(DropFloatingCopy, WithoutAttributeWritesOnlyPixelsChange) {
  ScreenBuffers s;
  s.PixelByte(0, 0, 0) = 0xFF;
  s.AttrByte(0, 0, 0) = 0x47;
  UndoSnapshot undo = SnapshotOf(s);
  DropFloatingCopy(s, MakeGeometry(32, 192), undo, 0, Rect(0, 0, 8, 1), Rect(16, 0, 24, 1), false);
  EXPECT_EQ(s.PixelByte(0, 0, 2), 0xFF);
  EXPECT_EQ(s.AttrByte(0, 0, 2), 0);
}

TEST(DropFloatingCopy, SnappedDropAtTheRightEdgeSkipsSourcePixelsPastTheScreen) {
  ScreenBuffers s;
  s.PixelByte(0, 0, 31) = 0b0010'0001;  // pixels 250 and 255
  s.AttrByte(0, 0, 31) = 0x11;
  s.PixelByte(0, 1, 0) = 0b1100'0000;  // what "pixels 256, 257 of row 0" would alias
  s.AttrByte(0, 1, 0) = 0x47;
  UndoSnapshot undo = SnapshotOf(s);
  // The floating copy was 250..255; Shift snapping widened the destination to 248..255.
  DropFloatingCopy(s, MakeGeometry(32, 192), undo, 0, Rect(250, 0, 256, 1), Rect(248, 0, 256, 1),
                   true);
  // 248..253 take 250..255; 254 and 255 would read 256 and 257 and keep what they had.
  EXPECT_EQ(s.PixelByte(0, 0, 31), 0b1000'0101);
  EXPECT_EQ(RowsWithAttr(s, 0, 31, 0x11), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(DropFloatingCopy, SnappedDropAtTheBottomOfTheScreenSkipsRowsPastIt) {
  ScreenBuffers s;
  s.PixelByte(0, 188, 0) = 0xF0;
  s.PixelByte(0, 190, 0) = 0x0F;
  s.PixelByte(1, 0, 0) = 0xFF;  // what "row 192 of frame 0" would alias
  UndoSnapshot undo = SnapshotOf(s);
  DropFloatingCopy(s, MakeGeometry(32, 192), undo, 0, Rect(0, 188, 8, 192), Rect(0, 184, 8, 192),
                   false);
  EXPECT_EQ(ColumnZero(s, 184), (std::vector<int>{0xF0, 0, 0x0F, 0, 0xF0, 0, 0x0F, 0}));
}

TEST(DropFloatingCopy, SkipsSourceRowsAtOrBelowDy) {
  ScreenBuffers s;
  s.PixelByte(0, 96, 0) = 0x81;
  for (int row = 100; row < 104; ++row) s.PixelByte(0, row, 0) = 0xFF;  // outside the picture
  UndoSnapshot undo = SnapshotOf(s);
  DropFloatingCopy(s, MakeGeometry(32, 100), undo, 0, Rect(0, 96, 8, 100), Rect(0, 92, 8, 100),
                   false);
  EXPECT_EQ(ColumnZero(s, 92), (std::vector<int>{0x81, 0, 0, 0, 0x81, 0, 0, 0}));
}

TEST(DropFloatingCopy, SkipsDestinationPixelsOutsideThePicture) {
  ScreenBuffers s;
  s.PixelByte(0, 0, 0) = 0xFF;
  s.PixelByte(0, 1, 1) = 0x0F;  // pixels 12..15 of row 1
  UndoSnapshot undo = SnapshotOf(s);
  // Selections made before DX shrank to 2 columns can be pinned partly outside the picture.
  ScreenGeometry g = MakeGeometry(2, 192);
  DropFloatingCopy(s, g, undo, 0, Rect(0, 0, 12, 1), Rect(-4, 0, 8, 1), false);
  DropFloatingCopy(s, g, undo, 0, Rect(0, 1, 16, 2), Rect(4, 1, 20, 2), false);
  EXPECT_EQ(s.PixelByte(0, 0, 0), 0xF0);  // 0..7 from 4..11
  EXPECT_EQ(s.PixelByte(0, 1, 1), 0x00);  // 12..15 from the clear 8..11
  EXPECT_EQ(s.PixelByte(0, 1, 2), 0x00);  // 16..19 lie past the picture
}

struct CorruptCase {
  SelectionRecord source, destination;
};

class DropFloatingCopyCorrupt : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(DropFloatingCopyCorrupt, ChangesNothing) {
  ScreenBuffers s;
  s.PixelByte(0, 0, 0) = 0xFF;
  UndoSnapshot undo = SnapshotOf(s);
  DropFloatingCopy(s, MakeGeometry(32, 192), undo, 0, GetParam().source, GetParam().destination,
                   true);
  EXPECT_EQ(s.Pixels(), undo.Pixels());
  EXPECT_EQ(s.Attrs(), undo.Attrs());
}

INSTANTIATE_TEST_SUITE_P(
    Records, DropFloatingCopyCorrupt,
    ::testing::Values(CorruptCase{Rect(INT_MAX, INT_MAX, INT_MIN, INT_MIN), Rect(0, 0, 8, 8)},
                      CorruptCase{Rect(0, 0, 8, 8), Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)},
                      CorruptCase{Rect(0, 0, 8, 8), Rect(8, 8, 0, 0)},  // not normalised
                      CorruptCase{Rect(-300, 0, 0, 8), Rect(0, 0, 8, 8)}));

}  // namespace
}  // namespace tinto

#include "core/model/floating_copy.h"

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using namespace test;

SelectionRecord Rect(int x1, int y1, int x2, int y2) { return {true, x1, y1, x2, y2}; }

const ScreenGeometry kFull = MakeGeometry(32, 192);

// The drop reads pixels and attributes from the copy it carries and writes them by the cell rule
// in the edited frame only; pixels past the screen, DY or DX are neither read nor written.
TEST(DropFloatingCopy, ChangesExactlyTheDestinationBytes) {
  const struct {
    const char* what;
    ScreenGeometry g;
    FrameIndex frame;
    SelectionRecord source, destination;
    bool attributes;
    std::vector<ScreenByte> before, changed;  // every byte the drop changes
  } cases[] = {
      {"overlapping move copies the old pixels; pixel 0 stays", kFull, 0, Rect(0, 0, 16, 1),
       Rect(1, 0, 17, 1), false, Bytes(Pix(0, 0, 0, 0b1010'0000)),
       Bytes(Pix(0, 0, 0, 0b1101'0000))},
      {"clear source pixels clear; the other frame and the source stay", kFull, 1, Rect(0, 5, 4, 7),
       Rect(26, 5, 30, 7), false, Bytes(Pix(1, 5, 0, 0x80), Pix(1, 6, 3, 0xFF), Pix(0, 6, 3, 0xFF)),
       Bytes(Pix(1, 5, 3, 0x20), Pix(1, 6, 3, 0xC3))},
      {"column 2, right of window 0..1, is an 8x8 cell",
       MakeGeometry(4, 192, AttrMode::Mode8x1, 0, 2), 1, Rect(0, 3, 1, 4), Rect(16, 3, 17, 4), true,
       Bytes(Att(1, 3, 0, 0x55)), Bytes(Att(1, 0, 2, 0x55, 8))},
      {"the last pixel written into a cell decides it",
       MakeGeometry(4, 192, AttrMode::Mode8x1, 0, 1), 0, Rect(0, 0, 8, 8), Rect(8, 0, 16, 8), true,
       Bytes(Att(0, 0, 0, 1), Att(0, 7, 0, 8)), Bytes(Att(0, 0, 1, 8, 8))},
      {"without attributes only pixels change", kFull, 0, Rect(0, 0, 8, 1), Rect(16, 0, 24, 1),
       false, Bytes(Pix(0, 0, 0, 0xFF), Att(0, 0, 0, 0x47)), Bytes(Pix(0, 0, 2, 0xFF))},
      {"snapped at the right edge: 254, 255 would read 256, 257 (row 1)", kFull, 0,
       Rect(250, 0, 256, 1), Rect(248, 0, 256, 1), true,
       Bytes(Pix(0, 0, 31, 0b0010'0001), Att(0, 0, 31, 0x11), Pix(0, 1, 0, 0xC0),
             Att(0, 1, 0, 0x47)),
       Bytes(Pix(0, 0, 31, 0b1000'0101), Att(0, 1, 31, 0x11, 7))},
      {"snapped at the bottom: rows 192.. would read frame 1", kFull, 0, Rect(0, 188, 8, 192),
       Rect(0, 184, 8, 192), false,
       Bytes(Pix(0, 188, 0, 0xF0), Pix(0, 190, 0, 0x0F), Pix(1, 0, 0, 0xFF)),
       Bytes(Pix(0, 184, 0, 0xF0), Pix(0, 186, 0, 0x0F))},
      {"source rows at or below DY are skipped", MakeGeometry(32, 100), 0, Rect(0, 96, 8, 100),
       Rect(0, 92, 8, 100), false, Bytes(Pix(0, 96, 0, 0x81), Pix(0, 100, 0, 0xFF, 4)),
       Bytes(Pix(0, 92, 0, 0x81))},
      {"destination left of the picture", MakeGeometry(2, 192), 0, Rect(0, 0, 12, 1),
       Rect(-4, 0, 8, 1), false, Bytes(Pix(0, 0, 0, 0xFF)), Bytes(Pix(0, 0, 0, 0xF0))},
      {"destination past DX: 16..19 would take the set 12..15", MakeGeometry(2, 192), 0,
       Rect(0, 1, 16, 2), Rect(4, 1, 20, 2), false, Bytes(Pix(0, 1, 1, 0x0F)),
       Bytes(Pix(0, 1, 1, 0))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScreenBuffers s;
    Put(s, c.before);
    const ScreenBuffers carried = s;  // as the editor lifts it
    ScreenBuffers expected = s;
    Put(expected, c.changed);
    DropFloatingCopy(s, c.g, {carried.Pixels(), carried.Attrs(), c.frame}, c.frame, c.source,
                     c.destination, c.attributes);
    EXPECT_EQ(FirstDifference(s, expected), "");
  }
}

// The carried copy is the source, not the screen; corrupt records change nothing.
TEST(DropFloatingCopy, ReadsTheCarriedCopyAndIgnoresCorruptRecords) {
  ScreenBuffers s;
  const ScreenBuffers carried = s;
  Put(s, Bytes(Pix(0, 0, 0, 0xFF), Att(0, 0, 0, 0x47)));
  const ScreenBuffers before = s;
  const SelectionRecord cases[][2] = {{Rect(0, 0, 8, 1), Rect(8, 0, 16, 1)},
                                      {Rect(INT_MAX, INT_MAX, INT_MIN, INT_MIN), Rect(0, 0, 8, 8)},
                                      {Rect(0, 0, 8, 8), Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)},
                                      {Rect(0, 0, 8, 8), Rect(8, 8, 0, 0)},  // not normalised
                                      {Rect(-300, 0, 0, 8), Rect(0, 0, 8, 8)}};
  for (const auto& [source, destination] : cases) {
    DropFloatingCopy(s, kFull, {carried.Pixels(), carried.Attrs(), 0}, 0, source, destination,
                     true);
    EXPECT_EQ(FirstDifference(s, before), "") << source.x1 << " " << destination.x1;
  }
}

}  // namespace
}  // namespace tinto

#include "core/format/cell_payload.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

// A 3 x 2 rectangle at (6, 1): pixel (7, 1) set in frame 0, (8, 2) in frame 1; the cell of
// columns 0..7 on row 1 has attribute 0x42 in frame 0, the cell of 8..15 on row 2 has 0x0C in
// frame 1.
ClipboardCells SampleCells() {
  ScreenBuffers screen;
  screen.SetPixel(0, 7, 1);
  screen.SetPixel(1, 8, 2);
  screen.SetAttr(0, 7, 1, 0x42);
  screen.SetAttr(1, 8, 2, 0x0C);
  ScreenGeometry geometry;
  return CopyCells(screen, geometry, {true, 6, 1, 9, 3}, 1);
}

TEST(CellPayload, CopiesBothFramesAndComesBackUnchanged) {
  const ClipboardCells cells = SampleCells();
  EXPECT_EQ(cells.width, 3);
  EXPECT_EQ(cells.height, 2);
  EXPECT_EQ(cells.pixels[0], (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(cells.pixels[1], (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(cells.attrs[0], (std::vector<std::uint8_t>{0x42, 0x42, 0, 0, 0, 0}));
  EXPECT_EQ(cells.attrs[1], (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0x0C}));
  const std::string payload = EncodeCellPayload(cells);
  EXPECT_EQ(payload.substr(0, 14), std::string("TNTCELLS\x01\x01\x03\x00\x02\x00", 14));
  EXPECT_EQ(payload.size(), 14u + 4 * 6);
  EXPECT_EQ(DecodeCellPayload(payload), cells);
}

TEST(CellPayload, RejectsEveryMalformedPayload) {
  const std::string good = EncodeCellPayload(SampleCells());
  const auto with = [&good](std::size_t at, char value) {
    std::string bad = good;
    bad[at] = value;
    return bad;
  };
  const std::string cases[] = {
      with(0, 'X'),      // magic
      with(8, 2),        // version
      with(9, 2),        // source frame
      with(10, 0),       // width 0
      with(11, 1),       // width 259
      with(12, 0),       // height 0
      with(12, '\xC1'),  // height 193
      with(15, 2),       // a pixel byte that is neither 0 nor 1
      good + '\0',       // a byte left over
  };
  for (const std::string& bad : cases) EXPECT_FALSE(DecodeCellPayload(bad)) << bad.size();
  for (std::size_t length = 0; length < good.size(); ++length)
    EXPECT_FALSE(DecodeCellPayload(std::string_view(good).substr(0, length))) << length;
}

}  // namespace
}  // namespace tinto

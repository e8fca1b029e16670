#pragma once
// Small builders shared by the core tests.

#include <random>
#include <vector>

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto::test {

inline ScreenGeometry MakeGeometry(int dx, int dy, AttrMode mode = AttrMode::Mode8x1,
                                   int mltLeft = 0, int mltWidth = 18) {
  ScreenGeometry g;
  g.SetMode(mode);
  g.SetDX(dx);
  g.SetDY(dy);
  g.SetMltLeft(mltLeft);
  g.SetMltWidth(mltWidth);
  return g;
}

// Every byte of both blocks from a fixed random sequence, many attributes with bit 7 set.
inline ScreenBuffers RandomScreen(unsigned seed) {
  std::mt19937 random(seed);
  ScreenBuffers s;
  for (std::uint8_t& b : s.Pixels()) b = static_cast<std::uint8_t>(random());
  for (std::uint8_t& b : s.Attrs()) b = static_cast<std::uint8_t>(random());
  return s;
}

// Rows of byte column `column` in frame f whose attribute equals `value`.
inline std::vector<int> RowsWithAttr(const ScreenBuffers& s, FrameIndex f, int column, int value) {
  std::vector<int> rows;
  for (int row = 0; row < kScreenHeight; ++row)
    if (s.AttrByte(f, row, column) == value) rows.push_back(row);
  return rows;
}

}  // namespace tinto::test

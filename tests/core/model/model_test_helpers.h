#pragma once
// Small builders shared by the model and format tests.

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

// Rows of byte column `column` in frame f whose attribute equals `value`.
inline std::vector<int> RowsWithAttr(const ScreenBuffers& s, FrameIndex f, int column, int value) {
  std::vector<int> rows;
  for (int row = 0; row < kScreenHeight; ++row)
    if (s.AttrByte(f, row, column) == value) rows.push_back(row);
  return rows;
}

}  // namespace tinto::test

#include "core/model/screen_geometry.h"

#include "core/model/screen_buffers.h"

namespace tinto {

MltWindow ClampMltWindow(MltWindow window, int dx) {
  // Starting one column to the right makes the first pass a no-op for a window that fits.
  int left = window.left + 1;
  int width = window.width;
  do {
    if (left == 0)
      --width;
    else
      --left;
  } while (left + width > dx);
  return {left, width};
}

RowSpan AttributeCellRows(const ScreenGeometry& geometry, int x, int y) {
  if (geometry.Mode() == AttrMode::Mode8x2) return {y & ~1, 2};
  if (!geometry.InMltWindow(x / 8)) return {y & ~7, 8};
  return {y, 1};
}

void WriteCellAttributes(ScreenBuffers& screen, const ScreenGeometry& geometry, int x, int y,
                         std::uint8_t attr0, std::uint8_t attr1) {
  RowSpan rows = AttributeCellRows(geometry, x, y);
  for (int row = rows.first; row < rows.first + rows.count; ++row) {
    screen.AttrByte(0, row, x / 8) = attr0;
    screen.AttrByte(1, row, x / 8) = attr1;
  }
}

}  // namespace tinto

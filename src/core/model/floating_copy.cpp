#include "core/model/floating_copy.h"

#include <algorithm>

namespace tinto {
namespace {

bool InPicture(const ScreenGeometry& geometry, int x, int y) {
  return x >= 0 && x < geometry.WidthPixels() && y >= 0 && y < geometry.DY();
}

// WriteCellAttributes for a single frame: the drop writes only the edited frame.
void WriteFrameCellAttribute(ScreenBuffers& screen, const ScreenGeometry& geometry,
                             FrameIndex frame, int x, int y, std::uint8_t attr) {
  RowSpan rows = AttributeCellRows(geometry, x, y);
  for (int row = rows.first; row < rows.first + rows.count; ++row)
    screen.AttrByte(frame, row, x / 8) = attr;
}

// Records that reach here were clamped or pinned to the picture, so real spans are at most the
// screen's size; bounding keeps a corrupt record's arithmetic and loop small.
constexpr int kCornerLimit = 1 << 20;

int Corner(int v) { return std::clamp(v, -kCornerLimit, kCornerLimit); }

int Span(int from, int to, int limit) { return std::clamp(Corner(to) - Corner(from), 0, limit); }

}  // namespace

void DropFloatingCopy(ScreenBuffers& screen, const ScreenGeometry& geometry,
                      const FloatingSource& from, FrameIndex frame, const SelectionRecord& source,
                      const SelectionRecord& destination, bool writeAttributes) {
  frame = std::clamp(frame, 0, 1);
  const FrameIndex fromFrame = std::clamp(from.frame, 0, 1);
  int width = Span(destination.x1, destination.x2, kScreenWidth);
  int height = Span(destination.y1, destination.y2, kScreenHeight);
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      int sx = Corner(source.x1) + i, sy = Corner(source.y1) + j;
      int dx = Corner(destination.x1) + i, dy = Corner(destination.y1) + j;
      if (!InPicture(geometry, sx, sy) || !InPicture(geometry, dx, dy)) continue;
      int index = ByteIndex(fromFrame, sx, sy);
      if (from.pixels[index] & PixelMask(sx))
        screen.SetPixel(frame, dx, dy);
      else
        screen.ClearPixel(frame, dx, dy);
      if (writeAttributes)
        WriteFrameCellAttribute(screen, geometry, frame, dx, dy, from.attrs[index]);
    }
  }
}

}  // namespace tinto

#include "core/model/grid_overlay.h"

#include <algorithm>

#include "core/model/pointer_mapping.h"

namespace tinto {
namespace {

// Real client areas and scroll offsets are far smaller; the bound keeps the line count small
// whatever the caller passes.
constexpr int kExtentLimit = 1 << 16;

int Bounded(int v) { return std::clamp(v, -kExtentLimit, kExtentLimit); }

void AddIfWithin(std::vector<int>& lines, int position, int extent) {
  if (position >= 0 && position <= extent) lines.push_back(position);
}

// Pixel lines that are not cell lines: i = 0 .. extent div m + m, skipping every eighth.
std::vector<int> GreyLines(int offset, int extent, int m) {
  std::vector<int> lines;
  for (int i = 0; i <= extent / m + m; ++i)
    if (i % 8 != 0) AddIfWithin(lines, offset % (8 * m) + i * m, extent);
  return lines;
}

std::vector<int> WhiteLines(int offset, int extent, int m) {
  std::vector<int> lines;
  for (int j = 0; j <= extent / 8 / m + 1; ++j)
    AddIfWithin(lines, offset % (8 * m) + 8 * j * m, extent);
  return lines;
}

}  // namespace

GridOverlay GridOverlayLines(const GridOverlayInput& input, const ScreenGeometry& geometry) {
  int m = kMagnificationRange.Clamp(input.magnification);
  int left = Bounded(input.imageLeft);
  int top = Bounded(input.imageTop);
  GridOverlay overlay;
  overlay.width = std::min(Bounded(input.clientWidth), left + geometry.WidthPixels() * m);
  overlay.height = std::min(Bounded(input.clientHeight), top + geometry.DY() * m);
  if (input.grid && m >= 4) {
    overlay.greyRows = GreyLines(top, overlay.height, m);
    overlay.greyColumns = GreyLines(left, overlay.width, m);
  }
  if (input.grid) {
    overlay.whiteRows = WhiteLines(top, overlay.height, m);
    overlay.whiteColumns = WhiteLines(left, overlay.width, m);
  }
  if (geometry.Mode() == AttrMode::Mode8x1) {
    AddIfWithin(overlay.redColumns, m * geometry.MltLeft() * 8 + left, overlay.width);
    AddIfWithin(overlay.redColumns, (geometry.MltLeft() + geometry.MltWidth()) * m * 8 + left,
                overlay.width);
  }
  return overlay;
}

}  // namespace tinto

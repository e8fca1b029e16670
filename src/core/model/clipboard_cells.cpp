#include "core/model/clipboard_cells.h"

#include <algorithm>

namespace tinto {
namespace {

// The part of a normalised record inside the picture.
SelectionRecord InPicture(const ScreenGeometry& geometry, const SelectionRecord& area) {
  SelectionRecord r = area;
  r.x1 = std::clamp(r.x1, 0, geometry.WidthPixels());
  r.x2 = std::clamp(r.x2, r.x1, geometry.WidthPixels());
  r.y1 = std::clamp(r.y1, 0, geometry.DY());
  r.y2 = std::clamp(r.y2, r.y1, geometry.DY());
  return r;
}

}  // namespace

ClipboardCells CopyCells(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                         const SelectionRecord& area, FrameIndex editedFrame) {
  const SelectionRecord r = InPicture(geometry, area);
  ClipboardCells cells;
  cells.width = r.x2 - r.x1;
  cells.height = r.y2 - r.y1;
  cells.sourceFrame = editedFrame;
  for (FrameIndex f = 0; f < 2; ++f) {
    for (int y = r.y1; y < r.y2; ++y) {
      for (int x = r.x1; x < r.x2; ++x) {
        cells.pixels[f].push_back(screen.Pixel(f, x, y) ? 1 : 0);
        cells.attrs[f].push_back(screen.Attr(f, x, y));
      }
    }
  }
  return cells;
}

void ClearCells(ScreenBuffers& screen, const ScreenGeometry& geometry, FrameIndex frame,
                const SelectionRecord& area) {
  const SelectionRecord r = InPicture(geometry, area);
  for (int y = r.y1; y < r.y2; ++y)
    for (int x = r.x1; x < r.x2; ++x) screen.ClearPixel(frame, x, y);
}

ScreenBuffers CellsAsScreen(const ClipboardCells& cells) {
  ScreenBuffers screen;
  const int width = std::min(cells.width, kScreenWidth);
  const int height = std::min(cells.height, kScreenHeight);
  for (FrameIndex f = 0; f < 2; ++f) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::size_t index = static_cast<std::size_t>(y * cells.width + x);
        if (cells.pixels[f][index] != 0) screen.SetPixel(f, x, y);
        screen.SetAttr(f, x, y, cells.attrs[f][index]);
      }
    }
  }
  return screen;
}

}  // namespace tinto

#pragma once
// A rectangle of both frames taken out of the picture for the clipboard, and the two edits the
// clipboard commands make with it: the area cleared by a cut, and the cells laid out as the
// source a pasted floating copy reads.

#include <array>
#include <cstdint>
#include <vector>

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/model/selection.h"

namespace tinto {

struct ClipboardCells {
  int width = 0;   // pixels, 1..256
  int height = 0;  // pixels, 1..192
  // The frame that was edited when the cells were copied: a paste writes its pixels.
  FrameIndex sourceFrame = 0;
  // Per frame, rows top to bottom, `width` bytes each: 1 for a set pixel, 0 for a clear one;
  // and the attribute byte of each pixel's cell.
  std::array<std::vector<std::uint8_t>, 2> pixels;
  std::array<std::vector<std::uint8_t>, 2> attrs;

  bool operator==(const ClipboardCells&) const = default;
};

// The pixels of the marquee `area` (normalised) that lie inside the DX * 8 by DY picture;
// an area with nothing inside gives width and height 0.
ClipboardCells CopyCells(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                         const SelectionRecord& area, FrameIndex editedFrame);

// Clears the pixels of `area` inside the picture in `frame`; attributes stay.
void ClearCells(ScreenBuffers& screen, const ScreenGeometry& geometry, FrameIndex frame,
                const SelectionRecord& area);

// Both frames of `cells` from the top-left corner of an otherwise clear screen (cells beyond
// 256 x 192 are left out): what a pasted floating copy reads from the rectangle
// 0, 0 .. width, height.
ScreenBuffers CellsAsScreen(const ClipboardCells& cells);

}  // namespace tinto

#pragma once
// Dropping a floating copy: the pixels (and attributes) the copy carries, written into the
// selection where the copy was released.

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/model/selection.h"

namespace tinto {

// What a floating copy carries: blocks in the layout of ScreenBuffers (the picture as it was
// when the copy was lifted, or pasted cells) and the frame of them to read. The copy owns
// them, so overlapping source and destination are safe and the source area stays as it was.
struct FloatingSource {
  const ScreenBlock& pixels;
  const ScreenBlock& attrs;
  FrameIndex frame;
};

// Rows outer, columns inner, pixel (source.x1 + i, source.y1 + j) of `from` goes to
// (destination.x1 + i, destination.y1 + j) of `frame` for the destination's width and height:
// set or cleared, whatever the draw mode. With `writeAttributes` ("Attributes" on,
// "Transparent" off) the source pixel's attribute byte is written into the destination
// pixel's cell by the cell rule of the geometry's mode, in `frame` only. Source or destination
// pixels outside the DX * 8 by DY picture are skipped: the destination pixel keeps what it had.
void DropFloatingCopy(ScreenBuffers& screen, const ScreenGeometry& geometry,
                      const FloatingSource& from, FrameIndex frame, const SelectionRecord& source,
                      const SelectionRecord& destination, bool writeAttributes);

}  // namespace tinto

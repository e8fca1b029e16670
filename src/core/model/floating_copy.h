#pragma once
// Dropping a floating copy: the pixels (and attributes) under the floating-copy record, as the
// undo snapshot holds them, written into the selection where the copy was released.

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/model/selection.h"
#include "core/model/undo_snapshot.h"

namespace tinto {

// The caller marks the document modified and takes the undo snapshot first; reading from the
// snapshot makes overlapping source and destination safe, and the source area stays as it was.
// Rows outer, columns inner, pixel (source.x1 + i, source.y1 + j) of `frame` goes to
// (destination.x1 + i, destination.y1 + j) for the destination's width and height: set or
// cleared, whatever the draw mode. With `writeAttributes` ("Attributes" on, "Transparent" off)
// the source pixel's attribute byte is written into the destination pixel's cell by the cell
// rule of the geometry's mode, in `frame` only. Source or destination pixels outside the
// DX * 8 by DY picture are skipped: the destination pixel keeps what it had.
void DropFloatingCopy(ScreenBuffers& screen, const ScreenGeometry& geometry,
                      const UndoSnapshot& undo, FrameIndex frame, const SelectionRecord& source,
                      const SelectionRecord& destination, bool writeAttributes);

// Where a floating copy's pixels come from: blocks in the layout of ScreenBuffers (the undo
// copies, or pasted cells) and the frame of them to read.
struct FloatingSource {
  const ScreenBlock& pixels;
  const ScreenBlock& attrs;
  FrameIndex frame;
};

// The same drop reading `from` instead of the undo copies of `frame`: a pasted copy writes the
// pixels of the frame it was copied from into the edited frame.
void DropFloatingCopy(ScreenBuffers& screen, const ScreenGeometry& geometry,
                      const FloatingSource& from, FrameIndex frame, const SelectionRecord& source,
                      const SelectionRecord& destination, bool writeAttributes);

}  // namespace tinto

#pragma once
// The rectangular selection of the canvas: the marquee drawn in mode CROSS, and its drag in
// modes MOVESEL (the frame only) and MOVE (a floating copy of the pixels under it). Coordinates
// are pixel boundaries in picture pixels; the picture is DX * 8 by DY.

#include <optional>

#include "core/model/modifier_state.h"
#include "core/model/pointer_mapping.h"
#include "core/model/screen_geometry.h"

namespace tinto {

// Normalised, a record covers the pixels x1 <= x < x2, y1 <= y < y2. While a marquee is being
// drawn the corners may be in any order.
struct SelectionRecord {
  bool active = false;
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;

  // Swaps corners so that x1 <= x2 and y1 <= y2.
  void Normalize();
  // The pointer-mode test: x1 <= x <= x2 and y1 <= y <= y2, both ends included.
  bool Contains(PixelPoint pixel) const;
  bool operator==(const SelectionRecord&) const = default;
};

enum class DragPressResult {
  Ignored,  // no selection is active
  Started,  // a drag of the selection began
  Lifted,   // it began and lifted a floating copy of `current`: grab its pixels now
};

class SelectionState {
 public:
  // The marquee.
  const SelectionRecord& Current() const { return m_current; }
  // Copy of the marquee from the start of a drag; active while the drag is in progress.
  const SelectionRecord& DragStart() const { return m_dragStart; }
  // Copy of the marquee when a floating copy was lifted; active while that copy exists.
  const SelectionRecord& Floating() const { return m_floating; }
  bool Dragging() const { return m_dragStart.active; }

  // Mode CROSS press at a pixel inside the picture: a new marquee with both corners there, or
  // at the cell corner (x AND 248, y AND 248) with Shift. The drag-start copy is cleared.
  void MarqueePress(PixelPoint pixel, ModifierState modifiers);
  // Mode CROSS move with the button down: the second corner follows the pixel clamped to
  // 0..DX * 8 and 0..DY, rounded down to multiples of 8 with Shift (DX * 8 itself stays).
  // Does nothing, returning false, without a marquee, with Ctrl held or during a drag.
  bool MarqueeMove(PixelPoint pixel, ModifierState modifiers, const ScreenGeometry& geometry);

  // Mode MOVESEL or MOVE press (`liftCopy` in MOVE): starts a drag at the pixel (cell corner
  // with Shift). In MOVE a floating copy of the marquee is lifted unless one exists.
  DragPressResult DragPress(PixelPoint pixel, ModifierState modifiers, bool liftCopy);
  // Move with the button down during a drag: the start rectangle shifted by the pointer's
  // offset from the drag origin, pinned to the picture keeping its size; collapsed to a point
  // it ends selection and drag; rounded down to multiples of 8 with Shift. False when no drag is
  // in progress.
  bool DragMove(PixelPoint pixel, ModifierState modifiers, const ScreenGeometry& geometry);

  // Any button release: the marquee is normalised and dropped when it has no width or no
  // height; a drag ends. Returns the floating-copy record when a floating copy existed: the
  // caller drops it onto Current() (DropFloatingCopy); it no longer exists afterwards.
  std::optional<SelectionRecord> Release();

  // A floating copy that comes from elsewhere (a paste): the marquee becomes `destination` and
  // the floating-copy record `source`, both active; the next release hands `source` back.
  void PlaceFloatingCopy(const SelectionRecord& destination, const SelectionRecord& source);

  // No marquee, no drag, no floating copy: for a picture that was replaced or resized.
  void Clear() { *this = SelectionState(); }

 private:
  SelectionRecord m_current;
  SelectionRecord m_dragStart;
  SelectionRecord m_floating;
  PixelPoint m_dragOrigin;
};

}  // namespace tinto

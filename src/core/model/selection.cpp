#include "core/model/selection.h"

#include <algorithm>
#include <utility>

namespace tinto {
namespace {

// Rounds down to a multiple of 8. On the pixels a press can reach (0..255) this is the same
// as AND 248, and unlike AND 248 it keeps a corner on the right edge 256.
int CellFloor(int v) { return v & ~7; }

// Pointer pixels far outside the picture act like the edge; bounding them keeps the drag
// arithmetic far from overflow.
PixelPoint Bounded(PixelPoint pixel) {
  constexpr int kLimit = 1 << 20;
  return {std::clamp(pixel.x, -kLimit, kLimit), std::clamp(pixel.y, -kLimit, kLimit)};
}

// Shifts [low, high) back inside 0..limit keeping its size; the left or top edge is tested first.
void PinAxis(int& low, int& high, int size, int limit) {
  if (low < 0) {
    low = 0;
    high = size;
  }
  if (high >= limit) {
    high = limit;
    low = high - size;
  }
}

}  // namespace

void SelectionRecord::Normalize() {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
}

bool SelectionRecord::Contains(PixelPoint pixel) const {
  return x1 <= pixel.x && pixel.x <= x2 && y1 <= pixel.y && pixel.y <= y2;
}

void SelectionState::MarqueePress(PixelPoint pixel, ModifierState modifiers) {
  pixel = Bounded(pixel);
  if (modifiers & kShiftHeld) pixel = {CellFloor(pixel.x), CellFloor(pixel.y)};
  m_current = {true, pixel.x, pixel.y, pixel.x, pixel.y};
  m_dragStart = {};
}

bool SelectionState::MarqueeMove(PixelPoint pixel, ModifierState modifiers,
                                 const ScreenGeometry& geometry) {
  if (!m_current.active || (modifiers & kCtrlHeld) || Dragging()) return false;
  int x = std::clamp(pixel.x, 0, geometry.WidthPixels());
  int y = std::clamp(pixel.y, 0, geometry.DY());
  if (modifiers & kShiftHeld) {
    x = CellFloor(x);
    y = CellFloor(y);
  }
  m_current.x2 = x;
  m_current.y2 = y;
  return true;
}

DragPressResult SelectionState::DragPress(PixelPoint pixel, ModifierState modifiers,
                                          bool liftCopy) {
  if (!m_current.active) return DragPressResult::Ignored;
  pixel = Bounded(pixel);
  m_dragOrigin =
      (modifiers & kShiftHeld) ? PixelPoint{CellFloor(pixel.x), CellFloor(pixel.y)} : pixel;
  m_dragStart = m_current;
  if (!liftCopy || m_floating.active) return DragPressResult::Started;
  m_floating = m_current;
  return DragPressResult::Lifted;
}

bool SelectionState::DragMove(PixelPoint pixel, ModifierState modifiers,
                              const ScreenGeometry& geometry) {
  if (!Dragging()) return false;
  pixel = Bounded(pixel);
  const SelectionRecord start = m_dragStart;
  int dx = pixel.x - m_dragOrigin.x;
  int dy = pixel.y - m_dragOrigin.y;
  SelectionRecord& r = m_current;
  r.x1 = start.x1 + dx;
  r.x2 = start.x2 + dx;
  r.y1 = start.y1 + dy;
  r.y2 = start.y2 + dy;
  PinAxis(r.x1, r.x2, start.x2 - start.x1, geometry.WidthPixels());
  PinAxis(r.y1, r.y2, start.y2 - start.y1, geometry.DY());
  if (r.x1 == r.x2 && r.y1 == r.y2) {
    r.active = false;
    m_dragStart.active = false;
  }
  if (modifiers & kShiftHeld) {
    r.x1 = CellFloor(r.x1);
    r.y1 = CellFloor(r.y1);
    r.x2 = CellFloor(r.x2);
    r.y2 = CellFloor(r.y2);
  }
  return true;
}

std::optional<SelectionRecord> SelectionState::Release() {
  m_current.Normalize();
  if (m_current.x1 == m_current.x2 || m_current.y1 == m_current.y2) m_current.active = false;
  m_dragStart.active = false;
  if (!m_floating.active) return std::nullopt;
  SelectionRecord lifted = m_floating;
  m_floating.active = false;
  return lifted;
}

void SelectionState::PlaceFloatingCopy(const SelectionRecord& destination,
                                       const SelectionRecord& source) {
  m_current = destination;
  m_current.active = true;
  m_floating = source;
  m_floating.active = true;
  m_dragStart = {};
}

}  // namespace tinto

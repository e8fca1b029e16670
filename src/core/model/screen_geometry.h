#pragma once
// Which part of the buffers forms the picture and how attribute cells are laid out. Every setter
// clamps to the range of the control that shows the value, as the editor's spin edits do.

#include <cstdint>

namespace tinto {

class ScreenBuffers;

enum class AttrMode : std::uint8_t {
  Mode8x1 = 0,  // "8x1 + 8x8": 8x1 cells inside the MLT window, 8x8 cells elsewhere
  Mode8x2 = 1,  // "8x2 Full Screen"
};

struct IntRange {
  int min;
  int max;
  constexpr int Clamp(int v) const { return v < min ? min : (v > max ? max : v); }
};

constexpr IntRange kDxRange{1, 32};
constexpr IntRange kDyRange{1, 192};
constexpr IntRange kMltLeftRange{0, 31};
constexpr IntRange kMltWidthRange{1, 18};

struct MltWindow {
  int left;
  int width;
  bool operator==(const MltWindow&) const = default;
};

class ScreenGeometry {
 public:
  int DX() const { return m_dx; }
  int DY() const { return m_dy; }
  int MltLeft() const { return m_mltLeft; }
  int MltWidth() const { return m_mltWidth; }
  AttrMode Mode() const { return m_mode; }
  MltWindow Window() const { return {m_mltLeft, m_mltWidth}; }
  int WidthPixels() const { return m_dx * 8; }

  void SetDX(int v) { m_dx = kDxRange.Clamp(v); }
  void SetDY(int v) { m_dy = kDyRange.Clamp(v); }
  void SetMltLeft(int v) { m_mltLeft = kMltLeftRange.Clamp(v); }
  void SetMltWidth(int v) { m_mltWidth = kMltWidthRange.Clamp(v); }
  void SetMode(AttrMode mode) { m_mode = mode; }

  bool InMltWindow(int column) const {
    return column >= m_mltLeft && column < m_mltLeft + m_mltWidth;
  }
  bool operator==(const ScreenGeometry&) const = default;

 private:
  int m_dx = 18;
  int m_dy = 192;
  int m_mltLeft = 0;
  int m_mltWidth = 18;
  AttrMode m_mode = AttrMode::Mode8x1;
};

// Moves the window left column by column down to column 0, then narrows it, until
// left + width <= dx. A window that already fits is returned unchanged. The width can reach 0
// only when dx is 0, which the DX range excludes.
MltWindow ClampMltWindow(MltWindow window, int dx);

struct RowSpan {
  int first;
  int count;
};

// The rows of the attribute cell holding pixel (x, y): the row pair in 8x2 mode, the row itself
// inside the MLT window of 8x1 mode, the eight rows of its 8x8 cell elsewhere.
RowSpan AttributeCellRows(const ScreenGeometry& geometry, int x, int y);

// Writes attr0 into frame 0 and attr1 into frame 1 over the rows of the cell holding pixel (x, y)
// under the geometry's mode: 8x2 pairs of rows, single rows inside the MLT window of 8x1 mode,
// 8-row cells outside it. Preconditions: x in 0..255, y in 0..191.
void WriteCellAttributes(ScreenBuffers& screen, const ScreenGeometry& geometry, int x, int y,
                         std::uint8_t attr0, std::uint8_t attr1);

}  // namespace tinto

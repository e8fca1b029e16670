#pragma once
// The pencil: a square of pixels set, inverted or cleared in the edited frame, with the cell
// attributes of both frames written under every pixel.

#include <cstdint>

#include "core/model/pixel_geometry.h"
#include "core/model/renderer.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto {

// Values as stored in the settings and shown by the "or", "xor" and "cls" radio boxes.
enum class DrawMode : std::uint8_t { Or = 0, Xor = 1, Cls = 2 };

// The mode a stored value names: 0 "or", 1 "xor", any other value "cls".
constexpr DrawMode DrawModeOfCode(int code) {
  return code == 0 ? DrawMode::Or : code == 1 ? DrawMode::Xor : DrawMode::Cls;
}
constexpr int DrawModeCode(DrawMode mode) { return static_cast<int>(mode); }

constexpr IntRange kPencilSizeRange{1, 50};

struct PencilOptions {
  FrameIndex frame = 0;  // the edited frame, 0 or 1
  int size = 1;          // clamped to 1..50
  DrawMode mode = DrawMode::Or;
  // "Attributes" on and "Transparent" off: attr0 goes to frame 0 and attr1 to frame 1.
  bool writeAttributes = true;
  std::uint8_t attr0 = 0;
  std::uint8_t attr1 = 0;
};

// The pencil at pixel (x, y): the square of side s starting s div 2 pixels left of and above
// (x, y), so an even size reaches one pixel further right and down. Pixels outside the DX * 8 by
// DY picture are dropped; any x and y are accepted. Returns the pixels actually written (empty
// when the square misses the picture); every 8x8 block that holds one of them has changed.
PixelRect PlotPencil(ScreenBuffers& screen, const ScreenGeometry& geometry,
                     const PencilOptions& options, int x, int y);

// Re-renders each 8x8 block meeting `written` once. Because an attribute write never leaves the
// block of its pixel, this gives the same bitmaps as a RenderBlock after every single pixel.
void RenderTouchedBlocks(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                         RenderOptions options, const DisplayBitmaps& bitmaps, PixelRect written);

}  // namespace tinto

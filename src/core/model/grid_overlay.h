#pragma once
// The grid and MLT-window lines painted over the canvas, in the scroll box's client
// coordinates: grey pixel lines, white attribute-cell lines and two red MLT window edges.

#include <vector>

#include "core/model/screen_geometry.h"

namespace tinto {

struct GridOverlayInput {
  int clientWidth = 0;  // the scroll box's client area
  int clientHeight = 0;
  int imageLeft = 0;  // the canvas image's position in it; negative when scrolled
  int imageTop = 0;
  int magnification = 4;  // clamped to 1..10
  bool grid = true;
};

// Horizontal lines run from x 0 to `width`, vertical ones from y 0 to `height`; `width` and
// `height` are the client size cut at the image's right and bottom edge. Painted in the order
// grey, white, red.
struct GridOverlay {
  int width = 0;
  int height = 0;
  std::vector<int> greyRows;  // RGB 128, 128, 128; only with the grid on and m >= 4
  std::vector<int> greyColumns;
  std::vector<int> whiteRows;  // every 8 picture pixels, with the grid on
  std::vector<int> whiteColumns;
  std::vector<int> redColumns;  // MLT window edges in "8x1 + 8x8" mode, grid on or off

  bool operator==(const GridOverlay&) const = default;
};

// The lines for an image of DX * 8 * m by DY * m screen pixels. Line positions start from the
// image's offset modulo 8 * m (remainders keep the dividend's sign) and only those within
// 0..width or 0..height are kept.
GridOverlay GridOverlayLines(const GridOverlayInput& input, const ScreenGeometry& geometry);

}  // namespace tinto

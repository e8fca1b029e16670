#pragma once
// From a position on a magnified canvas image to the picture pixel under it.

#include "core/model/pixel_geometry.h"
#include "core/model/screen_geometry.h"

namespace tinto {

constexpr IntRange kMagnificationRange{1, 10};

// Pixel under image position (X, Y) at magnification m (clamped to 1..10): X div m, Y div m,
// truncating toward zero, so positions up to m - 1 left of or above the image still give 0.
PixelPoint PixelFromPointer(int imageX, int imageY, int magnification);

// Whether (X, Y) lies on the image of DX * 8 * m by DY * m screen pixels; only such presses
// count, and a move elsewhere clears the pointer-inside flag.
bool PointerOnImage(int imageX, int imageY, const ScreenGeometry& geometry, int magnification);

}  // namespace tinto

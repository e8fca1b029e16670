#include "core/model/pointer_mapping.h"

namespace tinto {

PixelPoint PixelFromPointer(int imageX, int imageY, int magnification) {
  int m = kMagnificationRange.Clamp(magnification);
  return {imageX / m, imageY / m};
}

bool PointerOnImage(int imageX, int imageY, const ScreenGeometry& geometry, int magnification) {
  int m = kMagnificationRange.Clamp(magnification);
  return imageX >= 0 && imageX <= geometry.WidthPixels() * m - 1 && imageY >= 0 &&
         imageY <= geometry.DY() * m - 1;
}

}  // namespace tinto

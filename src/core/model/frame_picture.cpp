#include "core/model/frame_picture.h"

#include "core/model/renderer.h"

namespace tinto {
namespace {

Bitmap24 Enlarge(const Bitmap24& picture, int scale) {
  Bitmap24 big(picture.Width() * scale, picture.Height() * scale);
  for (int y = 0; y < big.Height(); ++y)
    for (int x = 0; x < big.Width(); ++x) big.SetPixel(x, y, picture.Pixel(x / scale, y / scale));
  return big;
}

}  // namespace

Bitmap24 RenderFramePicture(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                            PictureFrame frame, bool attributes, int scale) {
  DisplayBitmapSet set(geometry.WidthPixels(), geometry.DY());
  // With "No Flic" the first preview holds the static mix.
  RenderScreen(screen, geometry, {attributes, /*noFlic=*/true}, set.Views());
  const Bitmap24& chosen = frame == PictureFrame::Mix
                               ? set.preview1
                               : (frame == PictureFrame::Second ? set.image2 : set.image1);
  return scale <= 1 ? chosen : Enlarge(chosen, scale);
}

}  // namespace tinto

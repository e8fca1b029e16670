#include "core/model/preview_viewport.h"

#include <algorithm>
#include <cmath>

namespace tinto {
namespace {

// One axis of a zoom: `newStart` is where the zoom about the centre puts the picture.
int FitAxis(float newStart, int length, int viewportLength) {
  if (viewportLength < length) {
    if (newStart + static_cast<float>(length) < static_cast<float>(viewportLength))
      newStart = static_cast<float>(viewportLength - length);
    if (newStart > 0) newStart = 0;
    return static_cast<int>(std::nearbyint(newStart));
  }
  return (viewportLength - length) / 2;
}

}  // namespace

ImagePlacement ZoomAboutCentre(const ImagePlacement& image, Extent bitmap, int magnification,
                               Extent viewport) {
  if (image.width <= 0 || bitmap.width <= 0 || bitmap.height <= 0) return image;
  const float shown = static_cast<float>(image.width) / static_cast<float>(bitmap.width);
  const int centreX = viewport.width / 2;
  const int centreY = viewport.height / 2;
  const float pointX = static_cast<float>(centreX - image.left) / shown;
  const float pointY = static_cast<float>(centreY - image.top) / shown;
  const auto factor = static_cast<float>(magnification);
  ImagePlacement placed;
  placed.width = bitmap.width * magnification;
  placed.height = bitmap.height * magnification;
  placed.left =
      FitAxis(static_cast<float>(centreX) - pointX * factor, placed.width, viewport.width);
  placed.top =
      FitAxis(static_cast<float>(centreY) - pointY * factor, placed.height, viewport.height);
  return placed;
}

int PanAxis(int position, int length, int stored, int delta, int viewportLength) {
  if (length <= viewportLength) return position;
  if (delta > 0 && position < 0) return std::min(0, stored + delta);
  if (delta < 0 && position + length > viewportLength)
    return std::max(viewportLength - length, stored + delta);
  return position;
}

}  // namespace tinto

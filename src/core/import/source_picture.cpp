#include "core/import/source_picture.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tinto {

ScreenGeometry FitSizeToPicture(int pictureWidth, int pictureHeight, bool stretch,
                                const ScreenGeometry& current) {
  ScreenGeometry fitted = current;
  if (pictureWidth <= 0) return fitted;
  if (!stretch) {
    fitted.SetDX(pictureWidth / 8);
    fitted.SetDY(pictureHeight);
  }
  const MltWindow window = ClampMltWindow(fitted.Window(), fitted.DX());
  fitted.SetMltLeft(window.left);
  fitted.SetMltWidth(window.width);
  return fitted;
}

PreparedSource PrepareSource(const Bitmap24& picture, bool stretch, const ScreenGeometry& geometry,
                             const ResampleFilter& filter, Bitmap24& stretched) {
  if (!stretch) return {Status::Ok(), &picture};
  if (picture.Empty()) return {Status::Error("Source bitmap too small"), nullptr};
  if (stretched.Width() != geometry.WidthPixels() || stretched.Height() != geometry.DY())
    stretched.Resize(geometry.WidthPixels(), geometry.DY());
  Status status = Stretch(picture, stretched, filter);
  if (!status) return {std::move(status), nullptr};
  return {Status::Ok(), &stretched};
}

Bitmap24 CropBitmap(const Bitmap24& bitmap, int left, int top, int right, int bottom) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, bitmap.Width());
  bottom = std::min(bottom, bitmap.Height());
  if (right <= left || bottom <= top) return Bitmap24();
  Bitmap24 cropped(right - left, bottom - top);
  for (int y = top; y < bottom; ++y)
    std::memcpy(cropped.Row(y - top), bitmap.Row(y) + 3 * left, cropped.Stride());
  return cropped;
}

PixelPoint PictureFromControl(int controlX, int controlY, int magnify) {
  magnify = std::max(magnify, 1);
  return {controlX / magnify, controlY / magnify};
}

PixelRect DragRectangle(PixelPoint anchor, PixelPoint p, int pictureWidth, int pictureHeight) {
  p.x = std::clamp(p.x, 0, std::max(pictureWidth, 0));
  p.y = std::clamp(p.y, 0, std::max(pictureHeight, 0));
  return {std::min(anchor.x, p.x), std::min(anchor.y, p.y), std::max(anchor.x, p.x),
          std::max(anchor.y, p.y)};
}

bool IsAcceptableCrop(const PixelRect& rect) { return rect.Width() >= 8 && rect.Height() >= 8; }

namespace {

// New start of a span of `size` shifted by `shift`, kept inside 0..limit. The far edge is checked
// first so that a span longer than the picture ends up at 0.
int ShiftWithin(int start, int size, int shift, int limit) {
  long long moved = static_cast<long long>(start) + shift;
  if (moved + size > limit) moved = static_cast<long long>(limit) - size;
  if (moved < 0) moved = 0;
  return static_cast<int>(moved);
}

}  // namespace

PixelRect MoveCropRect(const PixelRect& rect, int dx, int dy, int pictureWidth, int pictureHeight) {
  const int left = ShiftWithin(rect.x1, rect.Width(), dx, pictureWidth);
  const int top = ShiftWithin(rect.y1, rect.Height(), dy, pictureHeight);
  return {left, top, left + rect.Width(), top + rect.Height()};
}

bool IsOverCropRect(const PixelRect& rect, int controlX, int controlY, int magnify) {
  const long long m = std::max(magnify, 1);
  return controlX >= rect.x1 * m && controlX <= rect.x2 * m && controlY >= rect.y1 * m &&
         controlY <= rect.y2 * m;
}

}  // namespace tinto

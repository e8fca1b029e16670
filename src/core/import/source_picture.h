#pragma once
// The import's source picture: fitting the target size to it, the bitmap the source pane shows
// and the conversion reads, and the arithmetic of the crop rectangle drawn over that pane.
// Rectangles (x1, y1 left and top; x2, y2 right and bottom, exclusive) and points are in
// pixels of the shown bitmap.

#include "core/import/resampler.h"
#include "core/model/bitmap.h"
#include "core/model/pixel_geometry.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

namespace tinto {

// DX, DY and the MLT window after a picture of pictureWidth x pictureHeight was opened or cropped.
// Without stretch DX = width div 8 and DY = height, each limited to its control's range; with
// stretch they stay as the user set them (the size the picture is resampled to). Either way the
// MLT window is then pulled into DX (ClampMltWindow). A picture of width 0 (none loaded) changes
// nothing. The mode is kept.
ScreenGeometry FitSizeToPicture(int pictureWidth, int pictureHeight, bool stretch,
                                const ScreenGeometry& current);

struct PreparedSource {
  Status status = Status::Ok();
  // `picture` itself or `stretched`; null when resampling failed. Valid while both live.
  const Bitmap24* bitmap = nullptr;
};

// The bitmap the source pane shows and the conversion reads: without stretch the picture itself
// (not copied; `stretched` is left alone), with stretch the picture resampled into `stretched`,
// which is made geometry.DX()*8 x geometry.DY(). An empty picture with stretch on fails with the
// resampler's "Source bitmap too small".
PreparedSource PrepareSource(const Bitmap24& picture, bool stretch, const ScreenGeometry& geometry,
                             const ResampleFilter& filter, Bitmap24& stretched);

// A copy of the pixels of `rect` inside `bitmap`. A rectangle reaching past the bitmap is clipped
// to it; one with nothing inside the bitmap gives an empty bitmap.
Bitmap24 CropBitmap(const Bitmap24& bitmap, int left, int top, int right, int bottom);

// A point on the source pane, magnified `magnify` times, in picture pixels: X div m and Y div m,
// truncating toward zero. A magnification below 1 counts as 1.
PixelPoint PictureFromControl(int controlX, int controlY, int magnify);

// The rectangle a drag from `anchor` to `p` spans, p first limited to 0..width x 0..height.
PixelRect DragRectangle(PixelPoint anchor, PixelPoint p, int pictureWidth, int pictureHeight);

// Whether a finished drag is big enough to become the crop rectangle: at least 8 x 8.
bool IsAcceptableCrop(const PixelRect& rect);

// `rect` shifted by (dx, dy); on each axis separately, a shift that would take it past an edge of
// the picture leaves it flush against that edge instead, keeping its size.
PixelRect MoveCropRect(const PixelRect& rect, int dx, int dy, int pictureWidth, int pictureHeight);

// Whether a control point lies within `rect` magnified `magnify` times, edges included.
bool IsOverCropRect(const PixelRect& rect, int controlX, int controlY, int magnify);

}  // namespace tinto

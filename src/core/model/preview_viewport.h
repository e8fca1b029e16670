#pragma once
// Where the preview window puts its enlarged picture inside its viewport: zooming about the
// viewport's centre, and panning by the pointer's displacement. Lengths and positions are in
// device pixels, relative to the viewport's top left; a picture larger than the viewport on an
// axis always covers it on that axis, a smaller one is centred.

namespace tinto {

// The picture control's rectangle in the viewport.
struct ImagePlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const ImagePlacement&) const = default;
};

struct Extent {
  int width = 0;
  int height = 0;
};

// The picture's place after its magnification becomes `magnification` (>= 1), keeping the
// picture point at the viewport's centre where it is. The factor shown now is
// image.width / bitmap.width; the arithmetic is single precision and half-way positions
// round to even. The size becomes bitmap × factor.
// On an axis where the new size exceeds the viewport, the picture is moved so that it leaves
// no gap at either edge; where it fits, it is centred with halving that truncates.
// Returns `image` unchanged when image.width or a bitmap length is not positive.
ImagePlacement ZoomAboutCentre(const ImagePlacement& image, Extent bitmap, int magnification,
                               Extent viewport);

// The position on one axis after the pointer moved by `delta` since the stored position
// `stored` was recorded. Only a picture longer than the viewport moves, and never so far that
// a gap opens at the edge it moves away from: toward positive while its start lies before
// the viewport's (position < 0), toward negative while its end lies beyond the viewport's.
int PanAxis(int position, int length, int stored, int delta, int viewportLength);

}  // namespace tinto

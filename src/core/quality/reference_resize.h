#pragma once
// The resize scores compare with: a Lanczos filter (3-lobe sinc windowed by sinc, support 3,
// widened by the shrink factor), weights normalised per output pixel, windows cut at the
// picture's edges, pixel centres at (i + 0.5) / factor, the intermediate picture held at 16 bits
// per channel, the result truncated to 8. This matches ImageMagick's
// "-filter Lanczos -resize WxH!" on 8-bit pictures, which scores made elsewhere use. It is not
// the import's resampler, whose scale and edge rules differ: a score compares with the photo,
// not with the import's input.

#include "core/model/bitmap.h"

namespace tinto {

// `photo` resized to width x height, aspect not kept. Preconditions: photo not empty, sizes >= 1.
Bitmap24 ResizeForScore(const Bitmap24& photo, int width, int height);

}  // namespace tinto

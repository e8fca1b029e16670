#pragma once
// One picture of the two-frame screen as a stand-alone bitmap: frame 0, frame 1 or their static
// mix, enlarged by a whole factor. What the tool renders and the editor exports is the same
// bitmap, made here.

#include "core/model/bitmap.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto {

enum class PictureFrame { First, Second, Mix };

// The DX * 8 by DY picture area, each pixel a `scale` x `scale` square (scale below 1 counts
// as 1); colours from the attribute bytes unless `attributes` is off (white on black).
Bitmap24 RenderFramePicture(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                            PictureFrame frame, bool attributes, int scale);

}  // namespace tinto

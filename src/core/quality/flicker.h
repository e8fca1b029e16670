#pragma once
// How much a two-frame picture flickers: the machine shows the frames alternately, and a pixel
// whose two frames differ in brightness flickers visibly.
//   mean     the mean over all pixels of |luma of frame 0 - luma of frame 1|, luma in linear
//            light 0..1 (0.2126 R + 0.7152 G + 0.0722 B of the frames' linear colours)
//   block95  the 95th percentile of that difference's mean over the 8 x 8 blocks (the last
//            row of blocks may be shorter), linear between the two nearest ranks: how much the
//            worst twentieth of the picture flickers

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto {

struct FlickerFigures {
  double mean = 0.0;
  double block95 = 0.0;
};

// The DX * 8 by DY picture area, colours from the attribute bytes.
FlickerFigures MeasureFlicker(const ScreenBuffers& screen, const ScreenGeometry& geometry);

}  // namespace tinto

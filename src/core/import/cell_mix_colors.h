#pragma once
// The four colours the static mix can show in one attribute cell, as the Perceptual conversion
// compares them.

#include <array>
#include <cstdint>

#include "core/import/cell_palette_search.h"

namespace tinto {

using LinearColor = std::array<float, 3>;  // red, green, blue in linear light

// Indexed by choice = (ink in frame 0) + 2 * (ink in frame 1).
struct CellMixColors {
  std::array<PerceivedColor, 4> perceived;
  std::array<LinearColor, 4> linear;
  std::array<std::uint8_t, 2> attrs;  // the cell's attribute in frame 0 and frame 1
  std::array<float, 4> flicker;       // per choice: how much it flickers (FrameFlicker)
};

// Luma of a perceived colour with the weights of the usual gray conversion of sRGB values.
inline float GrayOf(const PerceivedColor& color) {
  return 0.2125f * color[0] + 0.7154f * color[1] + 0.0721f * color[2];
}

}  // namespace tinto

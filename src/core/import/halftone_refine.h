#pragma once
// The second stage of the Perceptual conversion: with every cell's four colours fixed, each
// pixel's choice among them is revisited (a few passes of direct search), keeping a change when
// it lowers a cost that models what the viewer sees: the error after a blur of sigma 1 in linear
// light (weighted up in dark parts, where the eye tells small differences apart), the pixel's own
// error, and the loss of local luma structure (windowed SSIM).

#include <cstdint>
#include <vector>

#include "core/import/cell_mix_colors.h"

namespace tinto {

struct HalftonePlan {
  int width = 0;
  int height = 0;
  std::vector<LinearColor> source;   // width * height, row by row
  std::vector<CellMixColors> cells;  // every attribute cell of the picture
  std::vector<int> cellOf;           // per pixel: its index in `cells`
  std::vector<std::uint8_t> choice;  // per pixel: 0..3 into its cell's colours
};

// Changes only `plan.choice`. Deterministic: pixels are visited in a fixed order.
void RefineHalftone(HalftonePlan& plan);

}  // namespace tinto

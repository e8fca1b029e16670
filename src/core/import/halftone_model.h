#pragma once
// What the Perceptual conversion's refinement minimises, kept up to date pixel by pixel: the
// error of the picture as a viewer sees it (blurred, sigma 1, in linear light) measured at each
// pixel with CIEDE2000's own local measure of colour difference; each pixel's own error; its
// flicker; and the loss of local luma structure (windowed SSIM). A change's effect on all four is
// read at the changed pixel alone.

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "core/import/cell_mix_colors.h"
#include "core/import/local_ssim.h"

namespace tinto {

struct HalftonePlan {
  int width = 0;
  int height = 0;
  std::vector<LinearColor> source;   // width * height, row by row
  std::vector<CellMixColors> cells;  // every attribute cell of the picture
  std::vector<int> cellOf;           // per pixel: its index in `cells`
  std::vector<std::uint8_t> choice;  // per pixel: 0..3 into its cell's colours
  float flickerCost = 0;             // per unit of a pixel's flicker, in the pixel error's units
  // The palette that suits `count` target colours best, searched from `start`'s colours.
  std::function<CellMixColors(const PerceivedColor* targets, int count, const CellMixColors& start)>
      improvePalette;
};

class HalftoneModel {
 public:
  // The state of `plan` as it is now: its source, cells and choices.
  explicit HalftoneModel(const HalftonePlan& plan);

  // changes[i]: how much the cost changes if pixel (x, y) shows colour tos[i] of `toCell`
  // instead of colour `from` of `fromCell`. Precondition: 1 <= count <= 4.
  void CostChanges(int x, int y, const CellMixColors& fromCell, int from,
                   const CellMixColors& toCell, const int* tos, int count, float* changes) const;
  // The colour of `toCell` that lowers the cost most (ties: the first), and by how much.
  std::pair<int, float> BestOf(int x, int y, const CellMixColors& fromCell, int from,
                               const CellMixColors& toCell) const;
  // Pixel (x, y) now shows colour `to` of `toCell` instead of colour `from` of `fromCell`.
  void Apply(int x, int y, const CellMixColors& fromCell, int from, const CellMixColors& toCell,
             int to);

  // The colour pixel (x, y), now showing `shown`, would show to cancel the blurred error of
  // itself and its neighbours, clamped to 0..1.
  LinearColor Ideal(int x, int y, const LinearColor& shown) const;
  const PerceivedColor& Target(int x, int y) const { return m_targets[At(x, y)]; }

 private:
  using Metric = std::array<float, 6>;  // symmetric 3x3: rr, rg, rb, gg, gb, bb

  std::size_t At(int x, int y) const { return static_cast<std::size_t>(y) * m_width + x; }
  std::size_t Padded(int x, int y) const;
  void PrepareMetric(const std::vector<LinearColor>& source);
  void SpreadError(const HalftonePlan& plan);
  void SpreadRow(int y, LinearColor* out) const;

  int m_width;
  int m_height;
  int m_stride;
  float m_flickerCost;
  std::vector<PerceivedColor> m_targets;
  std::vector<Metric> m_metric;
  std::vector<LinearColor> m_spread;  // autocorrelation * (shown - source), padded every side
  LocalSsim m_ssim;
};

}  // namespace tinto

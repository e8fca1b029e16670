#include "core/import/halftone_model.h"

#include <algorithm>
#include <cmath>

#include "core/import/mix_light.h"
#include "core/import/vector_clones.h"
#include "core/quality/color_difference.h"

namespace tinto {
namespace {

// Weights of the pixel's own error (with its flicker) and of the luma structure against the
// blurred error; how much more a pixel's flicker counts here than while the cells are chosen.
constexpr float kSharpWeight = 2.2f;
constexpr float kStructureWeight = 0.3f;
constexpr float kFlickerShare = 6.0f;
// CIEDE2000's measure is in squared CIELAB units; this brings it to the pixel error's scale.
constexpr float kBlurScale = 0.00067f;

// The blur of the viewing model, sigma 1, and its autocorrelation: what a change at one pixel
// does to the blurred error around it, one dimension (the 2-D kernel is the outer product).
constexpr int kBlurRadius = 3;
constexpr int kReach = 2 * kBlurRadius;
using BlurKernel = std::array<float, 2 * kBlurRadius + 1>;
using Autocorrelation = std::array<float, 2 * kReach + 1>;
// One row of a change's reach in the spread error: 2 * kReach + 1 pixels of three components.
constexpr int kSpreadRow = 3 * (2 * kReach + 1);

BlurKernel MakeBlur() {
  BlurKernel blur;
  float sum = 0;
  for (int i = -kBlurRadius; i <= kBlurRadius; ++i)
    sum += blur[i + kBlurRadius] = std::exp(-0.5f * static_cast<float>(i * i));
  for (float& v : blur) v /= sum;
  return blur;
}

struct SpreadWeights {
  Autocorrelation autocorrelation{};
  float center = 0;                   // a change's weight on its own pixel
  std::array<float, kSpreadRow> row;  // the autocorrelation along a row, per component
};

const SpreadWeights& Spread() {
  static const SpreadWeights weights = [] {
    const BlurKernel blur = MakeBlur();
    SpreadWeights w;
    for (int d = -kReach; d <= kReach; ++d)
      for (int i = -kBlurRadius; i <= kBlurRadius; ++i)
        if (std::abs(i + d) <= kBlurRadius)
          w.autocorrelation[d + kReach] += blur[i + kBlurRadius] * blur[i + d + kBlurRadius];
    w.center = w.autocorrelation[kReach] * w.autocorrelation[kReach];
    for (int i = 0; i < kSpreadRow; ++i) w.row[i] = w.autocorrelation[i / 3];
    return w;
  }();
  return weights;
}

TINTO_VECTOR_CLONES void AddScaled(const float* change, float scale, float* row) {
  for (int i = 0; i < kSpreadRow; ++i) row[i] += scale * change[i];
}

PerceivedColor PerceivedOf(const LinearColor& color) {
  return {PerceivedOfLinear(color[0]), PerceivedOfLinear(color[1]), PerceivedOfLinear(color[2])};
}

std::vector<PerceivedColor> PerceivedOf(const std::vector<LinearColor>& source) {
  std::vector<PerceivedColor> perceived(source.size());
  for (std::size_t i = 0; i < source.size(); ++i) perceived[i] = PerceivedOf(source[i]);
  return perceived;
}

std::vector<float> GraysOf(const std::vector<PerceivedColor>& colors) {
  std::vector<float> grays(colors.size());
  for (std::size_t i = 0; i < grays.size(); ++i) grays[i] = GrayOf(colors[i]);
  return grays;
}

std::vector<float> ShownGrays(const HalftonePlan& plan) {
  std::vector<float> grays(plan.source.size());
  for (std::size_t i = 0; i < grays.size(); ++i)
    grays[i] = GrayOf(plan.cells[plan.cellOf[i]].perceived[plan.choice[i]]);
  return grays;
}

// The blur along row y of the picture, the edges repeated.
void BlurRow(const std::vector<LinearColor>& picture, int width, int y, const BlurKernel& blur,
             LinearColor* out) {
  for (int x = 0; x < width; ++x) {
    LinearColor sum{};
    for (int d = -kBlurRadius; d <= kBlurRadius; ++d) {
      const std::size_t from =
          static_cast<std::size_t>(y) * width + std::clamp(x + d, 0, width - 1);
      for (int c = 0; c < 3; ++c) sum[c] += blur[d + kBlurRadius] * picture[from][c];
    }
    out[x] = sum;
  }
}

// Rows, then columns, of the blur, the edges repeated; `use(at, blurred)` takes each pixel. Only
// the blurred rows the current row's columns need are kept.
template <typename Use>
void ForEachBlurred(const std::vector<LinearColor>& picture, int width, int height, Use use) {
  constexpr int kRing = 2 * kBlurRadius + 1;
  const BlurKernel blur = MakeBlur();
  std::vector<LinearColor> rows(static_cast<std::size_t>(kRing) * width);
  const auto row = [&](int y) { return &rows[static_cast<std::size_t>(y % kRing) * width]; };
  int rowsMade = 0;
  for (int y = 0; y < height; ++y) {
    for (; rowsMade <= std::min(y + kBlurRadius, height - 1); ++rowsMade)
      BlurRow(picture, width, rowsMade, blur, row(rowsMade));
    for (int x = 0; x < width; ++x) {
      LinearColor b{};
      for (int d = -kBlurRadius; d <= kBlurRadius; ++d) {
        const LinearColor& from = row(std::clamp(y + d, 0, height - 1))[x];
        for (int c = 0; c < 3; ++c) b[c] += blur[d + kBlurRadius] * from[c];
      }
      use(static_cast<std::size_t>(y) * width + x, b);
    }
  }
}

float Quadratic(const std::array<float, 6>& m, const LinearColor& d, const LinearColor& v) {
  return d[0] * (m[0] * v[0] + m[1] * v[1] + m[2] * v[2]) +
         d[1] * (m[1] * v[0] + m[3] * v[1] + m[4] * v[2]) +
         d[2] * (m[2] * v[0] + m[4] * v[1] + m[5] * v[2]);
}

}  // namespace

HalftoneModel::HalftoneModel(const HalftonePlan& plan)
    : m_width(plan.width),
      m_height(plan.height),
      m_stride(plan.width + 2 * kReach),
      m_flickerCost(plan.flickerCost),
      m_targets(PerceivedOf(plan.source)),
      m_spread(static_cast<std::size_t>(m_stride) * (plan.height + 2 * kReach)),
      m_ssim(GraysOf(m_targets), ShownGrays(plan), plan.width, plan.height) {
  PrepareMetric(plan.source);
  SpreadError(plan);
}

std::size_t HalftoneModel::Padded(int x, int y) const {
  return static_cast<std::size_t>(y + kReach) * m_stride + x + kReach;
}

// At each pixel, how colour differences count there: CIEDE2000's own measure around the source
// as the viewer sees it.
void HalftoneModel::PrepareMetric(const std::vector<LinearColor>& source) {
  m_metric.resize(source.size());
  ForEachBlurred(source, m_width, m_height, [this](std::size_t at, const LinearColor& blurred) {
    const auto m = Ciede2000Metric(blurred[0], blurred[1], blurred[2]);
    for (int k = 0; k < 6; ++k) m_metric[at][k] = static_cast<float>(m[k]) * kBlurScale;
  });
}

// m_spread = autocorrelation * (shown - source), so a change's effect on the blurred error is
// read at one place. The error is kept in m_spread until its rows are spread, and only the
// spread rows the current row's columns need are kept.
void HalftoneModel::SpreadError(const HalftonePlan& plan) {
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) {
      const std::size_t at = At(x, y);
      const CellMixColors& cell = plan.cells[plan.cellOf[at]];
      for (int c = 0; c < 3; ++c)
        m_spread[Padded(x, y)][c] = cell.linear[plan.choice[at]][c] - plan.source[at][c];
    }
  const Autocorrelation& a = Spread().autocorrelation;
  constexpr int kRing = 2 * kReach + 1;
  // Columns within kReach of the sides stay 0, as does the error there.
  std::vector<LinearColor> rows(static_cast<std::size_t>(kRing) * m_stride, LinearColor{});
  const auto row = [&](int y) { return &rows[static_cast<std::size_t>(y % kRing) * m_stride]; };
  int rowsMade = 0;
  for (int y = kReach; y < m_height + kReach; ++y) {
    for (; rowsMade <= y + kReach; ++rowsMade) SpreadRow(rowsMade, row(rowsMade));
    LinearColor* out = &m_spread[static_cast<std::size_t>(y) * m_stride];
    for (int x = 0; x < m_stride; ++x) {
      LinearColor sum{};
      for (int d = -kReach; d <= kReach; ++d)
        for (int c = 0; c < 3; ++c) sum[c] += a[d + kReach] * row(y + d)[x][c];
      out[x] = sum;
    }
  }
}

// The autocorrelation along padded row y of the error in m_spread.
void HalftoneModel::SpreadRow(int y, LinearColor* out) const {
  const Autocorrelation& a = Spread().autocorrelation;
  const LinearColor* error = &m_spread[static_cast<std::size_t>(y) * m_stride];
  for (int x = kReach; x < m_stride - kReach; ++x) {
    LinearColor sum{};
    for (int d = -kReach; d <= kReach; ++d)
      for (int c = 0; c < 3; ++c) sum[c] += a[d + kReach] * error[x + d][c];
    out[x] = sum;
  }
}

void HalftoneModel::CostChanges(int x, int y, const CellMixColors& fromCell, int from,
                                const CellMixColors& toCell, const int* tos, int count,
                                float* changes) const {
  const std::size_t at = At(x, y);
  const LinearColor& spread = m_spread[Padded(x, y)];
  const float fromDistance = WeightedDistance(m_targets[at], fromCell.perceived[from]);
  std::array<float, 4> grays{};
  for (int i = 0; i < count; ++i) {
    const int to = tos[i];
    LinearColor d, v;
    for (int c = 0; c < 3; ++c) {
      d[c] = toCell.linear[to][c] - fromCell.linear[from][c];
      v[c] = 2 * spread[c] + d[c] * Spread().center;
    }
    const float blurred = Quadratic(m_metric[at], d, v);
    const float sharp = WeightedDistance(m_targets[at], toCell.perceived[to]) - fromDistance;
    const float flicker = m_flickerCost * (toCell.flicker[to] - fromCell.flicker[from]);
    changes[i] = blurred + kSharpWeight * (sharp + kFlickerShare * flicker);
    grays[i] = GrayOf(toCell.perceived[to]);
  }
  std::array<float, 4> structure;
  m_ssim.ChangesIf(x, y, grays.data(), count, structure.data());
  for (int i = 0; i < count; ++i) changes[i] -= kStructureWeight * structure[i];
}

std::pair<int, float> HalftoneModel::BestOf(int x, int y, const CellMixColors& fromCell, int from,
                                            const CellMixColors& toCell) const {
  static constexpr int kAll[4] = {0, 1, 2, 3};
  std::array<float, 4> changes;
  CostChanges(x, y, fromCell, from, toCell, kAll, 4, changes.data());
  int best = 0;
  for (int to = 1; to < 4; ++to)
    if (changes[to] < changes[best]) best = to;
  return {best, changes[best]};
}

void HalftoneModel::Apply(int x, int y, const CellMixColors& fromCell, int from,
                          const CellMixColors& toCell, int to) {
  // The same colour changes nothing: adding zeros would leave every sum as it is.
  if (toCell.linear[to] == fromCell.linear[from] &&
      GrayOf(toCell.perceived[to]) == GrayOf(fromCell.perceived[from]))
    return;
  LinearColor d;
  for (int c = 0; c < 3; ++c) d[c] = toCell.linear[to][c] - fromCell.linear[from][c];
  const SpreadWeights& weights = Spread();
  std::array<float, kSpreadRow> change;
  for (int i = 0; i < kSpreadRow; ++i) change[i] = weights.row[i] * d[i % 3];
  for (int oy = -kReach; oy <= kReach; ++oy)
    AddScaled(change.data(), weights.autocorrelation[oy + kReach],
              m_spread[Padded(x - kReach, y + oy)].data());
  m_ssim.Set(x, y, GrayOf(toCell.perceived[to]));
}

LinearColor HalftoneModel::Ideal(int x, int y, const LinearColor& shown) const {
  const LinearColor& spread = m_spread[Padded(x, y)];
  LinearColor ideal;
  for (int c = 0; c < 3; ++c)
    ideal[c] = std::clamp(shown[c] - spread[c] / Spread().center, 0.0f, 1.0f);
  return ideal;
}

}  // namespace tinto

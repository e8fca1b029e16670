#include "core/import/halftone_refine.h"

#include <algorithm>
#include <cmath>

#include "core/import/local_ssim.h"
#include "core/import/mix_light.h"

namespace tinto {
namespace {

constexpr int kPasses = 2;  // the second pass still gains; later ones barely do
// Weights of the pixel's own error and of the luma structure against the blurred error.
constexpr float kSharpWeight = 1.6f;
constexpr float kStructureWeight = 0.15f;
// The blurred error counts as luma^-kDarkExponent (luma in linear light, at least kDarkFloor):
// about how fast lightness changes with light in dark parts.
constexpr float kDarkExponent = 1.33f;
constexpr float kDarkFloor = 0.005f;

// The blur of the viewing model, sigma 1, and its autocorrelation: what a change at one pixel
// does to the blurred error around it, one dimension (the 2-D kernel is the outer product).
constexpr int kBlurRadius = 3;
constexpr int kReach = 2 * kBlurRadius;
using Autocorrelation = std::array<float, 2 * kReach + 1>;

Autocorrelation MakeAutocorrelation() {
  std::array<float, 2 * kBlurRadius + 1> blur;
  float sum = 0;
  for (int i = -kBlurRadius; i <= kBlurRadius; ++i)
    sum += blur[i + kBlurRadius] = std::exp(-0.5f * static_cast<float>(i * i));
  for (float& v : blur) v /= sum;
  Autocorrelation result{};
  for (int d = -kReach; d <= kReach; ++d)
    for (int i = -kBlurRadius; i <= kBlurRadius; ++i)
      if (std::abs(i + d) <= kBlurRadius)
        result[d + kReach] += blur[i + kBlurRadius] * blur[i + d + kBlurRadius];
  return result;
}

PerceivedColor PerceivedOf(const LinearColor& color) {
  return {PerceivedOfLinear(color[0]), PerceivedOfLinear(color[1]), PerceivedOfLinear(color[2])};
}

class Refiner {
 public:
  explicit Refiner(HalftonePlan& plan)
      : m_plan(plan),
        m_stride(plan.width + 2 * kReach),
        m_autocorrelation(MakeAutocorrelation()),
        m_spread(static_cast<std::size_t>(m_stride) * (plan.height + 2 * kReach)),
        m_ssim(TargetGrays(), ShownGrays(), plan.width, plan.height) {
    m_center = m_autocorrelation[kReach] * m_autocorrelation[kReach];
    PrepareTargets();
    SpreadError();
  }

  void Run() {
    for (int pass = 0; pass < kPasses; ++pass) {
      int changes = 0;
      for (int y = 0; y < m_plan.height; ++y)
        for (int x = 0; x < m_plan.width; ++x) changes += Revisit(x, y);
      if (changes == 0) break;
    }
  }

 private:
  std::size_t At(int x, int y) const { return static_cast<std::size_t>(y) * m_plan.width + x; }
  std::size_t Padded(int x, int y) const {
    return static_cast<std::size_t>(y + kReach) * m_stride + x + kReach;
  }
  const CellMixColors& CellAt(std::size_t at) const { return m_plan.cells[m_plan.cellOf[at]]; }

  std::vector<float> TargetGrays() const {
    std::vector<float> grays(m_plan.source.size());
    for (std::size_t i = 0; i < grays.size(); ++i) grays[i] = GrayOf(PerceivedOf(m_plan.source[i]));
    return grays;
  }

  std::vector<float> ShownGrays() const {
    std::vector<float> grays(m_plan.source.size());
    for (std::size_t i = 0; i < grays.size(); ++i)
      grays[i] = GrayOf(CellAt(i).perceived[m_plan.choice[i]]);
    return grays;
  }

  void PrepareTargets() {
    m_targets.resize(m_plan.source.size());
    m_darkWeights.resize(m_plan.source.size());
    for (std::size_t i = 0; i < m_targets.size(); ++i) {
      const LinearColor& t = m_plan.source[i];
      m_targets[i] = PerceivedOf(t);
      const float luma = 0.2126f * t[0] + 0.7152f * t[1] + 0.0722f * t[2];
      m_darkWeights[i] = std::pow(std::max(luma, kDarkFloor), -kDarkExponent);
    }
  }

  // m_spread = autocorrelation * (shown - source), so a change's effect on the blurred error is
  // read at one place.
  void SpreadError() {
    std::vector<LinearColor> error(m_spread.size(), LinearColor{});
    for (int y = 0; y < m_plan.height; ++y)
      for (int x = 0; x < m_plan.width; ++x) {
        const std::size_t at = At(x, y);
        for (int c = 0; c < 3; ++c)
          error[Padded(x, y)][c] = CellAt(at).linear[m_plan.choice[at]][c] - m_plan.source[at][c];
      }
    std::vector<LinearColor> rows(m_spread.size(), LinearColor{});
    const int height = m_plan.height + 2 * kReach;
    for (int y = 0; y < height; ++y)
      for (int x = kReach; x < m_stride - kReach; ++x)
        for (int d = -kReach; d <= kReach; ++d)
          for (int c = 0; c < 3; ++c)
            rows[y * m_stride + x][c] +=
                m_autocorrelation[d + kReach] * error[y * m_stride + x + d][c];
    for (int y = kReach; y < height - kReach; ++y)
      for (int x = 0; x < m_stride; ++x)
        for (int d = -kReach; d <= kReach; ++d)
          for (int c = 0; c < 3; ++c)
            m_spread[y * m_stride + x][c] +=
                m_autocorrelation[d + kReach] * rows[(y + d) * m_stride + x][c];
  }

  // How much the cost changes if pixel (x, y) shows `to` instead of `from`.
  float CostChange(int x, int y, int from, int to) {
    const std::size_t at = At(x, y);
    const CellMixColors& cell = CellAt(at);
    const LinearColor& spread = m_spread[Padded(x, y)];
    float blurred = 0;
    for (int c = 0; c < 3; ++c) {
      const float d = cell.linear[to][c] - cell.linear[from][c];
      blurred += kChannelWeights[c] * (2 * d * spread[c] + d * d * m_center);
    }
    const float sharp = WeightedDistance(m_targets[at], cell.perceived[to]) -
                        WeightedDistance(m_targets[at], cell.perceived[from]);
    return m_darkWeights[at] * blurred + kSharpWeight * sharp -
           kStructureWeight * m_ssim.ChangeIf(x, y, GrayOf(cell.perceived[to]));
  }

  int Revisit(int x, int y) {
    const std::size_t at = At(x, y);
    const int from = m_plan.choice[at];
    int best = from;
    float bestChange = 0;
    for (int to = 0; to < 4; ++to) {
      if (CellAt(at).linear[to] == CellAt(at).linear[from]) continue;
      const float change = CostChange(x, y, from, to);
      if (change < bestChange) {
        best = to;
        bestChange = change;
      }
    }
    if (best == from) return 0;
    Apply(x, y, from, best);
    return 1;
  }

  void Apply(int x, int y, int from, int to) {
    const std::size_t at = At(x, y);
    const CellMixColors& cell = CellAt(at);
    LinearColor d;
    for (int c = 0; c < 3; ++c) d[c] = cell.linear[to][c] - cell.linear[from][c];
    for (int oy = -kReach; oy <= kReach; ++oy) {
      LinearColor* row = &m_spread[Padded(x, y + oy)];
      for (int ox = -kReach; ox <= kReach; ++ox) {
        const float w = m_autocorrelation[oy + kReach] * m_autocorrelation[ox + kReach];
        for (int c = 0; c < 3; ++c) row[ox][c] += w * d[c];
      }
    }
    m_ssim.Set(x, y, GrayOf(cell.perceived[to]));
    m_plan.choice[at] = static_cast<std::uint8_t>(to);
  }

  HalftonePlan& m_plan;
  int m_stride;
  Autocorrelation m_autocorrelation;
  float m_center = 0;
  std::vector<LinearColor> m_spread;  // padded by kReach on every side
  LocalSsim m_ssim;
  std::vector<PerceivedColor> m_targets;
  std::vector<float> m_darkWeights;
};

}  // namespace

void RefineHalftone(HalftonePlan& plan) { Refiner(plan).Run(); }

}  // namespace tinto

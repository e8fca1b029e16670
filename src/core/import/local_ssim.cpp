#include "core/import/local_ssim.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tinto {
namespace {

constexpr int kRadius = 3;
constexpr int kSide = 2 * kRadius + 1;

using AxisWeightTable = std::array<float, kSide>;

AxisWeightTable MakeAxisWeights() {
  AxisWeightTable weights;
  float sum = 0;
  for (int d = -kRadius; d <= kRadius; ++d)
    sum += weights[d + kRadius] = std::exp(-static_cast<float>(d * d) / (2 * 1.5f * 1.5f));
  for (float& w : weights) w /= sum;
  return weights;
}

// One axis of the window; the window's weight at (dx, dy) is the product of two of them.
const AxisWeightTable& AxisWeights() {
  static const AxisWeightTable weights = MakeAxisWeights();
  return weights;
}

float SsimOf(float meanX, float varianceX, float meanY, float meanYY, float meanXY) {
  constexpr float c1 = 0.01f * 0.01f, c2 = 0.03f * 0.03f;  // the usual constants, range 1
  const float varianceY = meanYY - meanY * meanY;
  const float covariance = meanXY - meanX * meanY;
  return (2 * meanX * meanY + c1) * (2 * covariance + c2) /
         ((meanX * meanX + meanY * meanY + c1) * (varianceX + varianceY + c2));
}

}  // namespace

LocalSsim::LocalSsim(const std::vector<float>& reference, const std::vector<float>& picture,
                     int width, int height)
    : m_width(width), m_height(height), m_reference(reference), m_picture(picture) {
  // The window's weights are a product of one weight per axis, so its sums run along rows, then
  // along columns: x, x*x, y, y*y and x*y.
  constexpr int kSums = 5;
  const std::size_t count = reference.size();
  std::vector<std::array<float, kSums>> values(count), rows(count);
  for (std::size_t i = 0; i < count; ++i)
    values[i] = {reference[i], reference[i] * reference[i], picture[i], picture[i] * picture[i],
                 reference[i] * picture[i]};
  const auto& weights = AxisWeights();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int d = std::max(-kRadius, -x); d <= std::min(kRadius, width - 1 - x); ++d)
        for (int k = 0; k < kSums; ++k)
          rows[y * width + x][k] += weights[d + kRadius] * values[y * width + x + d][k];
  m_windows.resize(count);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::array<float, kSums> sums{};
      for (int d = std::max(-kRadius, -y); d <= std::min(kRadius, height - 1 - y); ++d)
        for (int k = 0; k < kSums; ++k)
          sums[k] += weights[d + kRadius] * rows[(y + d) * width + x][k];
      const float vx = sums[1] - sums[0] * sums[0];
      m_windows[y * width + x] = {sums[0], vx,      sums[2],
                                  sums[3], sums[4], SsimOf(sums[0], vx, sums[2], sums[3], sums[4])};
    }
}

float LocalSsim::ChangeIf(int x, int y, float gray) const {
  const int at = y * m_width + x;
  const float was = m_picture[at];
  const float dy = gray - was, dyy = gray * gray - was * was, dxy = m_reference[at] * dy;
  if (dy == 0) return 0;
  const auto& weights = AxisWeights();
  const int left = std::max(-kRadius, -x), right = std::min(kRadius, m_width - 1 - x);
  float change = 0;
  for (int oy = std::max(-kRadius, -y); oy <= std::min(kRadius, m_height - 1 - y); ++oy) {
    const Window* row = &m_windows[(y + oy) * m_width + x];
    for (int ox = left; ox <= right; ++ox) {
      const float w = weights[oy + kRadius] * weights[ox + kRadius];
      const Window& window = row[ox];
      change += SsimOf(window.meanX, window.varianceX, window.meanY + w * dy,
                       window.meanYY + w * dyy, window.meanXY + w * dxy) -
                window.ssim;
    }
  }
  return change;
}

void LocalSsim::Set(int x, int y, float gray) {
  const int at = y * m_width + x;
  const float was = m_picture[at];
  const float dy = gray - was, dyy = gray * gray - was * was, dxy = m_reference[at] * dy;
  const auto& weights = AxisWeights();
  for (int oy = std::max(-kRadius, -y); oy <= std::min(kRadius, m_height - 1 - y); ++oy)
    for (int ox = std::max(-kRadius, -x); ox <= std::min(kRadius, m_width - 1 - x); ++ox) {
      const float w = weights[oy + kRadius] * weights[ox + kRadius];
      Window& window = m_windows[(y + oy) * m_width + x + ox];
      window.meanY += w * dy;
      window.meanYY += w * dyy;
      window.meanXY += w * dxy;
      window.ssim =
          SsimOf(window.meanX, window.varianceX, window.meanY, window.meanYY, window.meanXY);
    }
  m_picture[at] = gray;
}

}  // namespace tinto

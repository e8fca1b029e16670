#include "core/import/local_ssim.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "core/import/vector_clones.h"

namespace tinto {
namespace {

constexpr int kRadius = 2;  // radius 3 chooses no better, and costs twice the time
constexpr int kSide = 2 * kRadius + 1;
// A row of windows is read as kLanes values, the last one spare: a whole number of vector
// registers, so that the compiler runs the windows of a row side by side.
constexpr int kLanes = 8;

using AxisWeightTable = std::array<float, kSide>;
using LaneWeights = std::array<float, kLanes>;

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

inline float SsimOf(float meanX, float varianceX, float meanY, float meanYY, float meanXY) {
  constexpr float c1 = 0.01f * 0.01f, c2 = 0.03f * 0.03f;  // the usual constants, range 1
  const float varianceY = meanYY - meanY * meanY;
  const float covariance = meanXY - meanX * meanY;
  return (2 * meanX * meanY + c1) * (2 * covariance + c2) /
         ((meanX * meanX + meanY * meanY + c1) * (varianceX + varianceY + c2));
}

// The column weights of the windows around column x, 0 for windows beyond the picture's edges:
// a padded window keeps all-zero statistics, whose SSIM is exactly 1 before and after.
LaneWeights ColumnWeights(int x, int width) {
  const auto& weights = AxisWeights();
  LaneWeights lanes{};
  for (int i = 0; i < kSide; ++i)
    if (x + i - kRadius >= 0 && x + i - kRadius < width) lanes[i] = weights[i];
  return lanes;
}

}  // namespace

std::size_t LocalSsim::Window(int x, int y) const {
  return static_cast<std::size_t>(y) * m_stride + x + kRadius;
}

LocalSsim::LocalSsim(std::vector<float> reference, std::vector<float> picture, int width,
                     int height)
    : m_width(width),
      m_height(height),
      m_stride(width + kRadius + (kLanes - kRadius)),
      m_reference(std::move(reference)),
      m_picture(std::move(picture)) {
  for (std::vector<float>& plane : m_planes)
    plane.assign(static_cast<std::size_t>(m_stride) * height, 0.0f);
  m_planes[kSsim].assign(m_planes[kSsim].size(), 1.0f);
  // The window's weights are a product of one weight per axis, so its sums run along rows, then
  // along columns; a row's sums are kept only while the windows of the rows near it need them.
  std::vector<RowSums> rows(static_cast<std::size_t>(kSide) * width);
  const auto& weights = AxisWeights();
  int rowsMade = 0;
  for (int y = 0; y < height; ++y) {
    for (; rowsMade <= std::min(y + kRadius, height - 1); ++rowsMade)
      SumRow(rowsMade, &rows[static_cast<std::size_t>(rowsMade % kSide) * width]);
    for (int x = 0; x < width; ++x) {
      RowSums sums{};
      for (int d = std::max(-kRadius, -y); d <= std::min(kRadius, height - 1 - y); ++d)
        for (int k = 0; k < kSums; ++k)
          sums[k] +=
              weights[d + kRadius] * rows[static_cast<std::size_t>((y + d) % kSide) * width + x][k];
      SetWindow(x, y, sums);
    }
  }
}

// out[x]: the sums of x, x*x, y, y*y and x*y along row y, weighted around x.
void LocalSsim::SumRow(int y, RowSums* out) const {
  const auto& weights = AxisWeights();
  for (int x = 0; x < m_width; ++x) {
    out[x] = RowSums{};
    for (int d = std::max(-kRadius, -x); d <= std::min(kRadius, m_width - 1 - x); ++d) {
      const std::size_t i = static_cast<std::size_t>(y) * m_width + x + d;
      const float r = m_reference[i], p = m_picture[i];
      const RowSums values = {r, r * r, p, p * p, r * p};
      for (int k = 0; k < kSums; ++k) out[x][k] += weights[d + kRadius] * values[k];
    }
  }
}

void LocalSsim::SetWindow(int x, int y, const RowSums& sums) {
  const float vx = sums[1] - sums[0] * sums[0];
  const std::size_t at = Window(x, y);
  m_planes[kMeanX][at] = sums[0];
  m_planes[kVarianceX][at] = vx;
  m_planes[kMeanY][at] = sums[2];
  m_planes[kMeanYY][at] = sums[3];
  m_planes[kMeanXY][at] = sums[4];
  m_planes[kSsim][at] = SsimOf(sums[0], vx, sums[2], sums[3], sums[4]);
}

TINTO_VECTOR_CLONES void LocalSsim::ChangesIf(int x, int y, const float* grays, int count,
                                              float* changes) const {
  const int at = y * m_width + x;
  const float was = m_picture[at];
  const auto& weights = AxisWeights();
  const LaneWeights columns = ColumnWeights(x, m_width);
  const int top = std::max(-kRadius, -y), bottom = std::min(kRadius, m_height - 1 - y);
  std::array<LaneWeights, kSide> w;
  for (int oy = top; oy <= bottom; ++oy)
    for (int i = 0; i < kLanes; ++i) w[oy + kRadius][i] = weights[oy + kRadius] * columns[i];
  // One gray at a time, its lanes kept in registers over the rows; each lane still adds its
  // rows top to bottom. An unchanged gray changes nothing, and costs nothing.
  for (int g = 0; g < count; ++g) {
    const float dy = grays[g] - was;
    if (dy == 0) {
      changes[g] = 0.0f;
      continue;
    }
    const float dyy = grays[g] * grays[g] - was * was, dxy = m_reference[at] * dy;
    LaneWeights lane{};
    for (int oy = top; oy <= bottom; ++oy) {
      const std::size_t first = Window(x - kRadius, y + oy);
      const float* meanX = &m_planes[kMeanX][first];
      const float* varianceX = &m_planes[kVarianceX][first];
      const float* meanY = &m_planes[kMeanY][first];
      const float* meanYY = &m_planes[kMeanYY][first];
      const float* meanXY = &m_planes[kMeanXY][first];
      const float* ssim = &m_planes[kSsim][first];
      const LaneWeights& rowWeights = w[oy + kRadius];
      for (int i = 0; i < kLanes; ++i)
        lane[i] += SsimOf(meanX[i], varianceX[i], meanY[i] + rowWeights[i] * dy,
                          meanYY[i] + rowWeights[i] * dyy, meanXY[i] + rowWeights[i] * dxy) -
                   ssim[i];
    }
    // Each lane sums one column of windows; the columns are added in a fixed order, so that the
    // result does not depend on how the compiler runs the lanes.
    changes[g] =
        ((lane[0] + lane[1]) + (lane[2] + lane[3])) + ((lane[4] + lane[5]) + (lane[6] + lane[7]));
  }
}

TINTO_VECTOR_CLONES void LocalSsim::Set(int x, int y, float gray) {
  const int at = y * m_width + x;
  const float was = m_picture[at];
  const float dy = gray - was, dyy = gray * gray - was * was, dxy = m_reference[at] * dy;
  const auto& weights = AxisWeights();
  const LaneWeights columns = ColumnWeights(x, m_width);
  for (int oy = std::max(-kRadius, -y); oy <= std::min(kRadius, m_height - 1 - y); ++oy) {
    const std::size_t first = Window(x - kRadius, y + oy);
    float* meanX = &m_planes[kMeanX][first];
    float* varianceX = &m_planes[kVarianceX][first];
    float* meanY = &m_planes[kMeanY][first];
    float* meanYY = &m_planes[kMeanYY][first];
    float* meanXY = &m_planes[kMeanXY][first];
    float* ssim = &m_planes[kSsim][first];
    for (int i = 0; i < kLanes; ++i) {
      const float w = weights[oy + kRadius] * columns[i];
      meanY[i] += w * dy;
      meanYY[i] += w * dyy;
      meanXY[i] += w * dxy;
      ssim[i] = SsimOf(meanX[i], varianceX[i], meanY[i], meanYY[i], meanXY[i]);
    }
  }
  m_picture[at] = gray;
}

}  // namespace tinto

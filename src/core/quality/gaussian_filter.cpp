#include "core/quality/gaussian_filter.h"

#include <cmath>

namespace tinto {
namespace {

// Index i of a line of n values extended by mirroring, also for lines shorter than the kernel.
int MirroredIndex(int i, int n) {
  const int period = 2 * n;
  i %= period;
  if (i < 0) i += period;
  return i < n ? i : period - 1 - i;
}

}  // namespace

std::vector<double> GaussianKernel(double sigma, double truncate) {
  const int radius = static_cast<int>(truncate * sigma + 0.5);
  std::vector<double> kernel(2 * radius + 1);
  double sum = 0.0;
  for (int k = -radius; k <= radius; ++k)
    sum += kernel[k + radius] = std::exp(-0.5 / (sigma * sigma) * k * k);
  for (double& weight : kernel) weight /= sum;
  return kernel;
}

void Reshape(Plane& plane, int width, int height) {
  plane.width = width;
  plane.height = height;
  plane.values.assign(static_cast<std::size_t>(width) * height, 0.0);
}

Plane GaussianFiltered(const Plane& plane, const std::vector<double>& kernel) {
  Plane across, result;
  GaussianFilter(plane, kernel, across, result);
  return result;
}

void GaussianFilter(const Plane& plane, const std::vector<double>& kernel, Plane& across,
                    Plane& result) {
  const int radius = static_cast<int>(kernel.size() / 2);
  const int w = plane.width, h = plane.height;
  Reshape(across, w, h);
  Reshape(result, w, h);
  std::vector<double> line(w + 2 * radius);
  for (int y = 0; y < h; ++y) {
    const double* in = plane.values.data() + static_cast<std::size_t>(y) * w;
    for (int i = -radius; i < w + radius; ++i) line[i + radius] = in[MirroredIndex(i, w)];
    double* out = across.values.data() + static_cast<std::size_t>(y) * w;
    // Tap after tap over the whole row: independent sums the compiler can vectorise.
    for (std::size_t k = 0; k < kernel.size(); ++k)
      for (int x = 0; x < w; ++x) out[x] += kernel[k] * line[x + k];
  }
  // Down the columns a whole row at a time, so that memory is read in order.
  for (int y = 0; y < h; ++y) {
    double* out = result.values.data() + static_cast<std::size_t>(y) * w;
    for (std::size_t k = 0; k < kernel.size(); ++k) {
      const int from = MirroredIndex(y + static_cast<int>(k) - radius, h);
      const double* in = across.values.data() + static_cast<std::size_t>(from) * w;
      for (int x = 0; x < w; ++x) out[x] += kernel[k] * in[x];
    }
  }
}

}  // namespace tinto

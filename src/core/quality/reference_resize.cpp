#include "core/quality/reference_resize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace tinto {
namespace {

constexpr double kSupport = 3.0;
// ImageMagick nudges every centre by its epsilon so that ties fall the same way on every machine.
constexpr double kEpsilon = 1.0e-12;
constexpr double kQuantumMax = 65535.0;

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  const double px = std::numbers::pi * x;
  return std::sin(px) / px;
}

double Lanczos(double x) { return Sinc(x) * Sinc(x / kSupport); }

struct Taps {
  int first = 0;
  std::vector<double> weights;
};

// Weights of every output position along one axis, `factor` = output / input size.
std::vector<Taps> AxisTaps(int inputSize, int outputSize) {
  const double factor = static_cast<double>(outputSize) / inputSize;
  double scale = std::max(1.0 / factor + kEpsilon, 1.0);
  const double support = scale * kSupport;
  scale = 1.0 / scale;
  std::vector<Taps> taps(outputSize);
  for (int i = 0; i < outputSize; ++i) {
    const double centre = (i + 0.5) / factor + kEpsilon;
    const int start = static_cast<int>(std::max(centre - support + 0.5, 0.0));
    const int stop = static_cast<int>(std::min(centre + support + 0.5, double(inputSize)));
    Taps& t = taps[i];
    t.first = start;
    double density = 0.0;
    for (int n = start; n < stop; ++n) {
      t.weights.push_back(Lanczos(scale * (n - centre + 0.5)));
      density += t.weights.back();
    }
    if (density != 0.0 && density != 1.0)
      for (double& w : t.weights) w /= density;
  }
  return taps;
}

std::uint16_t ClampToQuantum(double value) {
  if (value <= 0.0) return 0;
  if (value >= kQuantumMax) return 65535;
  return static_cast<std::uint16_t>(value + 0.5);
}

// A picture of 16-bit channels, three per pixel, rows one after another.
struct Plane16 {
  int width = 0, height = 0;
  std::vector<std::uint16_t> values;
  std::uint16_t* At(int x, int y) {
    return values.data() + 3 * (static_cast<std::size_t>(y) * width + x);
  }
  std::uint16_t Channel(int x, int y, int c) const {
    return values[3 * (static_cast<std::size_t>(y) * width + x) + c];
  }
};

// The photo read as 16-bit channels (8-bit value x 257) where it lies: a 100-megapixel photo
// copied at 16 bits would take twice its own memory again.
struct PhotoChannels {
  const Bitmap24& photo;
  int width, height;
  std::uint16_t Channel(int x, int y, int c) const {
    return static_cast<std::uint16_t>(photo.Row(y)[3 * x + c] * 257);
  }
};

template <typename Source>
Plane16 Resized(const Source& in, int width, int height, bool horizontal) {
  Plane16 out{width, height,
              std::vector<std::uint16_t>(3 * static_cast<std::size_t>(width) * height)};
  const std::vector<Taps> taps =
      horizontal ? AxisTaps(in.width, width) : AxisTaps(in.height, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Taps& t = taps[horizontal ? x : y];
      double sum[3] = {0.0, 0.0, 0.0};
      for (std::size_t k = 0; k < t.weights.size(); ++k) {
        const int at = t.first + static_cast<int>(k);
        for (int c = 0; c < 3; ++c)
          sum[c] += t.weights[k] * (horizontal ? in.Channel(at, y, c) : in.Channel(x, at, c));
      }
      for (int c = 0; c < 3; ++c) out.At(x, y)[c] = ClampToQuantum(sum[c]);
    }
  return out;
}

}  // namespace

Bitmap24 ResizeForScore(const Bitmap24& photo, int width, int height) {
  const PhotoChannels picture{photo, photo.Width(), photo.Height()};
  const double xFactor = static_cast<double>(width) / photo.Width();
  const double yFactor = static_cast<double>(height) / photo.Height();
  // ImageMagick filters first along the axis that shrinks least.
  const bool horizontalFirst = xFactor > yFactor;
  Plane16 between = horizontalFirst ? Resized(picture, width, photo.Height(), true)
                                    : Resized(picture, photo.Width(), height, false);
  Plane16 result = horizontalFirst ? Resized(between, width, height, false)
                                   : Resized(between, width, height, true);
  Bitmap24 out(width, height);
  for (int y = 0; y < height; ++y)
    for (int i = 0; i < 3 * width; ++i) {
      // Writing 8 bits per channel ImageMagick truncates (measured: q div 257 on every pixel).
      out.Row(y)[i] = static_cast<std::uint8_t>(
          result.values[3 * static_cast<std::size_t>(y) * width + i] / 257);
    }
  return out;
}

}  // namespace tinto

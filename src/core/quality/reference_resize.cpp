#include "core/quality/reference_resize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <system_error>
#include <thread>
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
  const std::uint16_t* Row(int y) const {
    return values.data() + 3 * static_cast<std::size_t>(y) * width;
  }
  std::uint16_t* Row(int y) { return values.data() + 3 * static_cast<std::size_t>(y) * width; }
};

// The rows of the photo (bytes) or of the picture between the passes (16 bits), each channel
// read as the 16-bit value ImageMagick holds: a byte b is b * 257.
struct PhotoRows {
  const Bitmap24& photo;
  int Width() const { return photo.Width(); }
  int Height() const { return photo.Height(); }
  const std::uint8_t* Row(int y) const { return photo.Row(y); }
  static double Value(std::uint8_t b) { return static_cast<double>(b * 257); }
};
struct PlaneRows {
  const Plane16& plane;
  int Width() const { return plane.width; }
  int Height() const { return plane.height; }
  const std::uint16_t* Row(int y) const { return plane.Row(y); }
  static double Value(std::uint16_t v) { return static_cast<double>(v); }
};

// Runs work(begin, end) over parts of 0..count on up to two threads; a pass over a large photo
// is worth a second thread, a small one is not.
template <typename Work>
void SplitRows(int count, long long multiplyAdds, const Work& work) {
  constexpr long long kWorthAThread = 1 << 22;
  if (multiplyAdds < kWorthAThread || count < 2 || std::thread::hardware_concurrency() < 2) {
    work(0, count);
    return;
  }
  std::thread helper;
  try {
    helper = std::thread([&work, count] { work(count / 2, count); });
  } catch (const std::system_error&) {
    work(count / 2, count);
  }
  work(0, count / 2);
  if (helper.joinable()) helper.join();
}

// Each output row sums whole input rows, tap after tap: the sums of a row are independent and
// read memory in order. Every value is still the sum of its taps in order, as ImageMagick adds.
template <typename Input>
Plane16 Vertical(const Input& in, int height) {
  const int width = in.Width();
  Plane16 out{width, height,
              std::vector<std::uint16_t>(3 * static_cast<std::size_t>(width) * height)};
  const std::vector<Taps> taps = AxisTaps(in.Height(), height);
  long long multiplyAdds = 0;
  for (const Taps& t : taps) multiplyAdds += static_cast<long long>(t.weights.size()) * 3 * width;
  SplitRows(height, multiplyAdds, [&](int begin, int end) {
    std::vector<double> sums(3 * static_cast<std::size_t>(width));
    for (int y = begin; y < end; ++y) {
      const Taps& t = taps[y];
      std::fill(sums.begin(), sums.end(), 0.0);
      for (std::size_t k = 0; k < t.weights.size(); ++k) {
        const auto* row = in.Row(t.first + static_cast<int>(k));
        const double weight = t.weights[k];
        for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += weight * Input::Value(row[i]);
      }
      std::uint16_t* outRow = out.Row(y);
      for (std::size_t i = 0; i < sums.size(); ++i) outRow[i] = ClampToQuantum(sums[i]);
    }
  });
  return out;
}

template <typename Input>
Plane16 Horizontal(const Input& in, int height, int width) {
  Plane16 out{width, height,
              std::vector<std::uint16_t>(3 * static_cast<std::size_t>(width) * height)};
  const std::vector<Taps> taps = AxisTaps(in.Width(), width);
  long long multiplyAdds = 0;
  for (const Taps& t : taps) multiplyAdds += static_cast<long long>(t.weights.size()) * 3 * height;
  SplitRows(height, multiplyAdds, [&](int begin, int end) {
    for (int y = begin; y < end; ++y)
      for (int x = 0; x < width; ++x) {
        const Taps& t = taps[x];
        const auto* p = in.Row(y) + 3 * static_cast<std::size_t>(t.first);
        double sum[3] = {0.0, 0.0, 0.0};
        for (std::size_t k = 0; k < t.weights.size(); ++k, p += 3)
          for (int c = 0; c < 3; ++c) sum[c] += t.weights[k] * Input::Value(p[c]);
        for (int c = 0; c < 3; ++c) out.Row(y)[3 * x + c] = ClampToQuantum(sum[c]);
      }
  });
  return out;
}

}  // namespace

Bitmap24 ResizeForScore(const Bitmap24& photo, int width, int height) {
  const double xFactor = static_cast<double>(width) / photo.Width();
  const double yFactor = static_cast<double>(height) / photo.Height();
  // ImageMagick filters first along the axis that shrinks least.
  const bool horizontalFirst = xFactor > yFactor;
  const PhotoRows rows{photo};
  const Plane16 between =
      horizontalFirst ? Horizontal(rows, photo.Height(), width) : Vertical(rows, height);
  const Plane16 result = horizontalFirst ? Vertical(PlaneRows{between}, height)
                                         : Horizontal(PlaneRows{between}, height, width);
  Bitmap24 out(width, height);
  for (int y = 0; y < height; ++y)
    for (int i = 0; i < 3 * width; ++i) {
      // Writing 8 bits per channel ImageMagick truncates (measured: q div 257 on every pixel).
      out.Row(y)[i] = static_cast<std::uint8_t>(result.Row(y)[i] / 257);
    }
  return out;
}

}  // namespace tinto

#include "core/quality/flicker.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/model/renderer.h"
#include "core/quality/color_difference.h"

namespace tinto {
namespace {

constexpr int kBlock = 8;
constexpr double kPercentile = 0.95;

double Luma(const std::uint8_t* bgr) {
  const auto& linear = LinearByteTable();
  return 0.2126 * linear[bgr[2]] + 0.7152 * linear[bgr[1]] + 0.0722 * linear[bgr[0]];
}

// numpy's default percentile: linear between the values at the ranks either side.
double Percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  const double rank = share * static_cast<double>(values.size() - 1);
  const std::size_t below = static_cast<std::size_t>(rank);
  const std::size_t above = std::min(below + 1, values.size() - 1);
  return values[below] + (rank - static_cast<double>(below)) * (values[above] - values[below]);
}

}  // namespace

FlickerFigures MeasureFlicker(const ScreenBuffers& screen, const ScreenGeometry& geometry) {
  const int width = geometry.WidthPixels(), height = geometry.DY();
  Bitmap24 frame0(width, height), frame1(width, height);
  RenderScreen(screen, geometry, {/*attributes=*/true, /*noFlic=*/false},
               {frame0.View(), frame1.View(), BitmapView{}, BitmapView{}});
  const int blocksAcross = (width + kBlock - 1) / kBlock;
  const int blocksDown = (height + kBlock - 1) / kBlock;
  std::vector<double> blockSums(static_cast<std::size_t>(blocksAcross) * blocksDown, 0.0);
  double total = 0.0;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* a = frame0.Row(y);
    const std::uint8_t* b = frame1.Row(y);
    for (int x = 0; x < width; ++x, a += 3, b += 3) {
      const double difference = std::fabs(Luma(a) - Luma(b));
      total += difference;
      blockSums[static_cast<std::size_t>(y / kBlock) * blocksAcross + x / kBlock] += difference;
    }
  }
  for (int row = 0; row < blocksDown; ++row) {
    const int rows = std::min(kBlock, height - row * kBlock);
    for (int column = 0; column < blocksAcross; ++column) {
      const int columns = std::min(kBlock, width - column * kBlock);
      blockSums[static_cast<std::size_t>(row) * blocksAcross + column] /= rows * columns;
    }
  }
  return {total / (static_cast<double>(width) * height),
          Percentile(std::move(blockSums), kPercentile)};
}

}  // namespace tinto

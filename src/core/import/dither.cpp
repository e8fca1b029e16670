#include "core/import/dither.h"

#include <algorithm>

namespace tinto {
namespace {

// Indexed [x][y].
constexpr std::uint8_t kDitherMatrix[8][8] = {
    {15, 55, 2, 62, 13, 54, 3, 63}, {39, 27, 41, 24, 38, 25, 43, 21},
    {6, 60, 12, 51, 8, 57, 10, 49}, {45, 18, 36, 32, 48, 20, 33, 29},
    {14, 53, 4, 64, 16, 56, 1, 61}, {37, 26, 44, 22, 40, 28, 42, 23},
    {7, 58, 9, 50, 5, 59, 11, 52},  {47, 19, 34, 30, 46, 17, 35, 31}};

}  // namespace

int DitherMatrix(int x, int y) { return kDitherMatrix[x & 7][y & 7]; }

DitherPatterns::DitherPatterns() {
  m_patterns[0] = ~DitherPattern{0};
  m_patterns[kDitherPatternCount - 1] = 0;
  for (int r = 1; r <= kRampSteps; ++r) {
    DitherPattern pattern = 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if (kDitherMatrix[x][y] >= r) pattern |= DitherPattern{1} << PatternBit(x, y);
    m_patterns[r] = pattern;
  }
}

int RampCount(int value, int threshold, int step) {
  int reach = value - threshold;
  if (step <= 0) return reach >= 0 ? kRampSteps : 0;
  // Largest i with step * i <= reach, rounded toward minus infinity for negative reaches.
  int largest = reach >= 0 ? reach / step : -((-reach + step - 1) / step);
  return std::clamp(largest + 32, 0, kRampSteps);
}

}  // namespace tinto

#pragma once
// The ordered dither of the dithered import: an 8x8 matrix holding 1..64 once each, the 66 on/off
// patterns built from it, and the ramp that picks a pattern for a channel value.

#include <array>
#include <cstdint>

namespace tinto {

// Pixel (x, y) of the 8x8 cell (x = column, 0 = left; y = row, 0 = top) is bit y * 8 + 7 - x, so
// byte y of a pattern is row y laid out as a byte of a pixel plane (leftmost pixel in bit 7).
using DitherPattern = std::uint64_t;

constexpr int PatternBit(int x, int y) { return y * 8 + 7 - x; }

constexpr int kDitherPatternCount = 66;
constexpr int kRampSteps = 64;  // integers -31..32

// M(x, y) in 1..64; x and y in 0..7.
int DitherMatrix(int x, int y);

// Pattern 0 is all on; pattern r (1..64) is on where M(x, y) >= r, so 65 - r pixels; pattern 65
// is all off.
class DitherPatterns {
 public:
  DitherPatterns();

  // Precondition: index 0..65.
  DitherPattern operator[](int index) const { return m_patterns[index]; }
  bool On(int index, int x, int y) const { return (m_patterns[index] >> PatternBit(x, y)) & 1; }

 private:
  std::array<DitherPattern, kDitherPatternCount> m_patterns;
};

// How many integers i in -31..32 have threshold + step * i <= value: 0..64.
int RampCount(int value, int threshold, int step);
// Pattern index of a ramp count: 0 for 64, else 65 - count.
constexpr int DitherPatternIndex(int rampCount) {
  return rampCount >= kRampSteps ? 0 : 65 - rampCount;
}

}  // namespace tinto

#pragma once
// The search for one attribute cell's colours in both frames: each frame's ink, paper and bright,
// chosen so that the four colours the mix can show in the cell lie as near as possible to the
// cell's target colours (sum of each pixel's squared weighted distance, sRGB scale, to the
// nearest of the four, plus a cost per unit of that colour's flicker).

#include <array>
#include <memory>

namespace tinto {

constexpr int kMaxCellPixels = 64;
constexpr int kMaxTargets = 2 * kMaxCellPixels;  // a cell's pixels, twice over

// Frame f shows ink[f] (colour number 0..7: blue 1, red 2, green 4) on set pixels and paper[f] on
// clear ones, both bright when bright[f].
struct CellPalette {
  std::array<int, 2> ink{};
  std::array<int, 2> paper{};
  std::array<bool, 2> bright{};
  bool operator==(const CellPalette&) const = default;
};

// Perceived colour (red, green, blue, each 0..1 on the sRGB scale).
using PerceivedColor = std::array<float, 3>;

// Weights of the red, green and blue differences in every comparison of colours.
constexpr std::array<float, 3> kChannelWeights = {0.30f, 0.59f, 0.11f};

// Weighted squared distance of two colours.
inline float WeightedDistance(const PerceivedColor& a, const PerceivedColor& b) {
  float distance = 0;
  for (int c = 0; c < 3; ++c) {
    const float d = a[c] - b[c];
    distance += kChannelWeights[c] * d * d;
  }
  return distance;
}

// Colour-number bit of the red, green and blue components.
constexpr std::array<int, 3> kChannelBits = {2, 4, 1};

// Scratch memory for the search, made once per conversion (too big for the stack of every cell).
class CellPaletteSearch {
 public:
  // `flickerCost`: what a pixel's flicker (FrameFlicker, 0..1) adds to its distance.
  explicit CellPaletteSearch(float flickerCost);
  ~CellPaletteSearch();

  // The best palette found by descents (each frame's best answer to the other's, in turn)
  // from the best single colour and from each of `starts`. Precondition: 1 <= count <=
  // kMaxTargets. Deterministic: ties keep the first candidate.
  CellPalette Choose(const PerceivedColor* targets, int count, const CellPalette* starts,
                     int startCount);
  // One descent from `start` only.
  CellPalette Improve(const PerceivedColor* targets, int count, const CellPalette& start);

  struct Tables;  // defined where the search runs

 private:
  std::unique_ptr<Tables> m_tables;
  float m_flickerCost;
};

}  // namespace tinto

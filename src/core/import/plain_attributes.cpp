#include "core/import/plain_attributes.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/import/import_previews.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

constexpr int kBrightCode = 8;

// Colour code of a preview pixel: blue 1, red 2, green 4 for a channel at 177 or 254, plus 8
// once when any channel is at 254. Other byte values add nothing.
int PixelCode(const std::uint8_t* pixel) {
  int code = 0;
  bool bright = false;
  constexpr int kChannelBits[3] = {1, 4, 2};  // blue, green, red byte order
  for (int c = 0; c < 3; ++c) {
    if (pixel[c] == kNormalIntensity || pixel[c] == kBrightIntensity) code |= kChannelBits[c];
    bright = bright || pixel[c] == kBrightIntensity;
  }
  return bright ? code | kBrightCode : code;
}

// The lowest code among those with the highest count.
int MostFrequentCode(const std::array<int, 16>& counts) {
  int best = 0;
  for (int code = 1; code < 16; ++code)
    if (counts[code] > counts[best]) best = code;
  return best;
}

bool HasColor(const std::uint8_t* pixel, Rgb color) {
  return pixel[0] == BlueOf(color) && pixel[1] == GreenOf(color) && pixel[2] == RedOf(color);
}

// Fits the 8 pixels at `pixels`; returns the pixel byte and sets `attr`.
std::uint8_t FitRun(std::uint8_t* pixels, std::uint8_t& attr) {
  std::array<int, 16> counts{};
  for (int x = 0; x < 8; ++x) ++counts[PixelCode(pixels + 3 * x)];
  const int ink = MostFrequentCode(counts);
  counts[ink] = 0;
  const int paper = MostFrequentCode(counts);
  // The codes share the palette's bit layout, so the palette gives their 177/254 colours.
  const Rgb inkColor = PaletteColor(ink);
  const Rgb paperColor = PaletteColor(paper);
  std::uint8_t bits = 0;
  for (int x = 0; x < 8; ++x) {
    std::uint8_t* pixel = pixels + 3 * x;
    // Ink is tested first, so a run whose paper equals its ink is all set bits.
    if (!HasColor(pixel, inkColor)) {
      if (HasColor(pixel, paperColor)) continue;
      PutPreviewPixel(pixel, inkColor);
    }
    bits |= static_cast<std::uint8_t>(0x80 >> x);
  }
  attr = static_cast<std::uint8_t>((ink & 7) | (paper & 7) << 3 | (ink & kBrightCode) << 3);
  return bits;
}

void FitFrame(const ImportOptions& options, FrameIndex frame, Bitmap24& preview,
              ImportResult& result) {
  const int rows = std::min(options.DY, preview.Height());
  const int columns = std::min(options.MLTWidth, preview.Width() / 8);
  for (int y = 0; y < rows; ++y) {
    std::uint8_t* row = preview.Row(y);
    for (int cx = 0; cx < columns; ++cx)
      result.PixelByte(frame, y, cx) = FitRun(row + 24 * cx, result.AttrByte(frame, y, cx));
  }
}

}  // namespace

void FitPlainAttributes(const FittedImportOptions& options, ImportResult& result, Bitmap24& dest1,
                        Bitmap24& dest2) {
  FitFrame(*options, 0, dest1, result);
  FitFrame(*options, 1, dest2, result);
}

}  // namespace tinto

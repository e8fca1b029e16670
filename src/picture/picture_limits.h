#pragma once
// The largest picture the loaders accept, and the memory a decoder may use for one. Every loader
// checks a picture's declared size against these limits before it allocates the picture's
// pixels, so a small file that claims a huge picture is refused quickly.

#include <cstdint>
#include <string>

#include "core/status.h"

namespace tinto {

constexpr int kMaxPictureSide = 32768;
constexpr std::int64_t kMaxPicturePixels = 100'000'000;

// Besides the loaded picture itself (3 bytes a pixel) a decoder may hold this much: half a byte
// more for each pixel plus a fixed allowance, so that a whole load stays within 4.5 bytes a pixel
// and 80 MB with the program's own memory.
constexpr std::int64_t kDecodeAllowanceBytes = 48ll << 20;
inline std::int64_t DecodeBudgetBytes(std::int64_t pixels) {
  return kDecodeAllowanceBytes + pixels * 3 / 2;
}

// Ok when 1 <= width, height <= kMaxPictureSide and width * height <= maxPixels.
inline Status CheckPictureSize(std::int64_t width, std::int64_t height,
                               std::int64_t maxPixels = kMaxPicturePixels) {
  if (width <= 0 || height <= 0) return Status::Error("Picture has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > maxPixels)
    return Status::Error("Picture too large: " + std::to_string(width) + " x " +
                         std::to_string(height));
  return Status::Ok();
}

// The refusal of a picture within the size limits whose decoding would need more memory than
// DecodeBudgetBytes allows.
inline Status TooLargeToDecode(std::int64_t width, std::int64_t height) {
  return Status::Error("Picture too large: " + std::to_string(width) + " x " +
                       std::to_string(height) + " needs more than " +
                       std::to_string(DecodeBudgetBytes(width * height) >> 20) + " MB to decode");
}

}  // namespace tinto

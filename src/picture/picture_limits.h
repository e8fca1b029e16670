#pragma once
// The largest picture the loaders accept. Every loader checks a picture's declared size against
// these limits before it allocates the picture's pixels, so a small file that claims a huge
// picture is refused quickly.

#include <cstdint>
#include <string>

#include "core/status.h"

namespace tinto {

constexpr int kMaxPictureSide = 32768;
constexpr std::int64_t kMaxPicturePixels = 100'000'000;

// Ok when 1 <= width, height <= kMaxPictureSide and width * height <= maxPixels.
inline Status CheckPictureSize(std::int64_t width, std::int64_t height,
                               std::int64_t maxPixels = kMaxPicturePixels) {
  if (width <= 0 || height <= 0) return Status::Error("Picture has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > maxPixels)
    return Status::Error("Picture too large: " + std::to_string(width) + " x " +
                         std::to_string(height));
  return Status::Ok();
}

}  // namespace tinto

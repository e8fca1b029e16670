#pragma once
// A 256 x 192 picture like a photo: smooth sky and ground gradients, a shaded ball, fine texture
// and a little noise, so that every cell path (uniform, two-coloured, many-coloured, bright and
// not) is taken. Deterministic, so that runs compare.

#include <cmath>
#include <cstdint>

#include "core/model/bitmap.h"
#include "core/model/palette.h"

namespace tinto {

inline Bitmap24 PhotoLikePicture() {
  Bitmap24 picture(256, 192);
  std::uint32_t noise = 12345;
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>((noise >> 16) % 17) - 8;
      double r = y < 110 ? 90 + y * 0.8 : 60 + 40 * std::sin(x * 0.21) * std::cos(y * 0.17);
      double g = y < 110 ? 120 + y * 0.9 : 110 + y * 0.3;
      double b = y < 110 ? 230 - y * 0.5 : 40 + x * 0.1;
      const double dx = x - 170.0, dy = y - 80.0, d = std::sqrt(dx * dx + dy * dy);
      if (d < 45) {
        const double light = 1.0 - d / 60.0;
        r = 250 * light;
        g = 140 * light;
        b = 60 * light;
      }
      auto channel = [grain](double v) {
        return std::lround(std::fmin(255.0, std::fmax(0.0, v + grain)));
      };
      picture.SetPixel(x, y, MakeRgb(channel(r), channel(g), channel(b)));
    }
  return picture;
}

}  // namespace tinto

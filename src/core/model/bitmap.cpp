#include "core/model/bitmap.h"

#include <algorithm>

namespace tinto {

void Bitmap24::Resize(int width, int height) {
  if (width <= 0 || height <= 0) width = height = 0;
  m_width = width;
  m_height = height;
  const std::size_t bytes = static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height);
  if (bytes <= m_bytes.capacity()) {
    // Rows that fit stay where they are, as views of them may expect.
    m_bytes.resize(bytes);
    std::fill(m_bytes.begin(), m_bytes.end(), std::uint8_t{0});
  } else {
    // A fresh allocation is zero without a write (see ZeroedAllocator).
    m_bytes = decltype(m_bytes)(bytes);
  }
}

Rgb Bitmap24::Pixel(int x, int y) const {
  const std::uint8_t* p = Row(y) + 3 * x;
  return MakeRgb(p[2], p[1], p[0]);
}

void Bitmap24::SetPixel(int x, int y, Rgb color) {
  std::uint8_t* p = Row(y) + 3 * x;
  p[0] = static_cast<std::uint8_t>(BlueOf(color));
  p[1] = static_cast<std::uint8_t>(GreenOf(color));
  p[2] = static_cast<std::uint8_t>(RedOf(color));
}

void Bitmap24::Fill(Rgb color) {
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) SetPixel(x, y, color);
}

}  // namespace tinto

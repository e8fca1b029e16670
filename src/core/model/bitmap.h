#pragma once
// 24-bit bitmaps as plain row memory: each row a run of (blue, green, red) byte triples.
// `BitmapView` points at memory owned elsewhere (a QImage of format BGR888 in the editor);
// `Bitmap24` owns its rows.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/model/palette.h"

namespace tinto {

struct BitmapView {
  std::uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // bytes from one row to the next

  std::uint8_t* Row(int y) const { return data + y * stride; }
  bool Empty() const { return data == nullptr || width <= 0 || height <= 0; }
};

class Bitmap24 {
 public:
  Bitmap24() = default;
  // Black bitmap; negative sizes give an empty one.
  Bitmap24(int width, int height) { Resize(width, height); }

  void Resize(int width, int height);
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  std::ptrdiff_t Stride() const { return static_cast<std::ptrdiff_t>(m_width) * 3; }
  bool Empty() const { return m_width == 0 || m_height == 0; }

  std::uint8_t* Row(int y) { return m_bytes.data() + y * Stride(); }
  const std::uint8_t* Row(int y) const { return m_bytes.data() + y * Stride(); }
  BitmapView View() { return {m_bytes.data(), m_width, m_height, Stride()}; }

  // Preconditions: 0 <= x < Width(), 0 <= y < Height().
  Rgb Pixel(int x, int y) const;
  void SetPixel(int x, int y, Rgb color);
  void Fill(Rgb color);

  bool operator==(const Bitmap24&) const = default;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace tinto

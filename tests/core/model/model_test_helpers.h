#pragma once
// Small builders shared by the core tests.

#include <initializer_list>
#include <random>
#include <sstream>

#include "core/model/bitmap.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "support/test_common.h"

namespace tinto::test {

using Points = std::initializer_list<std::pair<int, int>>;

inline ScreenGeometry MakeGeometry(int dx, int dy, AttrMode mode = AttrMode::Mode8x1,
                                   int mltLeft = 0, int mltWidth = 18) {
  ScreenGeometry g;
  g.SetMode(mode);
  g.SetDX(dx);
  g.SetDY(dy);
  g.SetMltLeft(mltLeft);
  g.SetMltWidth(mltWidth);
  return g;
}

inline Bitmap24 Filled(int width, int height, Rgb color) {
  Bitmap24 bitmap(width, height);
  bitmap.Fill(color);
  return bitmap;
}

// Pixel (x, y) is colour(x, y), painted row by row from the top.
template <typename Colour>
Bitmap24 Painted(int width, int height, Colour colour) {
  Bitmap24 bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, colour(x, y));
  return bitmap;
}

// Every channel differs from its neighbours, from a fixed random sequence.
inline Bitmap24 BusyPicture(int width, int height, std::uint32_t seed) {
  return Painted(width, height,
                 [&](int, int) { return (seed = seed * 1664525u + 1013904223u) >> 8; });
}

// Every byte of both blocks from a fixed random sequence, many attributes with bit 7 set.
inline ScreenBuffers RandomScreen(unsigned seed) {
  std::mt19937 random(seed);
  ScreenBuffers s;
  for (std::uint8_t& b : s.Pixels()) b = static_cast<std::uint8_t>(random());
  for (std::uint8_t& b : s.Attrs()) b = static_cast<std::uint8_t>(random());
  return s;
}

inline ScreenBuffers FilledScreen(std::uint8_t value) {
  ScreenBuffers s;
  s.Pixels().fill(value);
  s.Attrs().fill(value);
  return s;
}

// A pixel ('p') or attribute ('a') byte of frame f, the same in `rows` rows from `row` down.
struct ScreenByte {
  char block;
  FrameIndex f;
  int row, column, value, rows = 1;
};

inline ScreenByte Pix(FrameIndex f, int row, int column, int value, int rows = 1) {
  return {'p', f, row, column, value, rows};
}
inline ScreenByte Att(FrameIndex f, int row, int column, int value, int rows = 1) {
  return {'a', f, row, column, value, rows};
}
template <typename... Each>
std::vector<ScreenByte> Bytes(Each... bytes) {
  return {bytes...};
}

inline void Put(ScreenBuffers& s, const std::vector<ScreenByte>& bytes) {
  for (const ScreenByte& b : bytes)
    for (int row = b.row; row < b.row + b.rows; ++row)
      (b.block == 'a' ? s.AttrByte(b.f, row, b.column) : s.PixelByte(b.f, row, b.column)) =
          static_cast<std::uint8_t>(b.value);
}

// The first byte where the screens differ, as "a f1 r3 c2: 0x55 not 0x0", or "" when none does.
inline std::string FirstDifference(const ScreenBuffers& actual, const ScreenBuffers& expected) {
  for (char block : {'p', 'a'})
    for (int i = 0; i < kBlockBytes; ++i) {
      int a = (block == 'a' ? actual.Attrs() : actual.Pixels())[i];
      int e = (block == 'a' ? expected.Attrs() : expected.Pixels())[i];
      if (a == e) continue;
      std::ostringstream out;
      out << block << " f" << i / kPlaneBytes << " r" << i % kPlaneBytes / kRowBytes << " c"
          << i % kRowBytes << std::hex << ": 0x" << a << " not 0x" << e;
      return out.str();
    }
  return "";
}

}  // namespace tinto::test

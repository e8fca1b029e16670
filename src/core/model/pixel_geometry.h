#pragma once
// Points and rectangles in picture pixels, shared by the canvas tools and the import's crop.

namespace tinto {

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Half-open pixel rectangle x1 <= x < x2, y1 <= y < y2.
struct PixelRect {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;

  int Width() const { return x2 - x1; }
  int Height() const { return y2 - y1; }
  bool Empty() const { return x1 >= x2 || y1 >= y2; }
  bool operator==(const PixelRect&) const = default;
};

}  // namespace tinto

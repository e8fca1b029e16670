#pragma once
// How much drawing a WMF picture may ask for: pixels touched, counted from the device bounds of
// each filled drawing clipped to the picture and from the length of each line, up to a small
// multiple of the picture's area (with a floor for small pictures). A file of thousands of
// full-picture fills is refused as too complex instead of running for minutes.

#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>
#include <cstdint>

namespace tinto {

class WmfWorkBudget {
 public:
  static constexpr std::int64_t kPassesPerPixel = 16;
  static constexpr std::int64_t kMinPixels = 1ll << 26;

  WmfWorkBudget(int width, int height);

  // A filled drawing within `logical`, outlined with `pen`, which reaches half its width past
  // the bounds. Only the part inside the picture counts, and at least one pixel.
  void ChargeFill(const QRectF& logical, const QTransform& toDevice, const QPen& pen);
  // A line through `logical` drawn with `pen`: its length times its width, no more than filling
  // the picture.
  void ChargeStroke(const QPolygonF& logical, const QTransform& toDevice, const QPen& pen);
  void ChargePixels(double pixels);

  bool Exhausted() const { return m_left < 0; }

 private:
  QRectF m_canvas;
  double m_left;
};

}  // namespace tinto

#pragma once
// How much drawing a WMF picture may ask for: pixels touched, counted from the device bounds of
// each drawing clipped to the picture, up to a small multiple of the picture's area (with a floor
// for small pictures). A file of thousands of full-picture fills is refused as too complex
// instead of running for minutes.

#include <QRectF>
#include <algorithm>
#include <cstdint>

namespace tinto {

class WmfWorkBudget {
 public:
  static constexpr std::int64_t kPassesPerPixel = 16;
  static constexpr std::int64_t kMinPixels = 1ll << 26;

  WmfWorkBudget(int width, int height)
      : m_canvas(0, 0, width, height),
        m_left(static_cast<double>(
            std::max(kPassesPerPixel * width * static_cast<std::int64_t>(height), kMinPixels))) {}

  // Charges the part of `device` inside the picture, grown by `margin` pixels on every side
  // (half a pen's width), and at least one pixel.
  void Charge(const QRectF& device, double margin = 0) {
    const QRectF touched =
        device.normalized().adjusted(-margin, -margin, margin, margin).intersected(m_canvas);
    m_left -= std::max(1.0, touched.width() * touched.height());
  }
  void ChargePixels(double pixels) { m_left -= std::max(1.0, pixels); }

  bool Exhausted() const { return m_left < 0; }

 private:
  QRectF m_canvas;
  double m_left;
};

}  // namespace tinto

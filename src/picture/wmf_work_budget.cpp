#include "picture/wmf_work_budget.h"

#include <QLineF>
#include <algorithm>
#include <cmath>

namespace tinto {
namespace {

double PenPixels(const QPen& pen, const QTransform& toDevice) {
  if (pen.style() == Qt::NoPen) return 0;
  return pen.widthF() * std::max(std::abs(toDevice.m11()), std::abs(toDevice.m22())) + 1;
}

}  // namespace

WmfWorkBudget::WmfWorkBudget(int width, int height)
    : m_canvas(0, 0, width, height),
      m_left(static_cast<double>(
          std::max(kPassesPerPixel * width * static_cast<std::int64_t>(height), kMinPixels))) {}

void WmfWorkBudget::ChargeFill(const QRectF& logical, const QTransform& toDevice, const QPen& pen) {
  const double margin = PenPixels(pen, toDevice) / 2;
  const QRectF touched = toDevice.mapRect(logical)
                             .normalized()
                             .adjusted(-margin, -margin, margin, margin)
                             .intersected(m_canvas);
  ChargePixels(touched.width() * touched.height());
}

void WmfWorkBudget::ChargeStroke(const QPolygonF& logical, const QTransform& toDevice,
                                 const QPen& pen) {
  const QPolygonF device = toDevice.map(logical);
  double length = 0;
  for (qsizetype i = 1; i < device.size(); ++i) length += QLineF(device[i - 1], device[i]).length();
  ChargePixels(
      std::min(length * (PenPixels(pen, toDevice) + 1), m_canvas.width() * m_canvas.height()));
}

void WmfWorkBudget::ChargePixels(double pixels) { m_left -= std::max(1.0, pixels); }

}  // namespace tinto

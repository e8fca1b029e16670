#include "app/platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

// A frame's title bar is not measurable before the window is shown; this covers the common
// window managers' title bars.
constexpr int kTitleBarAllowance = 32;

QRect AvailableArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QRect CentredOnScreen(QSize size) {
  const QRect area = AvailableArea();
  const int left = area.x() + std::max(0, (area.width() - size.width()) / 2);
  const int top = area.y() + std::max(kTitleBarAllowance, (area.height() - size.height()) / 2);
  return QRect(QPoint(left, top), size);
}

QRect KeptOnScreen(const QRect& bounds) {
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->availableGeometry().intersects(bounds)) return bounds;
  return CentredOnScreen(bounds.size());
}

#include "app/platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

// A frame's title bar is not measurable before the window is shown; this covers the common
// window managers' title bars.
constexpr int kTitleBarAllowance = 32;

QRect AvailableArea(const QScreen* screen) {
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The screen whose available area shares most of `bounds`; null when none does.
const QScreen* ScreenOf(const QRect& bounds) {
  const QScreen* best = nullptr;
  qint64 bestArea = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect shared = screen->availableGeometry().intersected(bounds);
    const qint64 area = qint64{shared.width()} * shared.height();
    if (area > bestArea) {
      best = screen;
      bestArea = area;
    }
  }
  return best;
}

// `low` when the room is too small for it: the window then starts at the room's start.
int Fitted(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

QRect CentredOnScreen(QSize size) {
  const QRect area = AvailableArea(QGuiApplication::primaryScreen());
  const int left = area.x() + std::max(0, (area.width() - size.width()) / 2);
  const int top = area.y() + std::max(kTitleBarAllowance, (area.height() - size.height()) / 2);
  return QRect(QPoint(left, top), size);
}

QRect FittedToScreen(const QRect& bounds) {
  const QScreen* screen = ScreenOf(bounds);
  const QRect area = AvailableArea(screen ? screen : QGuiApplication::primaryScreen());
  const int roomHeight = area.height() - kTitleBarAllowance;
  const QSize size(
      std::clamp(bounds.width(), std::min(kSmallestWindow.width(), area.width()), area.width()),
      std::clamp(bounds.height(), std::min(kSmallestWindow.height(), roomHeight),
                 std::max(roomHeight, 1)));
  if (screen == nullptr) return CentredOnScreen(size);
  const int left = Fitted(bounds.x(), size.width(), area.left(), area.left() + area.width());
  const int top = Fitted(bounds.y(), size.height(), area.top() + kTitleBarAllowance,
                         area.top() + area.height());
  return QRect(QPoint(left, top), size);
}

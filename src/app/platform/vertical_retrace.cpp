#include "app/platform/vertical_retrace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <thread>

namespace {
constexpr double kDefaultRefreshHz = 60.0;
}  // namespace

std::chrono::nanoseconds TimeToNextRefresh(std::chrono::nanoseconds now, double refreshHz) {
  if (!(refreshHz >= 1.0 && refreshHz <= 1000.0)) refreshHz = kDefaultRefreshHz;
  const std::chrono::nanoseconds period(std::llround(1e9 / refreshHz));
  auto phase = now % period;
  if (phase.count() < 0) phase += period;
  return period - phase;
}

void WaitForVerticalRetrace(const QWidget* widget) {
  const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
  const double refreshHz = screen != nullptr ? screen->refreshRate() : kDefaultRefreshHz;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  std::this_thread::sleep_for(TimeToNextRefresh(now, refreshHz));
}

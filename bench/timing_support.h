#pragma once
// What the measured timing programs share: percentiles of samples, the process's CPU time, and
// running the event loop until a condition holds (5 s at the most).

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>
#include <functional>
#include <vector>

namespace timing {

// The sample at fraction `p` (0 = smallest, 1 = largest) of the sorted values; 0 without any.
inline double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

// User and system CPU seconds of this process so far.
inline double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline void WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer limit;
  limit.start();
  while (!done() && limit.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace timing

#pragma once
// What the measured timing programs share: percentiles of samples, the process's CPU time,
// running the event loop until a condition holds (5 s at the most), and timing a flicker.

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
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

struct FlickerRun {
  std::size_t shows = 0;  // pictures shown
  double wallSeconds = 0;
  double cpuSeconds = 0;
  std::vector<double> gapsMs;  // between consecutive shows
};

// Runs an ordinary event loop, idle between ticks as the editor is, for `seconds` while
// recording when either of the two alternating pictures is shown.
inline FlickerRun MeasureFlicker(QWidget* first, QWidget* second, double seconds) {
  using Clock = std::chrono::steady_clock;
  struct ShowRecorder : QObject {
    std::vector<Clock::time_point> shows;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Show) shows.push_back(Clock::now());
      return QObject::eventFilter(watched, event);
    }
  } recorder;
  first->installEventFilter(&recorder);
  second->installEventFilter(&recorder);
  const double cpuStart = CpuSeconds();
  const auto start = Clock::now();
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
  FlickerRun run;
  run.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.cpuSeconds = CpuSeconds() - cpuStart;
  first->removeEventFilter(&recorder);
  second->removeEventFilter(&recorder);
  run.shows = recorder.shows.size();
  for (std::size_t i = 1; i < recorder.shows.size(); ++i)
    run.gapsMs.push_back(
        std::chrono::duration<double, std::milli>(recorder.shows[i] - recorder.shows[i - 1])
            .count());
  return run;
}

// How long each flicker is timed: the first argument in seconds (at least 0.5), 5 without one.
inline double RunSeconds(int argc, char** argv) {
  return argc > 1 ? std::max(0.5, std::atof(argv[1])) : 5.0;
}

// A fresh folder of this process under the temporary folder, holding `settings` as the editor's
// settings file.
inline std::filesystem::path SettingsFolder(const std::string& name, const std::string& settings) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "TintoEditor.ini") << settings;
  return folder;
}

}  // namespace timing

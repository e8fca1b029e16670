// Times the editor offscreen: start-up until the main window is shown and exposed, the close
// pass (the save-changes check and every window's settings written), and the flicker cadence of the
// small previews at timer interval 5 ms (intervals between ticks and the process's CPU share while
// flickering), with and without the retrace wait. Usage: tinto_startup_timing
// [seconds-per-flicker-run]   (default 5)

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/color/color_panel.h"
#include "app/shell/editor_windows.h"
#include "app/widgets/kel_image.h"
#include "timing_support.h"

namespace {

using timing::Percentile;
using timing::WaitUntil;

using Clock = std::chrono::steady_clock;

MainFormOptions OptionsIn(const std::filesystem::path& folder) {
  MainFormOptions options;
  options.programDir = folder.string() + "/";
  options.settingsPath = (folder / "TintoEditor.ini").string();
  return options;
}

void TimeStartup(const std::filesystem::path& folder, int runs) {
  std::vector<double> millis;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    EditorWindows windows(OptionsIn(folder));
    windows.ShowMainWindow();
    WaitUntil([&] {
      const QWindow* handle = windows.MainForm().windowHandle();
      return handle != nullptr && handle->isExposed();
    });
    millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    windows.MainForm().Timer().SetEnabled(false);
  }
  std::printf(
      "start-up to main window exposed: median %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n",
      Percentile(millis, 0.5), Percentile(millis, 0), Percentile(millis, 1), runs);
}

// Each run starts from `settings`, so the close pass writes every key anew.
void TimeClosePass(const std::filesystem::path& folder, const std::string& settings, int runs) {
  std::vector<double> millis;
  for (int run = 0; run < runs; ++run) {
    std::ofstream(folder / "TintoEditor.ini") << settings;
    EditorWindows windows(OptionsIn(folder));
    windows.ShowMainWindow();
    windows.MainForm().Timer().SetEnabled(false);
    const auto start = Clock::now();
    windows.MainForm().close();
    millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::printf("close pass (settings written): median %.1f ms, min %.1f ms, max %.1f ms (%d runs)\n",
              Percentile(millis, 0.5), Percentile(millis, 0), Percentile(millis, 1), runs);
}

void TimeFlicker(const std::filesystem::path& folder, bool vsync, double seconds) {
  EditorWindows windows(OptionsIn(folder));
  windows.MainForm().View().SetVSync(vsync);
  windows.ShowMainWindow();
  TMainForm& form = windows.MainForm();
  form.activateWindow();
  WaitUntil([&] { return form.isActiveWindow(); });
  form.findChild<TColorPanel*>(QStringLiteral("CPanel"))->SetNoFlic(false);
  const timing::FlickerRun run =
      timing::MeasureFlicker(form.findChild<TKelImage*>(QStringLiteral("Preview1")),
                             form.findChild<TKelImage*>(QStringLiteral("Preview2")), seconds);
  form.Timer().SetEnabled(false);
  std::printf(
      "flicker, interval %u ms, VSync %s: %zu ticks in %.1f s; interval median %.2f ms, "
      "p99 %.2f ms; CPU %.1f%% of one core\n",
      static_cast<unsigned>(form.Timer().Interval()), vsync ? "on" : "off", run.shows,
      run.wallSeconds, Percentile(run.gapsMs, 0.5), Percentile(run.gapsMs, 0.99),
      100.0 * run.cpuSeconds / run.wallSeconds);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const double seconds = timing::RunSeconds(argc, argv);
  QApplication app(argc, argv);
  // Flicker needs the chooser's master "No Flic" off; interval 5 is the default.
  const std::string settings = "[Main]\nStatic=0\nTimer Interval=5\n";
  const std::filesystem::path folder = timing::SettingsFolder("tinto-startup", settings);

  TimeStartup(folder, 10);
  TimeClosePass(folder, settings, 10);
  TimeFlicker(folder, false, seconds);
  TimeFlicker(folder, true, seconds);
  std::filesystem::remove_all(folder);
  return 0;
}

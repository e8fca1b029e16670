// Times the preview window's flicker at timer interval 5 ms and magnification 4: the spacing of
// its ticks (each waits for the display's retrace) and the process's CPU share, on a random
// picture, in the window's design size and in full-screen view; then the CPU share with
// "No Flic" on, where the ticks still run but swap nothing.
// Usage: tinto_preview_timing [seconds-per-run]   (default 5)
// Runs offscreen unless QT_QPA_PLATFORM says otherwise (e.g. xcb under a real X server).

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/dialogs/preview/preview_form.h"
#include "app/shell/editor_windows.h"
#include "app/widgets/kel_image.h"
#include "timing_support.h"

namespace {

using timing::Percentile;
using timing::WaitUntil;

void RandomPicture(tinto::ScreenBuffers& screen) {
  std::mt19937 random(2024);
  for (std::uint8_t& b : screen.Pixels()) b = static_cast<std::uint8_t>(random());
  for (std::uint8_t& b : screen.Attrs()) b = static_cast<std::uint8_t>(random());
}

void TimeRun(TPreviewForm& preview, const char* label, double seconds) {
  const timing::FlickerRun run = timing::MeasureFlicker(preview.Prev1(), preview.Prev2(), seconds);
  const QSize viewport = preview.PnImage()->size() * preview.devicePixelRatioF();
  std::printf(
      "preview %s, viewport %dx%d, interval %u ms: %zu swaps in %.1f s; spacing median %.2f ms, "
      "p99 %.2f ms; CPU %.1f%% of one core\n",
      label, viewport.width(), viewport.height(), static_cast<unsigned>(preview.Timer().Interval()),
      run.shows, run.wallSeconds, Percentile(run.gapsMs, 0.5), Percentile(run.gapsMs, 0.99),
      100.0 * run.cpuSeconds / run.wallSeconds);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const double seconds = timing::RunSeconds(argc, argv);
  QApplication app(argc, argv);
  const std::filesystem::path folder = timing::SettingsFolder(
      "tinto-preview", "[Main]\nTimer Interval=5\n[Preview]\nMagnify=4\nNo Flic=0\n");

  MainFormOptions options;
  options.programDir = folder.string() + "/";
  options.settingsPath = (folder / "TintoEditor.ini").string();
  EditorWindows windows(options);
  windows.ShowMainWindow();
  RandomPicture(windows.MainForm().Session().Screen());
  // Opened as the small preview's click opens it, but without a nested modal loop.
  windows.MainForm().Timer().SetEnabled(false);
  TPreviewForm& preview = windows.PreviewForm();
  preview.show();
  preview.activateWindow();
  WaitUntil([&] { return preview.isActiveWindow() && preview.Timer().Enabled(); });

  TimeRun(preview, "flickering", seconds);
  QKeyEvent altEnter(QEvent::KeyPress, Qt::Key_Return, Qt::AltModifier);
  QApplication::sendEvent(&preview, &altEnter);
  WaitUntil([&] { return preview.isFullScreen(); });
  TimeRun(preview, "flickering full screen", seconds);
  preview.NoFlic()->setChecked(true);
  TimeRun(preview, "with No Flic on, full screen", seconds);
  preview.hide();
  std::filesystem::remove_all(folder);
  return 0;
}

// Times pencil plots on the real main window, offscreen: each plot is one mouse move with the
// left button held onto a new pixel at magnification 10, through the canvas handler, the
// block re-render and the synchronous repaint of the canvas image and the preview. Then a
// stroke of 10,000 plots with the undo history on and off, and Undo and Redo of one step in a
// 256-step history, each with the full render and repaint that shows the picture.
// Usage: tinto_pencil_timing [plots-per-size]   (default 2000)

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/editor/undo_commands.h"
#include "app/main_window/main_form.h"
#include "app/widgets/kel_image.h"
#include "timing_support.h"

namespace {

constexpr int kMagnification = 10;

void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

// The centre of pixel (x, y) at magnification 10.
QPoint At(int x, int y) { return QPoint(x * kMagnification + 5, y * kMagnification + 5); }

// The editor's settings for a run, written into `folder`, and the window on them, shown.
std::unique_ptr<TMainForm> ShownForm(const std::filesystem::path& folder, int size, bool history) {
  std::ofstream(folder / "TintoEditor.ini")
      << "[Main]\nMagnify=10\nDraw Mode=1\nTransparent=0\nUse Attributes=1\nTool=2\n"
      << "Pencil Size=" << size << "\nUndoHistory=" << history << "\n[Size]\nDX=32\nDY=192\n";
  MainFormOptions options;
  options.programDir = folder.string() + "/";
  options.settingsPath = (folder / "TintoEditor.ini").string();
  auto form = std::make_unique<TMainForm>(options);
  form->show();
  if (!QTest::qWaitForWindowExposed(form.get())) std::fprintf(stderr, "window not exposed\n");
  return form;
}

// One stroke of `plots` plots from `first` on; its seconds.
double Stroke(TKelImage* image, int plots, int first = 0) {
  SendMouse(image, QEvent::MouseButtonPress, At(5, 5), Qt::LeftButton);
  QElapsedTimer clock;
  clock.start();
  // Back and forth along a row inside the visible part of the canvas: every move is a new pixel.
  for (int i = first; i < first + plots; ++i) {
    const int step = i % 40;
    const int x = 5 + (step < 20 ? step : 40 - step);
    SendMouse(image, QEvent::MouseMove, At(x, 5 + (i / 40) % 10), Qt::LeftButton);
  }
  SendMouse(image, QEvent::MouseButtonRelease, At(5, 5), Qt::NoButton);
  return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

TKelImage* Image_1(const TMainForm& form) {
  return form.findChild<TKelImage*>(QStringLiteral("Image_1"));
}

void TimePlots(const std::filesystem::path& folder, int size, int plots, bool history) {
  const std::unique_ptr<TMainForm> form = ShownForm(folder, size, history);
  const double cpuStart = timing::CpuSeconds();
  const double seconds = Stroke(Image_1(*form), plots);
  const double cpuSeconds = timing::CpuSeconds() - cpuStart;
  std::printf(
      "pencil size %2d at magnification %d, undo history %s: %d plots in %.3f s = %.0f plots/s "
      "(%.3f ms each); CPU %.0f plots/s\n",
      size, kMagnification, history ? "on " : "off", plots, seconds, plots / seconds,
      1000.0 * seconds / plots, plots / cpuSeconds);
}

// 256 strokes of 20 plots, then each step undone and redone through the Edit menu's commands.
void TimeUndoRedo(const std::filesystem::path& folder) {
  const std::unique_ptr<TMainForm> form = ShownForm(folder, 1, true);
  for (int stroke = 0; stroke < 256; ++stroke) Stroke(Image_1(*form), 20, stroke * 20);
  auto* commands = form->findChild<TUndoCommands*>(QStringLiteral("UndoCommands"));
  for (const bool redo : {false, true}) {
    std::vector<double> ms;
    const double cpuStart = timing::CpuSeconds();
    for (int step = 0; step < 256; ++step) {
      QElapsedTimer clock;
      clock.start();
      if (redo)
        commands->Redo1Click();
      else
        commands->Undo1Click();
      ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    const double cpuMs = (timing::CpuSeconds() - cpuStart) * 1000.0 / 256;
    std::printf(
        "%s of one step of 256 with render and repaint: median %.3f ms, 95%% %.3f ms, max "
        "%.3f ms; CPU %.3f ms each\n",
        redo ? "Redo" : "Undo", timing::Percentile(ms, 0.5), timing::Percentile(ms, 0.95),
        timing::Percentile(ms, 1.0), cpuMs);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int plots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  QApplication app(argc, argv);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tinto-pencil-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  TimePlots(folder, 1, plots, false);
  TimePlots(folder, 50, plots, false);
  TimePlots(folder, 1, 10'000, false);
  TimePlots(folder, 1, 10'000, true);
  TimeUndoRedo(folder);
  std::filesystem::remove_all(folder);
  return 0;
}

// Times pencil plots on the real main window, offscreen: each plot is one mouse move with the
// left button held onto a new pixel at magnification 10, through the canvas handler, the
// block re-render and the synchronous repaint of the canvas image and the preview.
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
#include <string>

#include "app/main_window/main_form.h"
#include "app/widgets/kel_image.h"

namespace {

constexpr int kMagnification = 10;

void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

// The centre of pixel (x, y) at magnification 10.
QPoint At(int x, int y) { return QPoint(x * kMagnification + 5, y * kMagnification + 5); }

void TimePlots(const std::filesystem::path& folder, int size, int plots) {
  std::ofstream(folder / "TintoEditor.ini")
      << "[Main]\nMagnify=10\nDraw Mode=1\nTransparent=0\nUse Attributes=1\nTool=2\n"
      << "Pencil Size=" << size << "\n[Size]\nDX=32\nDY=192\n";
  MainFormOptions options;
  options.programDir = folder.string() + "/";
  options.settingsPath = (folder / "TintoEditor.ini").string();
  TMainForm form(options);
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) std::fprintf(stderr, "window not exposed\n");
  TKelImage* image = form.Image_1();
  SendMouse(image, QEvent::MouseButtonPress, At(5, 5), Qt::LeftButton);
  QElapsedTimer clock;
  clock.start();
  // Back and forth along a row inside the visible part of the canvas: every move is a new pixel.
  for (int i = 0; i < plots; ++i) {
    const int step = i % 40;
    const int x = 5 + (step < 20 ? step : 40 - step);
    SendMouse(image, QEvent::MouseMove, At(x, 5 + (i / 40) % 10), Qt::LeftButton);
  }
  const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  SendMouse(image, QEvent::MouseButtonRelease, At(5, 5), Qt::NoButton);
  std::printf(
      "pencil size %2d at magnification %d: %d plots in %.3f s = %.0f plots/s (%.3f ms each)\n",
      size, kMagnification, plots, seconds, plots / seconds, 1000.0 * seconds / plots);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int plots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  QApplication app(argc, argv);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tinto-pencil-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  TimePlots(folder, 1, plots);
  TimePlots(folder, 50, plots);
  std::filesystem::remove_all(folder);
  return 0;
}

// The Import Expert's interactive costs: a Realtime slider step with both previews drawn at
// magnification 4, a slider release (ConvertImport) on a 4000 x 3000 photograph with and without
// the kept resampled copy, the same release through the dialog, and opening a 4000 x 3000 JPEG
// until the converted previews are painted. Runs offscreen; build with optimisation for meaningful
// figures. Qt spreads large paints over a thread pool, so CPU is the whole process's and the time
// is wall-clock time.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSlider>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/import/import_sliders.h"
#include "app/platform/message_service.h"
#include "core/format/ini_file.h"
#include "core/import/convert_import.h"
#include "core/import/level_preview.h"
#include "core/import/source_picture.h"
#include "core/session/import_session.h"
#include "picture/bitmap_image.h"

namespace {

constexpr int kMagnify = 4;

// Gradients, a shaded ball and grain: a picture that is neither flat nor pure noise.
tinto::Bitmap24 PhotoLike(int width, int height) {
  tinto::Bitmap24 picture(width, height);
  std::uint32_t noise = 12345;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>((noise >> 16) % 17) - 8;
      const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
      const double dx = u - 0.65, dy = v - 0.4, d = std::sqrt(dx * dx + dy * dy);
      const double light = d < 0.2 ? 1.0 - d * 3 : 0.4 + 0.3 * std::sin(u * 40) * std::cos(v * 30);
      auto channel = [grain](double c) {
        return static_cast<std::uint8_t>(std::clamp(c + grain, 0.0, 255.0));
      };
      row[3 * x] = channel(60 + 120 * v * light);
      row[3 * x + 1] = channel(90 + 140 * light);
      row[3 * x + 2] = channel(230 * light);
    }
  }
  return picture;
}

// A new settings file's options, stretched to the whole screen.
tinto::FittedImportOptions DialogDefaults() { return tinto::FitImportOptions({}); }

struct : MessageService {
  MessageAnswer ShowMessage(MessageKind, const QString&, MessageButtons) override {
    return MessageAnswer::Ok;
  }
} g_messages;

// ComputeLevelPreview for a moved threshold, then both 256 x 192 previews copied for the
// destination pane and drawn 4 times enlarged into a window-sized image, as the pane paints them.
void BM_RealtimeSliderStep(benchmark::State& state) {
  const tinto::Bitmap24 source = PhotoLike(256, 192);
  tinto::ImportOptions options = *DialogDefaults();
  tinto::Bitmap24 dest1, dest2;
  QImage image1, image2;
  QImage screen(256 * kMagnify, 192 * kMagnify, QImage::Format_ARGB32_Premultiplied);
  int step = 0;
  for (auto _ : state) {
    options.LR = 40 + (step++ % 150);
    tinto::ComputeLevelPreview(source, tinto::FitImportOptions(options), dest1, dest2);
    CopyPreviewToImage(dest1, image1);
    CopyPreviewToImage(dest2, image2);
    QPainter painter(&screen);
    painter.drawImage(screen.rect(), image1);
    painter.drawImage(screen.rect(), image2);
    benchmark::DoNotOptimize(screen.constBits());
  }
}
BENCHMARK(BM_RealtimeSliderStep)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The same step through the dialog: the linked move of the group (three handler runs), the
// status labels and the previews, and every repaint this asks for (slider, labels, the visible
// preview at magnification 4) done into the window's buffer.
void BM_RealtimeSliderStepInDialog(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("p.bmp"));
  tinto::BitmapToImage(PhotoLike(256, 192)).save(path);
  const tinto::IniFile settings(dir.filePath(QStringLiteral("TintoEditor.ini")).toStdString());
  TImportExpert expert(settings, g_messages, {});
  expert.Start();
  expert.OpenSourceFile(path);
  expert.Timer().SetEnabled(false);
  QSlider* lr = expert.Sliders()->Slider("LR");
  lr->setSliderDown(true);
  int step = 0;
  for (auto _ : state) {
    lr->setValue(40 + (step++ % 150));
    QApplication::processEvents();
  }
  lr->setSliderDown(false);
}
BENCHMARK(BM_RealtimeSliderStepInDialog)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// A slider release with Stretch on: the 4000 x 3000 picture resampled to 256 x 192 (or the
// session's kept copy reused), then the dithered conversion.
void BM_ConvertImportStretched(benchmark::State& state) {
  const bool cached = state.range(0) != 0;
  tinto::ImportSession session;
  session.SetPicture(PhotoLike(4000, 3000));
  const tinto::FittedImportOptions options = DialogDefaults();
  session.SetOptions(*options);
  tinto::ImportResult result;
  tinto::Bitmap24 dest1, dest2, fresh;
  for (auto _ : state) {
    if (cached) {
      session.SetOptions(*options);
      session.Convert();
    } else {
      tinto::PrepareSource(session.Picture(), true, tinto::ImportGeometry(*options),
                           tinto::ImportFilter(options), fresh);
      tinto::ConvertImport(fresh, options, result, dest1, dest2);
    }
    benchmark::DoNotOptimize(session.Result().attrs.data());
  }
}
BENCHMARK(BM_ConvertImportStretched)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("cached")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The same release through the dialog with Stretch on: the conversion from the kept copy, its
// quality figures for the status bar, and the previews painted.
void BM_SliderReleaseInDialog(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("p.bmp"));
  tinto::BitmapToImage(PhotoLike(4000, 3000)).save(path);
  const QString ini = dir.filePath(QStringLiteral("TintoEditor.ini"));
  tinto::IniFile(ini.toStdString()).WriteBool("Import", "Stretch", true);
  TImportExpert expert(tinto::IniFile(ini.toStdString()), g_messages, {});
  expert.Start();
  expert.OpenSourceFile(path);
  expert.Timer().SetEnabled(false);
  QSlider* lr = expert.Sliders()->Slider("LR");
  int step = 0;
  for (auto _ : state) {
    lr->setSliderDown(true);
    lr->setValue(40 + (step++ % 150));
    lr->setSliderDown(false);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_SliderReleaseInDialog)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// "Open Source" of a 4000 x 3000 JPEG until both converted previews are painted: decoding,
// fitting the size, preparing the source (resampling with Stretch on) and converting.
void BM_OpenJpegToFirstPreview(benchmark::State& state) {
  const bool stretch = state.range(0) != 0;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("photo.jpg"));
  tinto::BitmapToImage(PhotoLike(4000, 3000)).save(path, "JPG", 90);
  const QString ini = dir.filePath(QStringLiteral("TintoEditor.ini"));
  tinto::IniFile(ini.toStdString()).WriteBool("Import", "Stretch", stretch);
  TImportExpert expert(tinto::IniFile(ini.toStdString()), g_messages, {});
  expert.Start();
  for (auto _ : state) {
    expert.OpenSourceFile(path);
    expert.Timer().SetEnabled(false);
    benchmark::DoNotOptimize(expert.Result().attrs.data());
  }
}
BENCHMARK(BM_OpenJpegToFirstPreview)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("stretch")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

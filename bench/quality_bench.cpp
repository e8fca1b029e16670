// The quality figures of a full-screen picture and the automatic settings that minimise one of
// them. Times are CPU times of one thread: the automatic settings must stay under a second.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "core/import/convert_import.h"
#include "core/quality/auto_options.h"

namespace tinto {
namespace {

// Sky and ground gradients, a lit ball, texture and noise: every kind of cell a photo gives.
Bitmap24 PhotoLikePicture() {
  Bitmap24 picture(256, 192);
  std::uint32_t noise = 12345;
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) {
      noise = noise * 1103515245u + 12345u;
      const double grain = static_cast<double>((noise >> 16) % 17) - 8.0;
      const double d = std::hypot(x - 170.0, y - 80.0), light = 1.0 - d / 60.0;
      double r = y < 110 ? 90 + y * 0.8 : 60 + 40 * std::sin(x * 0.21) * std::cos(y * 0.17);
      double g = y < 110 ? 120 + y * 0.9 : 110 + y * 0.3;
      double b = y < 110 ? 230 - y * 0.5 : 40 + x * 0.1;
      if (d < 45) r = 250 * light, g = 140 * light, b = 60 * light;
      auto channel = [grain](double v) {
        return std::lround(std::fmin(255.0, std::fmax(0.0, v + grain)));
      };
      picture.SetPixel(x, y, MakeRgb(channel(r), channel(g), channel(b)));
    }
  return picture;
}

ImportOptions FullScreen() {
  ImportOptions o;
  o.DX = 32;
  o.DY = 192;
  o.MLTLeft = 0;
  o.MLTWidth = 18;
  o.Dither = true;
  return o;
}

// The photo's mix as a conversion with the default options shows it.
Bitmap24 ConvertedMix(const Bitmap24& photo) {
  ImportOptions options = FullScreen();
  ImportResult result;
  Bitmap24 dest1, dest2;
  ConvertImport(photo, options, result, dest1, dest2);
  ScreenBuffers screen;
  screen.LoadScreen(result.pixels, result.attrs);
  ScreenGeometry geometry;
  geometry.SetDX(32);
  geometry.SetDY(192);
  return StaticMix(screen, geometry);
}

void BM_ScoreAllFigures(benchmark::State& state) {
  const Bitmap24 photo = PhotoLikePicture(), seen = ConvertedMix(photo);
  const ScoreReference reference(photo);
  for (auto _ : state) benchmark::DoNotOptimize(reference.Score(seen));
}

void BM_BlurredError(benchmark::State& state) {
  const Bitmap24 photo = PhotoLikePicture(), seen = ConvertedMix(photo);
  const ScoreReference reference(photo);
  for (auto _ : state) benchmark::DoNotOptimize(reference.BlurredError(seen));
}

void BM_FindAutoOptions(benchmark::State& state) {
  const Bitmap24 photo = PhotoLikePicture();
  const ScoreReference reference(photo);
  int conversions = 0;
  for (auto _ : state) conversions = FindAutoOptions(photo, reference, FullScreen()).conversions;
  state.counters["conversions"] = conversions;
}

BENCHMARK(BM_ScoreAllFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlurredError)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAutoOptions)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tinto

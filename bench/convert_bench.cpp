// Import conversion speed on a full-screen photo-like picture.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "core/import/convert_import.h"
#include "core/import/level_preview.h"

namespace tinto {
namespace {

// Smooth sky and ground gradients, a shaded ball, fine texture and a little noise, so that every
// cell path (uniform, two-coloured, many-coloured, bright and not) is taken.
Bitmap24 PhotoLikePicture() {
  Bitmap24 picture(256, 192);
  std::uint32_t noise = 12345;
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>((noise >> 16) % 17) - 8;
      double r = y < 110 ? 90 + y * 0.8 : 60 + 40 * std::sin(x * 0.21) * std::cos(y * 0.17);
      double g = y < 110 ? 120 + y * 0.9 : 110 + y * 0.3;
      double b = y < 110 ? 230 - y * 0.5 : 40 + x * 0.1;
      const double dx = x - 170.0, dy = y - 80.0, d = std::sqrt(dx * dx + dy * dy);
      if (d < 45) {
        const double light = 1.0 - d / 60.0;
        r = 250 * light;
        g = 140 * light;
        b = 60 * light;
      }
      auto channel = [grain](double v) {
        return std::lround(std::fmin(255.0, std::fmax(0.0, v + grain)));
      };
      picture.SetPixel(x, y, MakeRgb(channel(r), channel(g), channel(b)));
    }
  return picture;
}

ImportOptions FullScreenOptions(bool dither, bool tintoMode) {
  ImportOptions options;
  options.DX = 32;
  options.DY = 192;
  options.MLTLeft = 7;
  options.MLTWidth = 18;
  options.LR = options.LG = options.LB = 110;
  options.HR = options.HG = options.HB = 170;
  options.HTH = 150;
  options.Contrast = 3;
  options.Bright = true;
  options.Dither = dither;
  options.TintoMode = tintoMode;
  return options;
}

void RunConvert(benchmark::State& state, bool dither, bool tintoMode,
                ImportMethod method = ImportMethod::Classic) {
  const Bitmap24 source = PhotoLikePicture();
  ImportResult result;
  Bitmap24 dest1, dest2;
  for (auto _ : state) {
    ImportOptions options = FullScreenOptions(dither, tintoMode);
    options.Method = method;
    benchmark::DoNotOptimize(ConvertImport(source, options, result, dest1, dest2));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ConvertImportDithered(benchmark::State& state) { RunConvert(state, true, false); }
void BM_ConvertImportDithered8x2(benchmark::State& state) { RunConvert(state, true, true); }
void BM_ConvertImportPlain(benchmark::State& state) { RunConvert(state, false, false); }
void BM_ConvertImportPerceptual(benchmark::State& state) {
  RunConvert(state, true, false, ImportMethod::Perceptual);
}

void BM_ComputeLevelPreview(benchmark::State& state) {
  const Bitmap24 source = PhotoLikePicture();
  const ImportOptions options = FullScreenOptions(false, false);
  Bitmap24 dest1, dest2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeLevelPreview(source, options, dest1, dest2));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ConvertImportDithered);
BENCHMARK(BM_ConvertImportDithered8x2);
BENCHMARK(BM_ConvertImportPlain);
BENCHMARK(BM_ConvertImportPerceptual)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeLevelPreview);

}  // namespace
}  // namespace tinto

// Import conversion speed on a full-screen photo-like picture.

#include <benchmark/benchmark.h>

#include "core/import/convert_import.h"
#include "core/import/level_preview.h"
#include "photo_like_picture.h"

namespace tinto {
namespace {

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
    benchmark::DoNotOptimize(
        ConvertImport(source, FitImportOptions(options), result, dest1, dest2));
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
  const FittedImportOptions options = FitImportOptions(FullScreenOptions(false, false));
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

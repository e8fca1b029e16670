// The quality figures of a full-screen picture and the automatic settings that minimise one of
// them. Times are CPU times of one thread: the automatic settings must stay under a second.

#include <benchmark/benchmark.h>

#include "core/import/convert_import.h"
#include "core/quality/auto_options.h"
#include "photo_like_picture.h"

namespace tinto {
namespace {

// The defaults: the whole screen, dithered.
FittedImportOptions FullScreen() { return FitImportOptions({}); }

// The photo's mix as a conversion with the default options shows it.
Bitmap24 ConvertedMix(const Bitmap24& photo) {
  ImportResult result;
  Bitmap24 dest1, dest2;
  ConvertImport(photo, FullScreen(), result, dest1, dest2);
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

void BM_Ssim(benchmark::State& state) {
  const Bitmap24 photo = PhotoLikePicture(), seen = ConvertedMix(photo);
  const ScoreReference reference(photo);
  for (auto _ : state) benchmark::DoNotOptimize(reference.Ssim(seen));
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
BENCHMARK(BM_Ssim)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAutoOptions)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tinto

// Resampling a photo-sized picture and a screen-sized one to the screen, as "Stretch" does.
// Argument: the number of threads (1 = single-threaded path, 2 = both cores).

#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/import/resampler.h"

namespace {

// Smooth gradients with fine texture and hard edges, so that no weight meets a flat field only.
tinto::Bitmap24 PhotoLikePicture(int width, int height) {
  tinto::Bitmap24 picture(width, height);
  std::uint32_t noise = 12345;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 28);
      const bool edge = ((x / 97) + (y / 61)) % 2 == 0;
      row[3 * x] = static_cast<std::uint8_t>((x * 255 / width + grain) & 0xFF);
      row[3 * x + 1] = static_cast<std::uint8_t>((y * 255 / height + grain) & 0xFF);
      row[3 * x + 2] = static_cast<std::uint8_t>(edge ? 230 - grain : 20 + grain);
    }
  }
  return picture;
}

void ResampleToScreen(benchmark::State& state, int sourceWidth, int sourceHeight) {
  const tinto::Bitmap24 source = PhotoLikePicture(sourceWidth, sourceHeight);
  tinto::Bitmap24 destination(256, 192);
  const tinto::ResampleFilter& lanczos3 = tinto::kResampleFilters[tinto::kDefaultResampleFilter];
  const int threads = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const tinto::Status status = tinto::Stretch(source, destination, lanczos3, threads);
    benchmark::DoNotOptimize(destination.Row(0));
    if (!status) state.SkipWithError(status.Message().c_str());
  }
}

void BM_Lanczos3Photo4000x3000To256x192(benchmark::State& state) {
  ResampleToScreen(state, 4000, 3000);
}
void BM_Lanczos3Picture320x240To256x192(benchmark::State& state) {
  ResampleToScreen(state, 320, 240);
}

BENCHMARK(BM_Lanczos3Photo4000x3000To256x192)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lanczos3Picture320x240To256x192)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

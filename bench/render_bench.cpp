// Full-screen and one-block rendering, and the preview window's two bitmaps alone, against a
// plain copy of the same number of output bytes as the floor that any renderer of four 24-bit
// bitmaps must pay.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/model/renderer.h"

namespace tinto {
namespace {

constexpr std::size_t kOutputBytes = 4 * std::size_t{kScreenWidth} * kScreenHeight * 3;

const ScreenBuffers& RandomScreen() {
  static const ScreenBuffers screen = [] {
    std::mt19937 random(2024);
    ScreenBuffers s;
    for (std::uint8_t& b : s.Pixels()) b = static_cast<std::uint8_t>(random());
    for (std::uint8_t& b : s.Attrs()) b = static_cast<std::uint8_t>(random());
    return s;
  }();
  return screen;
}

ScreenGeometry FullScreen() {
  ScreenGeometry g;
  g.SetDX(32);
  g.SetDY(192);
  return g;
}

void BM_RenderScreen(benchmark::State& state) {
  DisplayBitmapSet targets(kScreenWidth, kScreenHeight);
  DisplayBitmaps views = targets.Views();
  RenderOptions options{true, state.range(0) != 0};
  ScreenGeometry geometry = FullScreen();
  for (auto _ : state) {
    RenderScreen(RandomScreen(), geometry, options, views);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOutputBytes));
}
BENCHMARK(BM_RenderScreen)->ArgName("noFlic")->Arg(0)->Arg(1);

// The preview window's render: the two preview bitmaps only, as frames or as the mix.
void BM_RenderPreviewPair(benchmark::State& state) {
  DisplayBitmapSet targets(kScreenWidth, kScreenHeight);
  const DisplayBitmaps views{{}, {}, targets.preview1.View(), targets.preview2.View()};
  RenderOptions options{true, state.range(0) != 0};
  ScreenGeometry geometry = FullScreen();
  for (auto _ : state) {
    RenderScreen(RandomScreen(), geometry, options, views);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOutputBytes / 2));
}
BENCHMARK(BM_RenderPreviewPair)->ArgName("noFlic")->Arg(0)->Arg(1);

void BM_MemcpyOfRenderOutput(benchmark::State& state) {
  std::vector<std::uint8_t> from(kOutputBytes, 0x5A), to(kOutputBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kOutputBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOutputBytes));
}
BENCHMARK(BM_MemcpyOfRenderOutput);

void BM_RenderBlock(benchmark::State& state) {
  DisplayBitmapSet targets(kScreenWidth, kScreenHeight);
  DisplayBitmaps views = targets.Views();
  RenderOptions options{true, state.range(0) != 0};
  ScreenGeometry geometry = FullScreen();
  for (auto _ : state) {
    RenderBlock(RandomScreen(), geometry, options, views, 131, 97);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderBlock)->ArgName("noFlic")->Arg(0)->Arg(1);

}  // namespace
}  // namespace tinto

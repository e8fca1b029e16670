// One pencil plot with the re-render of the blocks it touched into the four 256 x 192 display
// bitmaps (the canvas repaint is not included), against re-rendering after every pixel.

#include <benchmark/benchmark.h>

#include "core/model/pencil.h"

namespace tinto {
namespace {

ScreenGeometry FullScreen() {
  ScreenGeometry g;
  g.SetDX(32);
  g.SetDY(192);
  return g;
}

PencilOptions Options(int size) {
  PencilOptions o;
  o.size = size;
  o.mode = DrawMode::Xor;  // keeps changing the picture however often a point repeats
  o.attr0 = 0x47;
  o.attr1 = 0x0A;
  return o;
}

// A stroke over the picture: successive plots land on different pixels and blocks.
int StrokeX(std::int64_t i) { return static_cast<int>((i * 7) % kScreenWidth); }
int StrokeY(std::int64_t i) { return static_cast<int>((i * 3) % kScreenHeight); }

void BM_PlotPencil(benchmark::State& state) {
  ScreenBuffers screen;
  ScreenGeometry geometry = FullScreen();
  DisplayBitmapSet targets(kScreenWidth, kScreenHeight);
  DisplayBitmaps views = targets.Views();
  PencilOptions options = Options(static_cast<int>(state.range(0)));
  RenderOptions render{true, true};
  std::int64_t i = 0;
  for (auto _ : state) {
    PixelRect written = PlotPencil(screen, geometry, options, StrokeX(i), StrokeY(i));
    RenderTouchedBlocks(screen, geometry, render, views, written);
    benchmark::ClobberMemory();
    ++i;
  }
  state.counters["plots/s"] =
      benchmark::Counter(static_cast<double>(i), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlotPencil)->ArgName("size")->Arg(1)->Arg(50);

// The same square written and rendered pixel by pixel, a block re-render after each one.
void BM_PlotPencilRenderPerPixel(benchmark::State& state) {
  ScreenBuffers screen;
  ScreenGeometry geometry = FullScreen();
  DisplayBitmapSet targets(kScreenWidth, kScreenHeight);
  DisplayBitmaps views = targets.Views();
  int size = static_cast<int>(state.range(0));
  PencilOptions pixel = Options(1);
  RenderOptions render{true, true};
  std::int64_t i = 0;
  for (auto _ : state) {
    int left = StrokeX(i) - size / 2, top = StrokeY(i) - size / 2;
    for (int y = top; y < top + size; ++y)
      for (int x = left; x < left + size; ++x)
        RenderTouchedBlocks(screen, geometry, render, views,
                            PlotPencil(screen, geometry, pixel, x, y));
    benchmark::ClobberMemory();
    ++i;
  }
  state.counters["plots/s"] =
      benchmark::Counter(static_cast<double>(i), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlotPencilRenderPerPixel)->ArgName("size")->Arg(1)->Arg(50);

}  // namespace
}  // namespace tinto

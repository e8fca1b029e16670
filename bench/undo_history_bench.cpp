// Undo and Redo of one step in a history of 256 steps, each followed by the full-screen render
// into the four display bitmaps, as the editor shows every undone picture; and a 10,000-plot
// pencil stroke with its block re-renders, kept as one step by the history, against the same
// stroke under the single snapshot.

#include <benchmark/benchmark.h>

#include <random>

#include "core/model/pencil.h"
#include "core/model/renderer.h"
#include "core/model/snapshot_undo.h"
#include "core/model/undo_history.h"

namespace tinto {
namespace {

constexpr int kHistorySteps = 256;
constexpr int kStrokePlots = 10'000;

ScreenGeometry FullScreen() {
  ScreenGeometry g;
  g.SetDX(32);
  g.SetDY(192);
  return g;
}

PencilOptions XorPencil() {
  PencilOptions o;
  o.mode = DrawMode::Xor;  // every plot changes the picture, however often a pixel repeats
  o.attr0 = 0x47;
  o.attr1 = 0x0A;
  return o;
}

struct Editor {
  ScreenBuffers screen;
  ScreenGeometry geometry = FullScreen();
  DisplayBitmapSet bitmaps{kScreenWidth, kScreenHeight};
  RenderOptions render{true, true};

  void Show() { RenderScreen(screen, geometry, render, bitmaps.Views()); }
};

// 256 steps: strokes of 50 plots at random places, or pictures replaced whole (imports).
void FillHistory(Editor& editor, UndoHistory& history, bool wholePictures) {
  std::mt19937 random(7);
  const PencilOptions pencil = XorPencil();
  for (int step = 0; step < kHistorySteps; ++step) {
    history.BeginChange(wholePictures ? ChangeKind::Import : ChangeKind::Stroke);
    if (wholePictures) {
      for (std::uint8_t& b : editor.screen.Pixels()) b = static_cast<std::uint8_t>(random());
      for (std::uint8_t& b : editor.screen.Attrs()) b = static_cast<std::uint8_t>(random());
    } else {
      const int x = static_cast<int>(random() % 200), y = static_cast<int>(random() % 150);
      for (int i = 0; i < 50; ++i)
        PlotPencil(editor.screen, editor.geometry, pencil, x + i, y + i % 7);
    }
    history.EndChange();
  }
}

// Arguments: 1 to redo (else undo); 1 for whole pictures (else strokes). When the history runs
// out in the timed direction it is walked back untimed.
void BM_UndoOneStepAndRender(benchmark::State& state) {
  const bool redo = state.range(0) != 0;
  Editor editor;
  UndoHistory history(editor.screen, editor.geometry, false);
  FillHistory(editor, history, state.range(1) != 0);
  if (redo)
    while (history.Undo()) {
    }
  for (auto _ : state) {
    if (redo ? !history.CanRedo() : !history.CanUndo()) {
      state.PauseTiming();
      while (redo ? history.Undo() : history.Redo()) {
      }
      state.ResumeTiming();
    }
    if (redo)
      history.Redo();
    else
      history.Undo();
    editor.Show();
    benchmark::ClobberMemory();
  }
  state.counters["steps"] = static_cast<double>(history.StepCount());
  state.counters["MB held"] = static_cast<double>(history.HeldBytes()) / (1 << 20);
}
BENCHMARK(BM_UndoOneStepAndRender)
    ->ArgNames({"redo", "whole"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// One stroke of 10,000 plots per iteration, each plot opening the stroke's change as the
// canvas does and re-rendering its blocks. Argument: 1 with the history, 0 the snapshot.
void BM_StrokeOf10000Plots(benchmark::State& state) {
  Editor editor;
  const bool withHistory = state.range(0) != 0;
  std::unique_ptr<UndoKeeper> keeper;
  if (withHistory)
    keeper = std::make_unique<UndoHistory>(editor.screen, editor.geometry, false);
  else
    keeper = std::make_unique<SnapshotUndo>(editor.screen, false);
  const PencilOptions pencil = XorPencil();
  const DisplayBitmaps views = editor.bitmaps.Views();
  for (auto _ : state) {
    for (int i = 0; i < kStrokePlots; ++i) {
      keeper->BeginChange(ChangeKind::Stroke);
      const int x = (i * 7) % kScreenWidth, y = (i * 3) % kScreenHeight;
      RenderTouchedBlocks(editor.screen, editor.geometry, editor.render, views,
                          PlotPencil(editor.screen, editor.geometry, pencil, x, y));
    }
    keeper->EndChange();
    benchmark::ClobberMemory();
  }
  state.counters["plots/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kStrokePlots, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StrokeOf10000Plots)->ArgName("history")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tinto

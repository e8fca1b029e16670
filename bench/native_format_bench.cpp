// Saving and loading a full picture, in memory and through a file (the save includes the
// flush to disk that keeps the old file safe).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "core/format/native_format.h"

namespace tinto {
namespace {

ScreenBuffers RandomScreen() {
  std::mt19937 random(99);
  ScreenBuffers s;
  for (std::uint8_t& b : s.Pixels()) b = static_cast<std::uint8_t>(random());
  for (std::uint8_t& b : s.Attrs()) b = static_cast<std::uint8_t>(random());
  return s;
}

// DX 32, DY 192, 8x1 cells in an 18-column window: the largest default-shaped file.
ScreenGeometry FullPicture() {
  ScreenGeometry g;
  g.SetDX(32);
  g.SetDY(192);
  g.SetMltLeft(7);
  return g;
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tinto-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    m_path = pattern;
  }
  ~TempFolder() { std::filesystem::remove_all(m_path); }
  std::string File(const char* name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};

void BM_EncodeNativeFile(benchmark::State& state) {
  ScreenBuffers screen = RandomScreen();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeNativeFile(screen, FullPicture()));
}
BENCHMARK(BM_EncodeNativeFile);

void BM_DecodeNativeFile(benchmark::State& state) {
  std::string bytes = EncodeNativeFile(RandomScreen(), FullPicture());
  ScreenBuffers screen;
  ScreenGeometry geometry;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeNativeFile(bytes, "bench.tin", screen, geometry));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DecodeNativeFile);

void BM_WriteNativeFile(benchmark::State& state) {
  TempFolder folder;
  std::string path = folder.File("bench.tin");
  ScreenBuffers screen = RandomScreen();
  for (auto _ : state)
    if (!WriteNativeFile(path, screen, FullPicture())) state.SkipWithError("write failed");
}
BENCHMARK(BM_WriteNativeFile)->Unit(benchmark::kMicrosecond);

void BM_ReadNativeFile(benchmark::State& state) {
  TempFolder folder;
  std::string path = folder.File("bench.tin");
  if (!WriteNativeFile(path, RandomScreen(), FullPicture())) state.SkipWithError("write failed");
  ScreenBuffers screen;
  ScreenGeometry geometry;
  for (auto _ : state)
    if (!ReadNativeFile(path, screen, geometry)) state.SkipWithError("read failed");
}
BENCHMARK(BM_ReadNativeFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tinto

#pragma once
// 24-bit bitmaps as plain row memory: each row a run of (blue, green, red) byte triples.
// `BitmapView` points at memory owned elsewhere (a QImage of format BGR888 in the editor);
// `Bitmap24` owns its rows.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#include "core/model/palette.h"

namespace tinto {

struct BitmapView {
  std::uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // bytes from one row to the next

  std::uint8_t* Row(int y) const { return data + y * stride; }
  bool Empty() const { return data == nullptr || width <= 0 || height <= 0; }
};

// Takes memory from calloc and leaves fresh elements as calloc gave them (zero), so that a large
// bitmap's pages are only touched when its rows are written: a loader that fills a bitmap while
// it frees its decoder's copy never holds both in full.
template <typename T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <typename U>
  ZeroedAllocator(const ZeroedAllocator<U>&) {}
  T* allocate(std::size_t count) {
    if (void* memory = std::calloc(count, sizeof(T))) return static_cast<T*>(memory);
    throw std::bad_alloc();
  }
  void deallocate(T* memory, std::size_t) { std::free(memory); }
  template <typename U>
  void construct(U* at) {
    ::new (static_cast<void*>(at)) U;
  }
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
  }
  template <typename U>
  bool operator==(const ZeroedAllocator<U>&) const {
    return true;
  }
};

class Bitmap24 {
 public:
  Bitmap24() = default;
  // Black bitmap; negative sizes give an empty one.
  Bitmap24(int width, int height) { Resize(width, height); }

  void Resize(int width, int height);
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  std::ptrdiff_t Stride() const { return static_cast<std::ptrdiff_t>(m_width) * 3; }
  bool Empty() const { return m_width == 0 || m_height == 0; }

  std::uint8_t* Row(int y) { return m_bytes.data() + y * Stride(); }
  const std::uint8_t* Row(int y) const { return m_bytes.data() + y * Stride(); }
  BitmapView View() { return {m_bytes.data(), m_width, m_height, Stride()}; }

  // Preconditions: 0 <= x < Width(), 0 <= y < Height().
  Rgb Pixel(int x, int y) const;
  void SetPixel(int x, int y, Rgb color);
  void Fill(Rgb color);

  bool operator==(const Bitmap24&) const = default;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint8_t, ZeroedAllocator<std::uint8_t>> m_bytes;
};

}  // namespace tinto

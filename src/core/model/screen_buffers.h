#pragma once
// The two-frame picture: frame 0 and frame 1, each a 256x192 one-bit pixel plane and an attribute
// plane with one byte per 8x1 cell. The two pixel planes form one 12288-byte block (frame 0 first),
// the two attribute planes another; whole-picture operations work on these blocks.

#include <array>
#include <cstdint>

namespace tinto {

constexpr int kScreenWidth = 256;
constexpr int kScreenHeight = 192;
constexpr int kRowBytes = 32;
constexpr int kPlaneBytes = kRowBytes * kScreenHeight;  // 6144
constexpr int kBlockBytes = 2 * kPlaneBytes;            // 12288

using FrameIndex = int;  // 0 or 1
using ScreenBlock = std::array<std::uint8_t, kBlockBytes>;

// Attribute byte: bits 0-2 ink, bits 3-5 paper (1 blue, 2 red, 4 green), bit 6 bright,
// bit 7 stored but never interpreted.
constexpr std::uint8_t kInkBits = 0x07;
constexpr std::uint8_t kPaperBits = 0x38;
constexpr std::uint8_t kBrightBit = 0x40;

// Index of byte column `column` of row `row` of frame f in a block: the one layout of both blocks,
// whoever holds them. Preconditions: f in 0..1, row in 0..191, column in 0..31.
constexpr int BlockIndex(FrameIndex f, int row, int column) {
  return f * kPlaneBytes + row * kRowBytes + column;
}
// Byte index of pixel (x, y) of frame f in a block; the same index addresses its 8x1 attribute.
// Preconditions: f in 0..1, x in 0..255, y in 0..191.
constexpr int ByteIndex(FrameIndex f, int x, int y) { return BlockIndex(f, y, x / 8); }
constexpr std::uint8_t PixelMask(int x) { return static_cast<std::uint8_t>(0x80u >> (x % 8)); }

class ScreenBuffers {
 public:
  bool Pixel(FrameIndex f, int x, int y) const {
    return m_pixels[ByteIndex(f, x, y)] & PixelMask(x);
  }
  void SetPixel(FrameIndex f, int x, int y) { m_pixels[ByteIndex(f, x, y)] |= PixelMask(x); }
  void ClearPixel(FrameIndex f, int x, int y) {
    m_pixels[ByteIndex(f, x, y)] &= static_cast<std::uint8_t>(~PixelMask(x));
  }
  void InvertPixel(FrameIndex f, int x, int y) { m_pixels[ByteIndex(f, x, y)] ^= PixelMask(x); }

  std::uint8_t Attr(FrameIndex f, int x, int y) const { return m_attrs[ByteIndex(f, x, y)]; }
  void SetAttr(FrameIndex f, int x, int y, std::uint8_t value) {
    m_attrs[ByteIndex(f, x, y)] = value;
  }

  // Byte access by frame, row (0..191) and byte column (0..31).
  std::uint8_t& PixelByte(FrameIndex f, int row, int column) {
    return m_pixels[BlockIndex(f, row, column)];
  }
  std::uint8_t PixelByte(FrameIndex f, int row, int column) const {
    return m_pixels[BlockIndex(f, row, column)];
  }
  std::uint8_t& AttrByte(FrameIndex f, int row, int column) {
    return m_attrs[BlockIndex(f, row, column)];
  }
  std::uint8_t AttrByte(FrameIndex f, int row, int column) const {
    return m_attrs[BlockIndex(f, row, column)];
  }

  ScreenBlock& Pixels() { return m_pixels; }
  const ScreenBlock& Pixels() const { return m_pixels; }
  ScreenBlock& Attrs() { return m_attrs; }
  const ScreenBlock& Attrs() const { return m_attrs; }

  // Black paper, black ink, no bright, no pixel set, in both frames.
  void ClearScreen();
  // Copies two whole blocks in unchanged (the import result).
  void LoadScreen(const ScreenBlock& pixels, const ScreenBlock& attrs);

 private:
  ScreenBlock m_pixels{};
  ScreenBlock m_attrs{};
};

}  // namespace tinto

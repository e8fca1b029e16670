#include "core/model/pencil.h"

#include <algorithm>

namespace tinto {
namespace {

// Bits of one pixel byte for the columns first..end-1 of that byte (0..8, bit 7 leftmost).
std::uint8_t SpanMask(int first, int end) {
  return static_cast<std::uint8_t>((0xFFu >> first) & (0xFFu << (8 - end)));
}

void ApplyMask(std::uint8_t& byte, std::uint8_t mask, DrawMode mode) {
  switch (mode) {
    case DrawMode::Or:
      byte |= mask;
      break;
    case DrawMode::Xor:
      byte ^= mask;
      break;
    case DrawMode::Cls:
      byte &= static_cast<std::uint8_t>(~mask);
      break;
  }
}

}  // namespace

PixelRect PlotPencil(ScreenBuffers& screen, const ScreenGeometry& geometry,
                     const PencilOptions& options, int x, int y) {
  int size = kPencilSizeRange.Clamp(options.size);
  FrameIndex frame = std::clamp(options.frame, 0, 1);
  // Far-off points miss the picture just the same; clamping first keeps the sums in range.
  x = std::clamp(x, -2 * kPencilSizeRange.max, kScreenWidth + kPencilSizeRange.max);
  y = std::clamp(y, -2 * kPencilSizeRange.max, kScreenHeight + kPencilSizeRange.max);
  int left = x - size / 2;
  int top = y - size / 2;
  PixelRect written{std::max(left, 0), std::max(top, 0),
                    std::min(left + size, geometry.WidthPixels()),
                    std::min(top + size, geometry.DY())};
  if (written.Empty()) return {};
  // Whole byte spans at once: each pixel of the square is still changed exactly once, and the
  // attribute bytes a pixel writes depend only on its byte column and row.
  for (int row = written.y1; row < written.y2; ++row) {
    for (int column = written.x1 / 8; column <= (written.x2 - 1) / 8; ++column) {
      int first = std::max(written.x1 - column * 8, 0);
      int end = std::min(written.x2 - column * 8, 8);
      ApplyMask(screen.PixelByte(frame, row, column), SpanMask(first, end), options.mode);
      if (options.writeAttributes)
        WriteCellAttributes(screen, geometry, column * 8, row, options.attr0, options.attr1);
    }
  }
  return written;
}

void RenderTouchedBlocks(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                         RenderOptions options, const DisplayBitmaps& bitmaps, PixelRect written) {
  written = {std::max(written.x1, 0), std::max(written.y1, 0), std::min(written.x2, kScreenWidth),
             std::min(written.y2, kScreenHeight)};
  if (written.Empty()) return;
  for (int top = written.y1 & ~7; top < written.y2; top += 8)
    for (int left = written.x1 & ~7; left < written.x2; left += 8)
      RenderBlock(screen, geometry, options, bitmaps, left, top);
}

}  // namespace tinto

#pragma once
// What a conversion produces: both frames' pixel planes as one block and both attribute planes as
// another, laid out by BlockIndex exactly as ScreenBuffers holds them, so the editor can take
// each block in one piece (ScreenBuffers::LoadScreen).

#include <cstdint>

#include "core/model/screen_buffers.h"

namespace tinto {

struct ImportResult {
  ScreenBlock pixels{};  // frame 0 plane, then frame 1 plane
  ScreenBlock attrs{};   // likewise; bit 7 of every attribute is written as 0

  // Zeroes both blocks; every conversion starts with it.
  void Clear() {
    pixels.fill(0);
    attrs.fill(0);
  }

  // Preconditions: frame 0..1, row 0..191, column 0..31.
  std::uint8_t& PixelByte(FrameIndex frame, int row, int column) {
    return pixels[BlockIndex(frame, row, column)];
  }
  std::uint8_t PixelByte(FrameIndex frame, int row, int column) const {
    return pixels[BlockIndex(frame, row, column)];
  }
  std::uint8_t& AttrByte(FrameIndex frame, int row, int column) {
    return attrs[BlockIndex(frame, row, column)];
  }
  std::uint8_t AttrByte(FrameIndex frame, int row, int column) const {
    return attrs[BlockIndex(frame, row, column)];
  }
};

}  // namespace tinto

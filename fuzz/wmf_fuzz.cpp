// Feeds arbitrary bytes to the WMF player: record lengths, counts and object indices all come
// from the input. Frames are limited to one megapixel to keep each run fast.
#include <cstddef>
#include <cstdint>

#include "picture/wmf_player.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tinto::Bitmap24 picture;
  tinto::RenderWmf(data, size, picture, 1'000'000);
  return 0;
}

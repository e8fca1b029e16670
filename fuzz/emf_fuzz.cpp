// Feeds arbitrary bytes to the EMF path: our header checks, then libemf2svg and Qt's SVG
// renderer.
#include <cstddef>
#include <cstdint>

#include "picture/emf_renderer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tinto::Bitmap24 picture;
  tinto::RenderEmf(data, size, picture);
  return 0;
}

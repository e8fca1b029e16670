// Feeds arbitrary bytes to the JPEG decoder. A pixel limit of four megapixels keeps each run
// fast; the checks before allocation are the same as at the full limit.
#include <cstddef>
#include <cstdint>

#include "picture/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tinto::Bitmap24 picture;
  tinto::DecodeJpeg(data, size, picture, 4'000'000);
  return 0;
}

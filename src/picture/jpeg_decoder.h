#pragma once
// JPEG decoding with libjpeg, from memory. Baseline and progressive files, grey-scale, YCbCr/RGB
// and CMYK/YCCK (Adobe files store CMYK inverted) all become 24-bit BGR rows.
// libjpeg's errors come back as an error Status; it never prints or ends the process. A file
// cut short decodes with warnings (the missing part grey) and counts as decoded; `notes` then
// say it was truncated.

#include <cstddef>
#include <cstdint>

#include "core/model/bitmap.h"
#include "core/status.h"
#include "picture/picture_limits.h"
#include "picture/picture_notes.h"

namespace tinto {

// On success `out` holds the picture at its own size; on failure `out` is left unchanged.
// A picture whose header declares more than `maxPixels` pixels (or a side over kMaxPictureSide)
// is refused before any pixel memory is allocated. A file that needs the whole picture's
// coefficients at once (progressive, or one scan per component) is refused with "Picture too
// large" when they would take more than DecodeBudgetBytes.
Status DecodeJpeg(const std::uint8_t* data, std::size_t size, Bitmap24& out,
                  std::int64_t maxPixels = kMaxPicturePixels, PictureNotes* notes = nullptr);

}  // namespace tinto

#pragma once
// The two preview bitmaps of an import, Dest1 (frame 0) and Dest2 (frame 1): DX * 8 by DY pixels
// whose channel bytes are 0, 177 or 254.

#include <cstdint>

#include "core/import/import_options.h"
#include "core/model/bitmap.h"
#include "core/model/palette.h"

namespace tinto {

// Makes both previews DX * 8 by DY. A preview that already has that size keeps its pixels and its
// memory; a resized one is black.
void SizePreviews(const FittedImportOptions& options, Bitmap24& dest1, Bitmap24& dest2);

void ClearPreview(Bitmap24& preview);

// Writes colour 0x00BBGGRR as the (blue, green, red) triple at `pixel`.
inline void PutPreviewPixel(std::uint8_t* pixel, Rgb color) {
  pixel[0] = static_cast<std::uint8_t>(BlueOf(color));
  pixel[1] = static_cast<std::uint8_t>(GreenOf(color));
  pixel[2] = static_cast<std::uint8_t>(RedOf(color));
}

}  // namespace tinto

#pragma once
// The headers of the pictures Qt's readers decode (BMP, PNG, GIF, ICO), read by us before Qt
// reads anything: the file's type, the size of the picture it will give (for an icon file, of
// every image inside, embedded PNGs included) and whether the file is shorter than its pixels
// need. Nothing here allocates in proportion to what the file claims.

#include <QIODevice>
#include <cstdint>
#include <string>

#include "core/status.h"

namespace tinto {

enum class RasterKind { Bmp, Png, Gif, Ico };

struct RasterHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;
  int iconIndex = 0;       // ICO: the image with the most pixels, the one to read
  bool truncated = false;  // BMP, GIF: the file ends before the first picture's data does
};

// The kind's name as users read it: "BMP", "PNG", "GIF", "ICO".
const char* RasterKindName(RasterKind kind);

// Fails with "Not a <KIND> picture" ("Not an ICO picture") when the signature is wrong, "Damaged or
// truncated <KIND> picture" when the header itself is cut or inconsistent, and "Picture too large:
// W x H" when the picture (or any image of an icon file) is over the picture limits, with at most
// `maxPixels` pixels. Reads `device` from its start, which must be seekable; leaves its position
// anywhere.
Status ReadRasterHeader(QIODevice& device, RasterKind kind, RasterHeader& header,
                        std::int64_t maxPixels);

}  // namespace tinto

#pragma once
// Raster pictures read through Qt's image readers: BMP, ICO, PNG and GIF.

#include <string>

#include "core/model/bitmap.h"
#include "core/status.h"

namespace tinto {

// Reads the picture file at `path` with the reader for `format` ("bmp", "ico", "png", "gif")
// only: the content is not sniffed, so a file of another kind fails. An icon file gives its
// largest image, an animation its first frame. The declared size is checked against the
// picture limits before the pixels are read. On failure `out` is left unchanged.
Status LoadWithQtReader(const std::string& path, const char* format, Bitmap24& out);

}  // namespace tinto

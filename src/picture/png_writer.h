#pragma once
// Writing 24-bit bitmaps as PNG files. The picture is encoded in memory and written through
// WriteFileAtomically (atomic_file.h), so a failed write leaves an existing file as it was.

#include <string>

#include "core/model/bitmap.h"
#include "core/status.h"

namespace tinto {

// Ok when `path` ends in ".png" (letter case ignored); otherwise an error naming the path,
// since the format follows the extension and PNG is the one written.
Status CheckPngFileName(const std::string& path);

// Fails on an empty bitmap, a name refused by CheckPngFileName, and with the safe writer's
// errors.
Status SavePng(const Bitmap24& bitmap, const std::string& path);

}  // namespace tinto

#pragma once
// A whole import conversion of a prepared source picture (rows of blue, green, red bytes; the
// picture itself or its copy resampled to DX * 8 by DY) into ImportResult and the two previews.

#include "core/import/import_options.h"
#include "core/import/import_result.h"
#include "core/model/bitmap.h"

namespace tinto {

// Makes Dest1 and Dest2 DX * 8 by DY; clears `result`; then runs the Perceptual method, or else
// the classic dithered path (Dither on) or the level preview and the plain 8x1 fit.
// Returns false, changing nothing at all, when the source is empty. With dithering and DY < 8 the
// result stays cleared and the previews keep their pixels (unless they had to be resized).
bool ConvertImport(const Bitmap24& source, const FittedImportOptions& options, ImportResult& result,
                   Bitmap24& dest1, Bitmap24& dest2);

}  // namespace tinto

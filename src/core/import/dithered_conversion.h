#pragma once
// The dithered import: an ordered dither of every channel, attribute cells in the layout of each
// band, a bright decision per cell and ink/paper chosen by counting colours.

#include "core/import/import_options.h"
#include "core/import/import_result.h"
#include "core/model/bitmap.h"

namespace tinto {

// Converts DY div 8 character rows of the DX columns into `result`, frame 0
// with (LR, LG, LB) and frame 1 with (HR, HG, HB), and paints the converted area of Dest1 and
// Dest2, which are sized to DX * 8 by DY and cleared to black first. Writes only the converted
// area: the caller clears `result` (ConvertImport does). A cell not wholly inside the source is
// converted as if the source were black there; nothing beyond the source is read.
// Returns false, changing nothing, when the source is empty or DY < 8.
bool ConvertDithered(const Bitmap24& source, const FittedImportOptions& options,
                     ImportResult& result, Bitmap24& dest1, Bitmap24& dest2);

}  // namespace tinto

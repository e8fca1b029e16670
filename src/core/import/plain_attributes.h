#pragma once
// The plain import's 8x1 ink/paper fit on the three-level previews.

#include "core/import/import_options.h"
#include "core/import/import_result.h"
#include "core/model/bitmap.h"

namespace tinto {

// For rows 0..DY - 1 and columns 0..MLTWidth - 1 (MLTLeft and TintoMode play no part), fits an ink
// and a paper to each 8-pixel run of Dest1 (frame 0) and Dest2 (frame 1) and stores the pixel byte
// and attribute into `result`. Pixels matching neither colour are repainted with the ink. Rows and
// columns beyond a preview's own size are skipped.
void FitPlainAttributes(const FittedImportOptions& options, ImportResult& result, Bitmap24& dest1,
                        Bitmap24& dest2);

}  // namespace tinto

#pragma once
// The Perceptual import: each attribute cell's ink, paper and bright in both frames are searched
// for the four colours of the static mix nearest to the cell's pixels, then every pixel takes the
// nearest of those four, and what it misses (in linear light) is passed on to its neighbours in a
// serpentine error diffusion that crosses cell borders. A refinement then revisits each pixel's
// choice among its cell's four colours against a model of what a viewer sees (halftone_refine.h).
// Thresholds, Contrast, Bright and Dither play no part; the cell layout is the classic one (8x1 in
// the MLT window, 8x8 outside it, or 8x2 over the whole width with TintoMode).

#include "core/import/import_options.h"
#include "core/import/import_result.h"
#include "core/model/bitmap.h"

namespace tinto {

// Converts the DX columns by DY rows into `result` and paints both frames
// into Dest1 and Dest2, sized to DX * 8 by DY. Writes only the converted area: the caller clears
// `result` (ConvertImport does). Pixels beyond the source are converted as black.
// Deterministic: the same source and options give the same bytes.
// Returns false, changing nothing, when the source is empty.
bool ConvertPerceptual(const Bitmap24& source, const FittedImportOptions& options,
                       ImportResult& result, Bitmap24& dest1, Bitmap24& dest2);

}  // namespace tinto

#pragma once
// The plain import's per-pixel split of every channel into three levels, painted into the previews.

#include "core/import/import_options.h"
#include "core/model/bitmap.h"

namespace tinto {

// 254 when value >= threshold; else 177 when value >= threshold / (hth / 50), compared in double
// precision without rounding the quotient; else 0. An hth below 1 counts as 1.
int PlainChannelLevel(int value, int threshold, int hth);

// Sizes both previews to DX * 8 by DY and fills them in a single pass over the source rows without
// allocating (once the previews have their size): Dest1 with the levels of (LR, LG, LB), Dest2 of
// (HR, HG, HB). Only the top-left min(source width, DX * 8) by min(source height, DY) pixels are
// converted; the rest of each preview is black.
// Returns false, changing nothing, when the source is empty.
bool ComputeLevelPreview(const Bitmap24& source, const FittedImportOptions& options,
                         Bitmap24& dest1, Bitmap24& dest2);

}  // namespace tinto

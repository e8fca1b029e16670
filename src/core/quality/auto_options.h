#pragma once
// "Auto": the classic (dithered) conversion's own options - the six thresholds, the half
// threshold, the contrast and Bright - searched for the lowest blurred colour error (de00Blur,
// see picture_score.h) of one picture. The result is an ordinary option set: converting with it
// gives the same bytes as any other conversion with those options.

#include "core/import/import_options.h"
#include "core/model/bitmap.h"
#include "core/quality/picture_score.h"

namespace tinto {

struct AutoOptions {
  ImportOptions options;  // `start` with the searched options replaced and Dither on
  double de00Blur = 0.0;  // of the conversion with `options`
  int conversions = 0;    // how many option sets were tried
};

// `source` is the bitmap the conversion reads (as ConvertImport takes it); `reference` holds the
// photograph at the picture's DX * 8 x DY. The geometry and mode of `start` are kept. The search
// is deterministic: the same inputs give the same options. Preconditions: `source` not empty;
// `reference` is DX * 8 x DY of the fitted `start`.
AutoOptions FindAutoOptions(const Bitmap24& source, const ScoreReference& reference,
                            const ImportOptions& start);

// The photograph as the score compares with a conversion of DX * 8 x DY of the fitted `options`:
// `picture` resized (ResizeForScore) when the conversion stretches it, else the top-left part
// of it that the conversion reads (resized too if the picture is smaller than that).
// Precondition: `picture` not empty.
Bitmap24 PhotoAtPictureSize(const Bitmap24& picture, bool stretch, const ImportOptions& options);

}  // namespace tinto

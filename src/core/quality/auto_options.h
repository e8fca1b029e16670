#pragma once
// "Auto": both methods considered for one picture. The classic (dithered) conversion's own
// options - the levels, the half threshold, the contrast and Bright, as the option table marks
// them (AutoRole) - are searched for the lowest blurred colour error (de00Blur, see
// picture_score.h), and the Perceptual conversion is tried as it stands. Colour must not be
// bought with structure: among every result the search saw whose SSIM lies within
// kAutoSsimMargin of the best SSIM it saw, the one with the lowest blurred error is chosen. The
// result is an ordinary option set: converting with it gives the same bytes as any other
// conversion with those options.

#include <cstddef>
#include <span>

#include "core/import/import_options.h"
#include "core/model/bitmap.h"
#include "core/quality/picture_score.h"

namespace tinto {

inline constexpr double kAutoSsimMargin = 0.05;

struct AutoOptions {
  // `start` with the method chosen and, for Classic, the searched options and Dither on.
  FittedImportOptions options;
  double de00Blur = 0.0;  // of the conversion with `options`
  double ssimY = 0.0;     // likewise (NaN for a picture under 11 pixels a side)
  int conversions = 0;    // how many option sets were tried
};

// What a result of the search scored.
struct AutoScore {
  double de00Blur;
  double ssimY;  // NaN rules nothing out
};

// The rule above: the index of the result with the lowest blurred error among those whose SSIM
// lies within kAutoSsimMargin of the best SSIM; the first of equals. Precondition: not empty.
std::size_t ChooseAutoResult(std::span<const AutoScore> scores);

// `source` is the bitmap the conversion reads (as ConvertImport takes it); `reference` holds the
// photograph at the picture's DX * 8 x DY. The geometry and mode of `start` are kept. The search
// is deterministic: the same inputs give the same options. Preconditions: `source` not empty;
// `reference` is DX * 8 x DY of `start`.
AutoOptions FindAutoOptions(const Bitmap24& source, const ScoreReference& reference,
                            const FittedImportOptions& start);

// The photograph as the score compares with a conversion of DX * 8 x DY of `options`: `picture`
// resized (ResizeForScore) when the conversion stretches it, else the top-left part of it that
// the conversion reads (resized too if the picture is smaller than that).
// Precondition: `picture` not empty.
Bitmap24 PhotoAtPictureSize(const Bitmap24& picture, const FittedImportOptions& options);

}  // namespace tinto

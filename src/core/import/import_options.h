#pragma once
// Every input of an import, named after the Import Expert's controls so that the dialog reads
// as a plain copy of its controls. Each field's initial value is the option's default: what
// `tinto convert` uses without the option, and what a missing threshold key gives the dialog.
// Ranges, settings keys, tool flags and captions: import_option_table.h.

#include <string_view>

#include "core/import/resample_filter.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto {

// "Method": the classic threshold conversion, or the Perceptual one (perceptual_conversion.h),
// which uses only the geometry options.
enum class ImportMethod { Classic, Perceptual };

struct ImportOptions {
  ImportMethod Method = ImportMethod::Classic;
  int LR = 96, LG = 96, LB = 96;     // frame-0 thresholds of red, green, blue ("Scr 1")
  int HR = 160, HG = 160, HB = 160;  // frame-1 thresholds ("Scr 2")
  // Plain path: half-level divisor HTH / 50. Dithered path: source shift HTH - 128 (Bright off)
  // or the non-bright limit 256 - HTH on channel means (Bright on).
  int HTH = 128;
  int Contrast = 2;  // dithered path: ramp step 4 - Contrast
  bool Bright = false;
  bool Dither = true;                   // "Dither": the dithered path instead of the plain one
  bool TintoMode = false;               // "Tinto 8x2 Full Screen": 8x2 cells over the whole width
  bool Stretch = true;                  // resample the picture to DX * 8 by DY before converting
  int Filter = kDefaultResampleFilter;  // index into kResampleFilters
  int DX = 32;                          // converted width in 8-pixel columns
  int DY = 192;                         // converted height in pixel rows
  int MLTLeft = 0;
  int MLTWidth = 18;
  // "Flicker" of the Perceptual method in hundredths: 0 chooses colours for the mix alone, 100
  // gives up the most accuracy of the mix for frames that differ less in brightness.
  int FlickerWeight = 50;

  bool operator==(const ImportOptions&) const = default;
};

// Options that lie within their ranges, with the MLT window inside DX: made only by
// FitImportOptions, so whatever takes them (every conversion does, by const reference) needs
// no fitting of its own.
class FittedImportOptions {
 public:
  // The defaults, fitted.
  FittedImportOptions();

  const ImportOptions& operator*() const { return m_values; }
  const ImportOptions* operator->() const { return &m_values; }
  bool operator==(const FittedImportOptions&) const = default;

 private:
  friend FittedImportOptions FitImportOptions(const ImportOptions& options);
  explicit FittedImportOptions(const ImportOptions& fitted) : m_values(fitted) {}

  ImportOptions m_values;
};

// Each value clamped to its range (import_option_table.h), as the dialog's controls clamp it,
// then the MLT window moved left and narrowed until it fits into DX.
FittedImportOptions FitImportOptions(const ImportOptions& options);
// The picture geometry the options describe: DX, DY, the MLT window and the attribute mode.
ScreenGeometry ImportGeometry(const ImportOptions& options);
// `options` with DX, DY and the MLT window of `geometry`; the mode stays as it is.
ImportOptions WithGeometry(ImportOptions options, const ScreenGeometry& geometry);
// The filter `options` choose.
const ResampleFilter& ImportFilter(const FittedImportOptions& options);

struct ChannelThresholds {
  int red;
  int green;
  int blue;
};

// "Classic" or "Perceptual".
std::string_view ImportMethodName(ImportMethod method);

// (LR, LG, LB) for frame 0, (HR, HG, HB) for frame 1.
ChannelThresholds FrameThresholds(const ImportOptions& options, FrameIndex frame);

}  // namespace tinto

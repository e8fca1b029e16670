#pragma once
// Every input of an import conversion, as the Import Expert's controls hold them. The names are
// the controls' names so that the dialog reads as a plain copy of its controls.

#include <optional>
#include <string_view>

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto {

constexpr IntRange kThresholdRange{0, 255};
constexpr IntRange kHthRange{1, 256};
constexpr IntRange kContrastRange{0, 4};
// "Flicker" of the Perceptual method: 0 chooses colours for the mix alone, 1 gives up the most
// accuracy of the mix for frames that differ less in brightness.
constexpr double kDefaultFlickerWeight = 0.5;

// "Method": the classic threshold conversion, or the Perceptual one (perceptual_conversion.h),
// which uses only the geometry options.
enum class ImportMethod { Classic, Perceptual };

// Defaults are the dialog's form defaults.
struct ImportOptions {
  ImportMethod Method = ImportMethod::Classic;
  int LR = 100, LG = 100, LB = 100;  // frame-0 thresholds of red, green, blue ("Scr 1")
  int HR = 100, HG = 100, HB = 100;  // frame-1 thresholds ("Scr 2")
  // Plain path: half-level divisor HTH / 50. Dithered path: source shift HTH - 128 (Bright off)
  // or the non-bright limit 256 - HTH on channel means (Bright on).
  int HTH = 100;
  int Contrast = 3;  // dithered path: ramp step 4 - Contrast
  bool Bright = false;
  bool Dither = false;     // "Dither": the dithered path instead of the plain one
  bool TintoMode = false;  // "Tinto 8x2 Full Screen": 8x2 cells over the whole width
  int DX = 18;             // converted width in 8-pixel columns
  int DY = 192;            // converted height in pixel rows
  int MLTLeft = 0;
  int MLTWidth = 18;
  double FlickerWeight = kDefaultFlickerWeight;  // Perceptual method only, 0..1

  bool operator==(const ImportOptions&) const = default;
};

// Each value clamped to the range of its control, as the dialog's spin edits and sliders do.
ImportOptions ClampImportOptions(ImportOptions options);
// ClampImportOptions, then the MLT window moved left and narrowed until it fits into DX.
ImportOptions FitImportOptions(ImportOptions options);
// The picture geometry the options describe: DX, DY, the MLT window and the attribute mode.
ScreenGeometry ImportGeometry(const ImportOptions& options);

struct ChannelThresholds {
  int red;
  int green;
  int blue;
};

// "Classic" or "Perceptual".
std::string_view ImportMethodName(ImportMethod method);
// The method of that name, in any letter case; nullopt for any other text.
std::optional<ImportMethod> ImportMethodOfName(std::string_view name);

// (LR, LG, LB) for frame 0, (HR, HG, HB) for frame 1.
ChannelThresholds FrameThresholds(const ImportOptions& options, FrameIndex frame);

}  // namespace tinto

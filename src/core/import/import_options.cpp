#include "core/import/import_options.h"

#include <algorithm>
#include <cctype>

namespace tinto {

ImportOptions ClampImportOptions(ImportOptions options) {
  for (int* threshold :
       {&options.LR, &options.LG, &options.LB, &options.HR, &options.HG, &options.HB})
    *threshold = kThresholdRange.Clamp(*threshold);
  options.HTH = kHthRange.Clamp(options.HTH);
  options.Contrast = kContrastRange.Clamp(options.Contrast);
  options.DX = kDxRange.Clamp(options.DX);
  options.DY = kDyRange.Clamp(options.DY);
  options.MLTLeft = kMltLeftRange.Clamp(options.MLTLeft);
  options.MLTWidth = kMltWidthRange.Clamp(options.MLTWidth);
  // Written so that NaN becomes 0.
  options.FlickerWeight = options.FlickerWeight > 0 ? std::min(options.FlickerWeight, 1.0) : 0.0;
  return options;
}

ImportOptions FitImportOptions(ImportOptions options) {
  options = ClampImportOptions(options);
  MltWindow window = ClampMltWindow({options.MLTLeft, options.MLTWidth}, options.DX);
  options.MLTLeft = window.left;
  options.MLTWidth = window.width;
  return options;
}

ScreenGeometry ImportGeometry(const ImportOptions& options) {
  ScreenGeometry geometry;
  geometry.SetDX(options.DX);
  geometry.SetDY(options.DY);
  geometry.SetMltLeft(options.MLTLeft);
  geometry.SetMltWidth(options.MLTWidth);
  geometry.SetMode(options.TintoMode ? AttrMode::Mode8x2 : AttrMode::Mode8x1);
  return geometry;
}

std::string_view ImportMethodName(ImportMethod method) {
  return method == ImportMethod::Perceptual ? "Perceptual" : "Classic";
}

std::optional<ImportMethod> ImportMethodOfName(std::string_view name) {
  for (ImportMethod method : {ImportMethod::Classic, ImportMethod::Perceptual}) {
    const std::string_view known = ImportMethodName(method);
    auto sameLetter = [](char a, char b) {
      return std::tolower(static_cast<unsigned char>(a)) ==
             std::tolower(static_cast<unsigned char>(b));
    };
    if (std::equal(name.begin(), name.end(), known.begin(), known.end(), sameLetter)) return method;
  }
  return std::nullopt;
}

ChannelThresholds FrameThresholds(const ImportOptions& options, FrameIndex frame) {
  if (frame == 0) return {options.LR, options.LG, options.LB};
  return {options.HR, options.HG, options.HB};
}

}  // namespace tinto

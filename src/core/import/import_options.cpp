#include "core/import/import_options.h"

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
  return options;
}

ImportOptions FitImportOptions(ImportOptions options) {
  options = ClampImportOptions(options);
  MltWindow window = ClampMltWindow({options.MLTLeft, options.MLTWidth}, options.DX);
  options.MLTLeft = window.left;
  options.MLTWidth = window.width;
  return options;
}

ChannelThresholds FrameThresholds(const ImportOptions& options, FrameIndex frame) {
  if (frame == 0) return {options.LR, options.LG, options.LB};
  return {options.HR, options.HG, options.HB};
}

}  // namespace tinto

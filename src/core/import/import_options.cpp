#include "core/import/import_options.h"

#include "core/import/import_option_table.h"

namespace tinto {

FittedImportOptions::FittedImportOptions() : FittedImportOptions(*FitImportOptions({})) {}

FittedImportOptions FitImportOptions(const ImportOptions& options) {
  ImportOptions fitted = options;
  for (const ImportOptionRow& row : ImportOptionTable())
    row.Set(fitted, row.range.Clamp(row.Get(fitted)));
  const MltWindow window = ClampMltWindow({fitted.MLTLeft, fitted.MLTWidth}, fitted.DX);
  fitted.MLTLeft = window.left;
  fitted.MLTWidth = window.width;
  return FittedImportOptions(fitted);
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

ImportOptions WithGeometry(ImportOptions options, const ScreenGeometry& geometry) {
  options.DX = geometry.DX();
  options.DY = geometry.DY();
  options.MLTLeft = geometry.MltLeft();
  options.MLTWidth = geometry.MltWidth();
  return options;
}

const ResampleFilter& ImportFilter(const FittedImportOptions& options) {
  return kResampleFilters[static_cast<std::size_t>(options->Filter)];
}

std::string_view ImportMethodName(ImportMethod method) {
  return method == ImportMethod::Perceptual ? "Perceptual" : "Classic";
}

ChannelThresholds FrameThresholds(const ImportOptions& options, FrameIndex frame) {
  if (frame == 0) return {options.LR, options.LG, options.LB};
  return {options.HR, options.HG, options.HB};
}

}  // namespace tinto

#pragma once
// The Import Expert's work without its window: a loaded picture is fitted, optionally cropped,
// converted, and taken into a picture exactly as the dialog's OK takes it.

#include <optional>

#include "core/import/import_options.h"
#include "core/import/import_result.h"
#include "core/import/resampler.h"
#include "core/import/source_picture.h"
#include "core/model/bitmap.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

namespace tinto::cli {

struct ImportJob {
  ImportOptions options;
  bool stretch = true;
  const ResampleFilter* filter = &kResampleFilters[kDefaultResampleFilter];
  std::optional<PixelRect> crop;
  bool autoOptions = false;  // replace the dithered options by FindAutoOptions' choice
};

struct ImportOutcome {
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ImportOptions options;  // as converted: clamped, fitted, and with --auto the chosen ones
};

// `picture` is the loaded source; a crop replaces it, as "Crop Picture" does.
Status RunImport(Bitmap24 picture, const ImportJob& job, ImportOutcome& outcome);

}  // namespace tinto::cli

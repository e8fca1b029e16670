#pragma once
// The Import Expert's work without its window: a loaded picture goes through the same
// ImportSession calls the dialog makes (fitted, optionally cropped, converted) and is taken into
// a picture exactly as the dialog's OK takes it.

#include <optional>

#include "core/import/import_options.h"
#include "core/model/bitmap.h"
#include "core/model/pixel_geometry.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

namespace tinto::cli {

struct ImportJob {
  ImportOptions options;
  std::optional<PixelRect> crop;
  bool autoOptions = false;  // let "Auto" choose the method and its options
};

struct ImportOutcome {
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ImportOptions options;  // as converted: fitted, and with Auto the chosen ones
};

// `picture` is the loaded source; a crop replaces it, as "Crop Picture" does.
Status RunImport(Bitmap24 picture, const ImportJob& job, ImportOutcome& outcome);

}  // namespace tinto::cli

#pragma once
// What the Import Expert hands to the document when it closes with OK: the geometry its
// controls show and its last conversion (or the one before, when nothing was converted since).

#include "core/import/import_result.h"
#include "core/model/screen_geometry.h"

struct ImportedPicture {
  // DX, DY, MLT Width and MLT Left as the dialog shows them; Mode8x2 when "Tinto 8x2 Full
  // Screen" is ticked.
  tinto::ScreenGeometry geometry;
  tinto::ImportResult result;
};

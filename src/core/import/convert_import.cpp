#include "core/import/convert_import.h"

#include "core/import/dithered_conversion.h"
#include "core/import/import_previews.h"
#include "core/import/level_preview.h"
#include "core/import/perceptual_conversion.h"
#include "core/import/plain_attributes.h"

namespace tinto {

bool ConvertImport(const Bitmap24& source, const FittedImportOptions& options, ImportResult& result,
                   Bitmap24& dest1, Bitmap24& dest2) {
  if (source.Empty()) return false;
  SizePreviews(options, dest1, dest2);
  result.Clear();
  if (options->Method == ImportMethod::Perceptual) {
    ConvertPerceptual(source, options, result, dest1, dest2);
  } else if (options->Dither) {
    ConvertDithered(source, options, result, dest1, dest2);
  } else {
    ComputeLevelPreview(source, options, dest1, dest2);
    FitPlainAttributes(options, result, dest1, dest2);
  }
  return true;
}

}  // namespace tinto

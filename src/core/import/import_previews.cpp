#include "core/import/import_previews.h"

#include <algorithm>

namespace tinto {
namespace {

void SizePreview(Bitmap24& preview, int width, int height) {
  if (preview.Width() != width || preview.Height() != height) preview.Resize(width, height);
}

}  // namespace

void SizePreviews(const FittedImportOptions& options, Bitmap24& dest1, Bitmap24& dest2) {
  SizePreview(dest1, options->DX * 8, options->DY);
  SizePreview(dest2, options->DX * 8, options->DY);
}

void ClearPreview(Bitmap24& preview) {
  for (int y = 0; y < preview.Height(); ++y) std::fill_n(preview.Row(y), preview.Stride(), 0);
}

}  // namespace tinto

#include "core/import/import_previews.h"

#include <algorithm>

namespace tinto {
namespace {

void SizePreview(Bitmap24& preview, int width, int height) {
  if (preview.Width() != width || preview.Height() != height) preview.Resize(width, height);
}

}  // namespace

void SizePreviews(const ImportOptions& options, Bitmap24& dest1, Bitmap24& dest2) {
  ImportOptions clamped = ClampImportOptions(options);
  SizePreview(dest1, clamped.DX * 8, clamped.DY);
  SizePreview(dest2, clamped.DX * 8, clamped.DY);
}

void ClearPreview(Bitmap24& preview) {
  for (int y = 0; y < preview.Height(); ++y) std::fill_n(preview.Row(y), preview.Stride(), 0);
}

}  // namespace tinto

#include "cli/picture_import.h"

#include <memory>

#include "core/import/convert_import.h"
#include "core/quality/auto_options.h"

namespace tinto::cli {
namespace {

void FitOptions(const Bitmap24& picture, bool stretch, ImportOptions& o) {
  ScreenGeometry fitted =
      FitSizeToPicture(picture.Width(), picture.Height(), stretch, ImportGeometry(o));
  o.DX = fitted.DX();
  o.DY = fitted.DY();
  o.MLTLeft = fitted.MltLeft();
  o.MLTWidth = fitted.MltWidth();
}

}  // namespace

Status RunImport(Bitmap24 picture, const ImportJob& job, ImportOutcome& outcome) {
  ImportOptions options = ClampImportOptions(job.options);
  FitOptions(picture, job.stretch, options);
  Bitmap24 stretched;
  PreparedSource source =
      PrepareSource(picture, job.stretch, ImportGeometry(options), *job.filter, stretched);
  if (!source.status) return source.status;
  if (job.crop) {
    const PixelRect& r = *job.crop;
    Bitmap24 cropped = CropBitmap(*source.bitmap, r.x1, r.y1, r.x2, r.y2);
    if (cropped.Empty()) return Status::Error("the crop rectangle lies outside the picture");
    picture = std::move(cropped);
    FitOptions(picture, job.stretch, options);
    source = PrepareSource(picture, job.stretch, ImportGeometry(options), *job.filter, stretched);
    if (!source.status) return source.status;
  }
  if (job.autoOptions && !source.bitmap->Empty()) {
    const ScoreReference reference(PhotoAtPictureSize(picture, job.stretch, options));
    options = FindAutoOptions(*source.bitmap, reference, options).options;
  }
  auto result = std::make_unique<ImportResult>();
  Bitmap24 dest1, dest2;
  if (!ConvertImport(*source.bitmap, options, *result, dest1, dest2))
    return Status::Error("the picture has no pixels");
  outcome.options = options;
  outcome.geometry = ImportGeometry(options);
  outcome.screen.LoadScreen(result->pixels, result->attrs);
  return Status::Ok();
}

}  // namespace tinto::cli

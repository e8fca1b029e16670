#include "cli/picture_import.h"

#include <memory>

#include "core/session/import_session.h"

namespace tinto::cli {

Status RunImport(Bitmap24 picture, const ImportJob& job, ImportOutcome& outcome) {
  auto session = std::make_unique<ImportSession>();
  session->SetPicture(std::move(picture));
  session->SetOptions(job.options);
  session->FitSizeToPicture();
  if (job.crop) {
    if (Status prepared = session->Prepare(); !prepared) return prepared;
    if (!session->Crop(*job.crop))
      return Status::Error("the crop rectangle lies outside the picture");
  }
  AutoOptions found;
  const Status converted = job.autoOptions ? session->RunAuto(found) : session->Convert();
  if (!converted) return converted;
  outcome.options = *session->Options();
  outcome.geometry = ImportGeometry(outcome.options);
  outcome.screen.LoadScreen(session->Result().pixels, session->Result().attrs);
  return Status::Ok();
}

}  // namespace tinto::cli

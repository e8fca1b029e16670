#include "core/session/import_session.h"

#include <memory>
#include <utility>

#include "core/import/convert_import.h"
#include "core/import/import_previews.h"
#include "core/import/level_preview.h"
#include "core/import/source_picture.h"

namespace tinto {

void ImportSession::SetPicture(Bitmap24 picture) {
  m_picture = std::move(picture);
  m_stretchedFor.reset();
  m_shown = nullptr;
  m_convertedWith.reset();
  m_score.reset();
  m_reference.reset();
}

const FittedImportOptions& ImportSession::SetOptions(const ImportOptions& options) {
  m_options = FitImportOptions(options);
  return m_options;
}

const FittedImportOptions& ImportSession::FitSizeToPicture() {
  if (!Loaded()) return m_options;
  const ScreenGeometry fitted = tinto::FitSizeToPicture(
      m_picture.Width(), m_picture.Height(), m_options->Stretch, ImportGeometry(*m_options));
  return SetOptions(WithGeometry(*m_options, fitted));
}

Status ImportSession::Prepare() {
  m_shown = nullptr;
  if (!Loaded()) return Status::Error("No picture is loaded");
  const StretchKey key{m_options->DX * 8, m_options->DY, m_options->Filter};
  if (m_options->Stretch && m_stretchedFor == key) {
    m_shown = &m_stretched;
    return Status::Ok();
  }
  if (m_options->Stretch) m_stretchedFor.reset();
  const PreparedSource prepared =
      PrepareSource(m_picture, m_options->Stretch, ImportGeometry(*m_options),
                    ImportFilter(m_options), m_stretched);
  if (!prepared.status) return prepared.status;
  if (m_options->Stretch) m_stretchedFor = key;
  m_shown = prepared.bitmap;
  return Status::Ok();
}

bool ImportSession::Crop(const PixelRect& rect) {
  const Bitmap24& shown = m_shown != nullptr ? *m_shown : m_picture;
  Bitmap24 cropped = CropBitmap(shown, rect.x1, rect.y1, rect.x2, rect.y2);
  if (cropped.Empty()) return false;
  SetPicture(std::move(cropped));
  FitSizeToPicture();
  return true;
}

Status ImportSession::Convert() {
  if (Status prepared = Prepare(); !prepared) return prepared;
  ConvertImport(*m_shown, m_options, m_result, m_dest1, m_dest2);
  m_convertedWith = m_options;
  m_score.reset();
  return Status::Ok();
}

bool ImportSession::PreviewLevels() {
  return m_shown != nullptr && ComputeLevelPreview(*m_shown, m_options, m_dest1, m_dest2);
}

void ImportSession::SizePreviews() { tinto::SizePreviews(m_options, m_dest1, m_dest2); }

const ScoreReference& ImportSession::Reference(const FittedImportOptions& options) {
  const ReferenceKey key{options->Stretch, options->DX * 8, options->DY};
  if (!m_reference || !(m_referenceFor == key)) {
    m_reference.emplace(PhotoAtPictureSize(m_picture, options));
    m_referenceFor = key;
  }
  return *m_reference;
}

std::optional<PictureScore> ImportSession::Score() {
  if (!m_convertedWith) return std::nullopt;
  if (!m_score) {
    auto screen = std::make_unique<ScreenBuffers>();
    screen->LoadScreen(m_result.pixels, m_result.attrs);
    m_score = Reference(*m_convertedWith).ScoreScreen(*screen, ImportGeometry(**m_convertedWith));
  }
  return m_score;
}

Status ImportSession::RunAuto(AutoOptions& found) {
  if (Status prepared = Prepare(); !prepared) return prepared;
  found = FindAutoOptions(*m_shown, Reference(m_options), m_options);
  m_options = found.options;
  return Convert();
}

}  // namespace tinto

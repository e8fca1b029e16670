#include "app/dialogs/import/import_quality.h"

#include <memory>

#include "core/model/screen_buffers.h"

const tinto::ScoreReference& TImportQuality::Reference(const tinto::Bitmap24& picture, bool stretch,
                                                       const tinto::ImportOptions& options) {
  const tinto::ImportOptions fitted = tinto::FitImportOptions(options);
  const ReferenceKey key{stretch, fitted.DX * 8, fitted.DY};
  if (!m_reference || !(m_referenceFor == key)) {
    m_reference.emplace(tinto::PhotoAtPictureSize(picture, stretch, fitted));
    m_referenceFor = key;
  }
  return *m_reference;
}

tinto::PictureScore TImportQuality::Score(const tinto::Bitmap24& picture, bool stretch,
                                          const tinto::ImportOptions& options,
                                          const tinto::ImportResult& result) {
  const tinto::ScoreReference& reference = Reference(picture, stretch, options);
  auto screen = std::make_unique<tinto::ScreenBuffers>();
  screen->LoadScreen(result.pixels, result.attrs);
  tinto::ScreenGeometry geometry;
  geometry.SetDX(options.DX);
  geometry.SetDY(options.DY);
  return reference.ScoreScreen(*screen, geometry);
}

tinto::AutoOptions TImportQuality::FindAuto(const tinto::Bitmap24& picture,
                                            const tinto::Bitmap24& shown, bool stretch,
                                            const tinto::ImportOptions& options) {
  return tinto::FindAutoOptions(shown, Reference(picture, stretch, options), options);
}

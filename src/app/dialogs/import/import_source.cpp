#include "app/dialogs/import/import_source.h"

#include <utility>

void TImportSource::Replace(tinto::Bitmap24 picture) {
  m_picture = std::move(picture);
  m_stretchedValid = false;
  m_shown = nullptr;
}

tinto::Status TImportSource::Prepare(bool stretch, const tinto::ScreenGeometry& geometry,
                                     const tinto::ResampleFilter& filter) {
  const StretchKey key{geometry.WidthPixels(), geometry.DY(), &filter};
  if (stretch && m_stretchedValid && m_stretchedFor == key) {
    m_shown = &m_stretched;
    return tinto::Status::Ok();
  }
  m_shown = nullptr;
  if (stretch) m_stretchedValid = false;
  tinto::PreparedSource prepared =
      tinto::PrepareSource(m_picture, stretch, geometry, filter, m_stretched);
  if (!prepared.status) return prepared.status;
  if (stretch) {
    m_stretchedValid = true;
    m_stretchedFor = key;
  }
  m_shown = prepared.bitmap;
  return tinto::Status::Ok();
}

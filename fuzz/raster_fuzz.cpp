// Feeds arbitrary bytes to the loader of the pictures Qt decodes (BMP, PNG, GIF, ICO): our header
// checks first, then Qt's reader, then the conversion. The first byte chooses the kind. Pictures
// are limited to one megapixel to keep each run fast; the checks are the same as at the full
// limit.
#include <QBuffer>
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "picture/qt_image_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto kind = static_cast<tinto::RasterKind>(data[0] % 4);
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1),
                                             static_cast<qsizetype>(size - 1));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  tinto::Bitmap24 picture;
  tinto::PictureNotes notes;
  tinto::DecodeWithQt(buffer, kind, picture, &notes, 1'000'000);
  return 0;
}

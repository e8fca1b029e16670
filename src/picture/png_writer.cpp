#include "picture/png_writer.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <algorithm>
#include <cctype>

#include "core/format/atomic_file.h"
#include "picture/bitmap_image.h"

namespace tinto {

Status CheckPngFileName(const std::string& path) {
  constexpr std::string_view kExtension = ".png";
  const bool isPng = path.size() > kExtension.size() &&
                     std::equal(kExtension.rbegin(), kExtension.rend(), path.rbegin(),
                                [](char wanted, char got) { return wanted == std::tolower(got); });
  if (isPng) return Status::Ok();
  return Status::Error(path + ": only PNG pictures are written; give the name a .png extension");
}

Status SavePng(const Bitmap24& bitmap, const std::string& path) {
  if (Status named = CheckPngFileName(path); !named) return named;
  if (bitmap.Empty()) return Status::Error("Nothing to save: the picture is empty");
  const QImage image = BitmapToImage(bitmap);
  if (image.isNull()) return OutOfMemory();
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return Status::Error(writer.errorString().toStdString());
  return WriteFileAtomically(path, std::string_view(encoded.constData(), encoded.size()));
}

}  // namespace tinto

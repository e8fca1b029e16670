#include "picture/bitmap_image.h"

#include <QBuffer>
#include <QImageWriter>
#include <QString>
#include <new>

#include "core/format/atomic_file.h"

namespace tinto {
namespace {

std::uint8_t OverWhite(int component, int alpha) {
  return static_cast<std::uint8_t>((component * alpha + 255 * (255 - alpha) + 127) / 255);
}

}  // namespace

Bitmap24 ImageToBitmap(const QImage& image) {
  if (image.isNull()) return {};
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  Bitmap24 bitmap(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    std::uint8_t* out = bitmap.Row(y);
    for (int x = 0; x < argb.width(); ++x, out += 3) {
      const int alpha = qAlpha(in[x]);
      out[0] = OverWhite(qBlue(in[x]), alpha);
      out[1] = OverWhite(qGreen(in[x]), alpha);
      out[2] = OverWhite(qRed(in[x]), alpha);
    }
  }
  return bitmap;
}

Status OutOfMemory() { return Status::Error("Out of memory"); }

Status StoreAsBitmap(const QImage& image, Bitmap24& out) {
  if (image.isNull()) return OutOfMemory();
  try {
    out = ImageToBitmap(image);
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  }
  return Status::Ok();
}

QImage BitmapToImage(const Bitmap24& bitmap) {
  if (bitmap.Empty()) return {};
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
  if (image.isNull()) return {};
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = bitmap.Row(y);
    uchar* out = image.scanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return image;
}

Status EncodePng(const Bitmap24& bitmap, std::string& bytes) {
  if (bitmap.Empty()) return Status::Error("Nothing to save: the picture is empty");
  const QImage image = BitmapToImage(bitmap);
  if (image.isNull()) return OutOfMemory();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return Status::Error(writer.errorString().toStdString());
  bytes.assign(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
  return Status::Ok();
}

Status SavePng(const Bitmap24& bitmap, const std::string& path) {
  std::string bytes;
  if (Status encoded = EncodePng(bitmap, bytes); !encoded) return encoded;
  return WriteFileAtomically(path, bytes);
}

}  // namespace tinto

#include "app/editor/display_images.h"

namespace {

QImage BlackImage(int width, int height) {
  QImage image(width, height, QImage::Format_BGR888);
  image.fill(Qt::black);
  return image;
}

}  // namespace

tinto::BitmapView BitmapViewOf(QImage& image) {
  if (image.isNull()) return {};
  return {image.bits(), image.width(), image.height(), image.bytesPerLine()};
}

void TDisplayImages::Create(int width, int height) {
  m_image1 = BlackImage(width, height);
  m_image2 = BlackImage(width, height);
  m_preview1 = BlackImage(width, height);
  m_preview2 = BlackImage(width, height);
}

tinto::DisplayBitmaps TDisplayImages::Bitmaps() {
  return {BitmapViewOf(m_image1), BitmapViewOf(m_image2), BitmapViewOf(m_preview1),
          BitmapViewOf(m_preview2)};
}

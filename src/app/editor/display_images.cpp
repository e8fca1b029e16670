#include "app/editor/display_images.h"

namespace {

QImage BlackImage(int width, int height) {
  QImage image(width, height, QImage::Format_BGR888);
  image.fill(Qt::black);
  return image;
}

tinto::BitmapView ViewOf(QImage& image) {
  if (image.isNull()) return {};
  return {image.bits(), image.width(), image.height(), image.bytesPerLine()};
}

}  // namespace

void TDisplayImages::Create(int width, int height) {
  m_image1 = BlackImage(width, height);
  m_image2 = BlackImage(width, height);
  m_preview1 = BlackImage(width, height);
  m_preview2 = BlackImage(width, height);
}

tinto::DisplayBitmaps TDisplayImages::Bitmaps() {
  return {ViewOf(m_image1), ViewOf(m_image2), ViewOf(m_preview1), ViewOf(m_preview2)};
}

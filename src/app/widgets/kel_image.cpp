#include "app/widgets/kel_image.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

TKelImage::TKelImage(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void TKelImage::SetPicture(QImage* picture) {
  m_picture = picture;
  PictureChanged();
}

void TKelImage::PictureChanged() {
  ApplyAutoSize();
  updateGeometry();
  update();
}

void TKelImage::SetStretch(bool stretch) {
  if (m_stretch == stretch) return;
  m_stretch = stretch;
  update();
}

void TKelImage::SetStretchDeviceSize(QSize size) {
  if (m_stretchDeviceSize == size) return;
  m_stretchDeviceSize = size;
  if (m_stretch) update();
}

void TKelImage::SetAutoSize(bool autoSize) {
  m_autoSize = autoSize;
  ApplyAutoSize();
}

void TKelImage::SetTranspatentColor(QColor color) {
  m_transparentColor = color;
  if (m_transparent) update();
}

void TKelImage::SetTransparent(bool transparent) {
  if (m_transparent == transparent) return;
  m_transparent = transparent;
  update();
}

QSize TKelImage::sizeHint() const {
  return m_picture != nullptr ? m_picture->size() : QWidget::sizeHint();
}

void TKelImage::ApplyAutoSize() {
  if (m_autoSize && m_picture != nullptr && !m_picture->isNull()) resize(m_picture->size());
}

QImage TKelImage::WithTransparency() const {
  QImage image = m_picture->convertToFormat(QImage::Format_ARGB32);
  const QRgb key = m_transparentColor.rgb() & RGB_MASK;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((row[x] & RGB_MASK) == key) row[x] = 0;
    }
  }
  return image;
}

void TKelImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (m_picture != nullptr && !m_picture->isNull()) {
    // Pixels must stay sharp blocks when magnified.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QImage transparentCopy = m_transparent ? WithTransparency() : QImage();
    const QImage& shown = m_transparent ? transparentCopy : *m_picture;
    if (m_stretch && m_stretchDeviceSize.isValid()) {
      painter.save();
      const qreal ratio = devicePixelRatioF();
      painter.scale(1 / ratio, 1 / ratio);
      painter.drawImage(QRect(QPoint(0, 0), m_stretchDeviceSize), shown);
      painter.restore();
    } else if (m_stretch) {
      painter.drawImage(rect(), shown);
    } else {
      painter.drawImage(QPoint(0, 0), shown);
    }
  }
  emit OnPaint(painter);
}

// Qt may repeat an enter or leave (popups, grabs); the flag keeps one signal per crossing.
void TKelImage::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (m_pointerInside) return;
  m_pointerInside = true;
  if (isEnabled()) emit OnMouseEnter();
}

void TKelImage::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!m_pointerInside) return;
  m_pointerInside = false;
  if (isEnabled()) emit OnMouseLeave();
}

void TKelImage::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_leftPressed = true;
  emit MouseDown(event);
}

void TKelImage::mouseMoveEvent(QMouseEvent* event) { emit MouseMove(event); }

void TKelImage::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = event->button() == Qt::LeftButton && m_leftPressed &&
                     rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) m_leftPressed = false;
  if (click) emit Click();
  emit MouseUp(event);
}

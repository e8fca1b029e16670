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

QSize TKelImage::sizeHint() const {
  return m_picture != nullptr ? m_picture->size() : QWidget::sizeHint();
}

void TKelImage::ApplyAutoSize() {
  if (m_autoSize && m_picture != nullptr && !m_picture->isNull()) resize(m_picture->size());
}

void TKelImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (m_picture != nullptr && !m_picture->isNull()) {
    // Pixels must stay sharp blocks when magnified.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (m_stretch && m_stretchDeviceSize.isValid()) {
      painter.save();
      const qreal ratio = devicePixelRatioF();
      painter.scale(1 / ratio, 1 / ratio);
      painter.drawImage(QRect(QPoint(0, 0), m_stretchDeviceSize), *m_picture);
      painter.restore();
    } else if (m_stretch) {
      painter.drawImage(rect(), *m_picture);
    } else {
      painter.drawImage(QPoint(0, 0), *m_picture);
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

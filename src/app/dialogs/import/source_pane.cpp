#include "app/dialogs/import/source_pane.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/widgets/kel_image.h"

TSourcePane::TSourcePane(QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("SBSource"));
  setWidgetResizable(false);
  m_source = new TKelImage;
  m_source->setObjectName(QStringLiteral("Source"));
  m_source->SetStretch(true);
  m_source->SetPicture(&m_image);
  m_source->hide();
  m_source->setContextMenuPolicy(Qt::CustomContextMenu);
  setWidget(m_source);

  m_pupSource = new QMenu(this);
  m_pupSource->setObjectName(QStringLiteral("pupSource"));
  m_cropSource = m_pupSource->addAction(QStringLiteral("Crop Picture"));
  m_cropSource->setObjectName(QStringLiteral("CropSource"));
  m_stretchWindow = m_pupSource->addAction(QStringLiteral("Stretch Window"));
  m_stretchWindow->setObjectName(QStringLiteral("StretchWindow"));
  m_stretchWindow->setEnabled(false);

  connect(m_source, &TKelImage::MouseDown, this, &TSourcePane::SourceMouseDown);
  connect(m_source, &TKelImage::MouseMove, this, &TSourcePane::SourceMouseMove);
  connect(m_source, &TKelImage::MouseUp, this, &TSourcePane::SourceMouseUp);
  connect(m_source, &TKelImage::OnPaint, this, &TSourcePane::SourcePaint);
  connect(m_source, &QWidget::customContextMenuRequested, this, &TSourcePane::SourceContextPopup);
  connect(m_cropSource, &QAction::triggered, this, &TSourcePane::CropSourceClick);
}

void TSourcePane::ShowBitmap(const tinto::Bitmap24& bitmap, int magnify) {
  if (bitmap.Width() != m_image.width() || bitmap.Height() != m_image.height()) DropCrop();
  // The control paints straight from the bitmap's rows, which are blue, green, red triples.
  m_image = bitmap.Empty() ? QImage()
                           : QImage(bitmap.Row(0), bitmap.Width(), bitmap.Height(), bitmap.Stride(),
                                    QImage::Format_BGR888);
  m_magnify = std::max(magnify, 1);
  m_source->resize(m_image.width() * m_magnify, m_image.height() * m_magnify);
  m_source->PictureChanged();
  m_source->show();
  m_source->repaint();
}

void TSourcePane::ShowEmpty() {
  DropCrop();
  m_dragging = false;
  m_moving = false;
  m_image = QImage();
  m_source->PictureChanged();
  m_source->hide();
}

void TSourcePane::DropCrop() {
  m_cropValid = false;
  m_overCrop = false;
  m_source->unsetCursor();
}

tinto::PixelPoint TSourcePane::PicturePoint(QPoint position) const {
  return tinto::PictureFromControl(position.x(), position.y(), m_magnify);
}

void TSourcePane::UpdateCursor(QPoint position) {
  m_overCrop = m_cropValid && !m_moving &&
               tinto::IsOverCropRect(m_cropRect, position.x(), position.y(), m_magnify);
  if (m_overCrop)
    m_source->setCursor(Qt::SizeAllCursor);
  else if (!m_moving)
    m_source->unsetCursor();
}

void TSourcePane::SourceMouseDown(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || (event->modifiers() & Qt::ShiftModifier)) return;
  // The pointer has always moved onto the press point first; a synthetic press has not.
  UpdateCursor(event->position().toPoint());
  const tinto::PixelPoint p = PicturePoint(event->position().toPoint());
  if (!m_overCrop) {
    DropCrop();
    m_source->repaint();
  } else {
    m_moveRect = m_cropRect;
    m_moving = true;
    m_moveAnchor = p;
  }
  if (!m_cropValid) {
    m_dragRect = {p.x, p.y, p.x, p.y};
    m_dragging = true;
    m_dragAnchor = p;
    m_source->update();
  }
}

void TSourcePane::SourceMouseMove(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  const tinto::PixelPoint p = PicturePoint(position);
  if (m_dragging) {
    m_dragRect = tinto::DragRectangle(m_dragAnchor, p, m_image.width(), m_image.height());
    m_source->update();
  } else if (m_moving) {
    m_moveRect = tinto::MoveCropRect(m_cropRect, p.x - m_moveAnchor.x, p.y - m_moveAnchor.y,
                                     m_image.width(), m_image.height());
    m_source->update();
  } else if (m_cropValid) {
    UpdateCursor(position);
  }
}

void TSourcePane::SourceMouseUp(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (m_dragging) {
    m_dragging = false;
    if (tinto::IsAcceptableCrop(m_dragRect)) {
      m_cropRect = m_dragRect;
      m_cropValid = true;
    }
    m_source->repaint();
  } else if (m_moving) {
    m_moving = false;
    m_cropRect = m_moveRect;
    m_cropValid = true;
    m_source->repaint();
  }
}

void TSourcePane::SourcePaint(QPainter& painter) {
  const tinto::PixelRect* shown = nullptr;
  if (m_dragging)
    shown = &m_dragRect;
  else if (m_moving)
    shown = &m_moveRect;
  else if (m_cropValid)
    shown = &m_cropRect;
  if (shown == nullptr) return;
  const int m = m_magnify;
  DrawFocusRectangle(painter, QRect(QPoint(shown->x1 * m, shown->y1 * m),
                                    QPoint(shown->x2 * m - 1, shown->y2 * m - 1)));
}

void TSourcePane::SourceContextPopup(QPoint position) {
  if (!m_moving) UpdateCursor(position);
  m_cropSource->setEnabled(m_cropValid && m_overCrop);
  m_pupSource->popup(m_source->mapToGlobal(position));
}

void TSourcePane::CropSourceClick() {
  if (!m_cropValid || !m_overCrop) return;
  const tinto::PixelRect rect = m_cropRect;
  DropCrop();
  emit CropRequested(rect);
}

void DrawFocusRectangle(QPainter& painter, const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  painter.save();
  painter.setPen(Qt::NoPen);
  const QRect edges[] = {QRect(rect.left(), rect.top(), rect.width(), 1),
                         QRect(rect.left(), rect.bottom(), rect.width(), 1),
                         QRect(rect.left(), rect.top(), 1, rect.height()),
                         QRect(rect.right(), rect.top(), 1, rect.height())};
  for (const QRect& edge : edges) {
    painter.fillRect(edge, Qt::white);
    painter.fillRect(edge, QBrush(Qt::black, Qt::Dense4Pattern));
  }
  painter.restore();
}

#include "app/canvas/canvas_overlay.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

TCanvasOverlay::TCanvasOverlay(QWidget* viewport) : QWidget(viewport) {
  setObjectName(QStringLiteral("CanvasOverlay"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(viewport->rect());
  raise();
  viewport->installEventFilter(this);
}

void TCanvasOverlay::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  emit Paint(painter, event->rect());
}

bool TCanvasOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent()) {
    if (event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    // The scroll box's content widget is a later child; the layer must stay above it.
    if (event->type() == QEvent::ChildAdded) raise();
  }
  return QWidget::eventFilter(watched, event);
}

void DrawFocusRect(QPainter& painter, const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  QPen pen(Qt::white, 0);
  pen.setDashPattern({1, 1});
  painter.setPen(pen);
  // Four separate edges, so that no corner pixel is inverted twice.
  const int l = rect.left();
  const int t = rect.top();
  const int r = rect.right();
  const int b = rect.bottom();
  painter.drawLine(l, t, r, t);
  if (b > t) painter.drawLine(l, b, r, b);
  if (b - t > 1) {
    painter.drawLine(l, t + 1, l, b - 1);
    if (r > l) painter.drawLine(r, t + 1, r, b - 1);
  }
  painter.restore();
}

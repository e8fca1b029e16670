#pragma once
// A transparent layer over the whole client area of the canvas scroll box: what it paints (the
// grid, the MLT window lines, a dragged floating copy and the marquee) lies over the canvas
// image and may reach past the image's edge onto the scroll box, as lines drawn on the scroll
// box itself would. It takes no mouse input; the image below keeps its cursor and events.
// Whenever the image below repaints, this layer repaints over it.

#include <QWidget>

class TCanvasOverlay : public QWidget {
  Q_OBJECT

 public:
  // `viewport` is the scroll box's client area; the layer keeps its size and stays on top.
  explicit TCanvasOverlay(QWidget* viewport);

 signals:
  // `area` is the part being repainted, in client coordinates.
  void Paint(QPainter& painter, const QRect& area);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Draws the outline of the pixels left..right-1, top..bottom-1 by inverting every other pixel
// of it, so that drawing it twice restores what was there. Nothing for an empty rectangle.
void DrawFocusRect(QPainter& painter, const QRect& rect);

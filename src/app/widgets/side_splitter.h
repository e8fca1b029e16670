#pragma once
// A bar between two side-by-side panels that reports how far it is dragged; the owner resizes
// the panel it belongs to (a roll-up panel keeps its own width, so QSplitter cannot).

#include <QWidget>

class TSideSplitter : public QWidget {
  Q_OBJECT

 public:
  explicit TSideSplitter(int width, QWidget* parent = nullptr);

 signals:
  // Horizontal movement in pixels since the previous report, positive to the right.
  void Dragged(int dx);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  int m_lastX = 0;
};

#pragma once
// A label that reports a click: left button pressed and released over it. The colour panel lays
// these over its swatches to name the colours.

#include <QLabel>
#include <QPoint>

class TClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TClickLabel(QWidget* parent = nullptr);

  // Text colour; the background stays transparent.
  void SetTextColor(QColor color);

 signals:
  // `globalPos`: the pointer in screen coordinates at the release.
  void Clicked(QPoint globalPos);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool m_leftPressed = false;
};

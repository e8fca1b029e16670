#pragma once
// A filled rectangle with a thin dark frame: the colour swatches of the colour chooser and the
// colour panel.

#include <QColor>
#include <QWidget>

#include "core/model/palette.h"

class QMouseEvent;

// A 0x00BBGGRR colour as a QColor.
QColor SwatchColor(tinto::Rgb rgb);

class TColorSwatch : public QWidget {
  Q_OBJECT

 public:
  explicit TColorSwatch(QWidget* parent = nullptr);

  QColor Color() const { return m_color; }
  void SetColor(QColor color);

 signals:
  void MouseDown(QMouseEvent* event);
  // Also on hover (mouse tracking is on).
  void MouseMove(QMouseEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QColor m_color = Qt::black;
};

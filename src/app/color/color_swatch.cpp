#include "app/color/color_swatch.h"

#include <QMouseEvent>
#include <QPainter>

QColor SwatchColor(tinto::Rgb rgb) {
  return QColor(tinto::RedOf(rgb), tinto::GreenOf(rgb), tinto::BlueOf(rgb));
}

TColorSwatch::TColorSwatch(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void TColorSwatch::SetColor(QColor color) {
  if (m_color == color) return;
  m_color = color;
  update();
}

void TColorSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(m_color);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TColorSwatch::mousePressEvent(QMouseEvent* event) { emit MouseDown(event); }

void TColorSwatch::mouseMoveEvent(QMouseEvent* event) { emit MouseMove(event); }

#include "app/widgets/click_label.h"

#include <QMouseEvent>

TClickLabel::TClickLabel(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(false);
}

void TClickLabel::SetTextColor(QColor color) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, color);
  setPalette(palette);
  // The label lies over a colour swatch: its own sheet keeps it see-through and its letters in
  // their colour whatever background and text colours a skin gives every widget.
  setStyleSheet(QStringLiteral("background: transparent; color: %1;").arg(color.name()));
}

void TClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_leftPressed = true;
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = event->button() == Qt::LeftButton && m_leftPressed &&
                     rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) m_leftPressed = false;
  if (click) emit Clicked(event->globalPosition().toPoint());
}

#include "app/widgets/side_splitter.h"

#include <QMouseEvent>

TSideSplitter::TSideSplitter(int width, QWidget* parent) : QWidget(parent) {
  setFixedWidth(width);
  setCursor(Qt::SplitHCursor);
}

void TSideSplitter::mousePressEvent(QMouseEvent* event) {
  m_lastX = qRound(event->globalPosition().x());
}

void TSideSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const int x = qRound(event->globalPosition().x());
  if (x == m_lastX) return;
  emit Dragged(x - m_lastX);
  m_lastX = x;
}

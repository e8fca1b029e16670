#include "app/dialogs/file/view_style_icons.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <functional>

namespace {

constexpr int kIconSize = 16;

QIcon PaintedIcon(const QPalette& palette, const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(palette.color(QPalette::ButtonText));
  painter.setBrush(palette.color(QPalette::ButtonText));
  paint(painter);
  return QIcon(pixmap);
}

// A small square "icon" with a text line to its right.
void PaintEntry(QPainter& painter, int x, int y, int lineLength) {
  painter.drawRect(x, y, 2, 2);
  if (lineLength > 0) painter.drawLine(x + 5, y + 1, x + 4 + lineLength, y + 1);
}

}  // namespace

QIcon ViewStyleIcon(FileViewStyle style, const QPalette& palette) {
  return PaintedIcon(palette, [style](QPainter& painter) {
    switch (style) {
      case FileViewStyle::List:
        for (int row = 0; row < 4; ++row) {
          PaintEntry(painter, 1, 2 + row * 4, 3);
          PaintEntry(painter, 9, 2 + row * 4, 3);
        }
        break;
      case FileViewStyle::SmallIcon:
        for (int row = 0; row < 3; ++row) {
          for (int column = 0; column < 3; ++column)
            painter.drawRect(1 + column * 5, 2 + row * 5, 3, 3);
        }
        break;
      case FileViewStyle::LargeIcon:
        for (int k = 0; k < 4; ++k) painter.drawRect(1 + (k % 2) * 8, 1 + (k / 2) * 8, 5, 5);
        break;
      case FileViewStyle::Details:
        for (int row = 0; row < 4; ++row) PaintEntry(painter, 1, 2 + row * 4, 10);
        break;
    }
  });
}

QIcon StretchIcon(const QPalette& palette) {
  return PaintedIcon(palette, [](QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(4, 4, 7, 7);
    const QPoint corners[] = {{0, 0}, {15, 0}, {0, 15}, {15, 15}};
    for (const QPoint corner : corners) {
      const int dx = corner.x() == 0 ? 1 : -1;
      const int dy = corner.y() == 0 ? 1 : -1;
      painter.drawLine(corner, corner + QPoint(3 * dx, 3 * dy));
      painter.drawLine(corner, corner + QPoint(3 * dx, 0));
      painter.drawLine(corner, corner + QPoint(0, 3 * dy));
    }
  });
}

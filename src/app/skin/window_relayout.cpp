#include "app/skin/window_relayout.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QResizeEvent>
#include <QWidget>
#include <deque>

void RelayOutWindow(QWidget& window) {
  std::deque<QWidget*> pending{&window};
  while (!pending.empty()) {
    QWidget* widget = pending.front();
    pending.pop_front();
    if (QLayout* layout = widget->layout()) layout->invalidate();
    QResizeEvent resized(widget->size(), widget->size());
    QCoreApplication::sendEvent(widget, &resized);
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (!child->isWindow()) pending.push_back(child);
  }
}

void RestoreEmbeddedEditFonts() {
  for (QWidget* widget : QApplication::allWidgets()) {
    QWidget* box = widget->parentWidget();
    if (qobject_cast<QLineEdit*>(widget) != nullptr &&
        (qobject_cast<QAbstractSpinBox*>(box) != nullptr ||
         qobject_cast<QComboBox*>(box) != nullptr))
      widget->setFont(box->font());
  }
}

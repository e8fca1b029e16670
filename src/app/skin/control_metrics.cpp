#include "app/skin/control_metrics.h"

#include <QAbstractButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>

int CheckMarkAllowance(const QAbstractButton* box) {
  return box->sizeHint().width() - box->fontMetrics().horizontalAdvance(box->text());
}

int FittedCheckWidth(const QAbstractButton* box, int allowance) {
  return box->fontMetrics().horizontalAdvance(box->text()) + allowance + 4;
}

QSize FittedSpinSize(const QSpinBox* spin) {
  QStyleOptionSpinBox option;
  option.initFrom(spin);
  option.rect = QRect(QPoint(0, 0), spin->sizeHint());
  option.subControls = QStyle::SC_All;
  option.frame = true;
  const QStyle* style = spin->style();
  const int button =
      style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, spin).width();
  const int frame = 2 * style->pixelMetric(QStyle::PM_SpinBoxFrameWidth, &option, spin);
  const int text = spin->fontMetrics().horizontalAdvance(QStringLiteral("000 "));
  return {text + frame + 2 * button + 4, spin->sizeHint().height()};
}

int RightOf(const QWidget* widget) { return widget->x() + widget->width(); }

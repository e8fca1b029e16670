#pragma once
// Sizes of check boxes, radio boxes and spin edits measured from the current style and font,
// as the bar layouts need them. Integer halving in the layouts truncates toward zero.

#include <QSize>

class QAbstractButton;
class QSpinBox;
class QWidget;

// Total width of a check or radio box minus the width of its caption text.
int CheckMarkAllowance(const QAbstractButton* box);
// Caption width in the box's font + `allowance` + 4.
int FittedCheckWidth(const QAbstractButton* box, int allowance);
// Width of "000 " in the spin edit's font + its frame + two up/down buttons + 4; the style's
// height of a spin edit.
QSize FittedSpinSize(const QSpinBox* spin);
// Top that centres an item of `itemHeight` in a container of `containerHeight`.
constexpr int CenteredTop(int containerHeight, int itemHeight) {
  return (containerHeight - itemHeight) / 2;
}
// x + width: where the next control to the right starts counting its gap.
int RightOf(const QWidget* widget);

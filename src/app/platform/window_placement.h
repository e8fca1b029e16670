#pragma once
// Where a top-level window goes: centred on the primary screen when it has no saved place, and
// back onto a screen when a saved place lies off every screen (a monitor that is gone, or a
// hand-edited settings file). Bounds are client rectangles, as the settings store them.

#include <QRect>

// `size` centred in the primary screen's available area, with room above it for the title bar
// of the window's frame.
QRect CentredOnScreen(QSize size);

// `bounds` as they are when they overlap some screen's available area, otherwise centred.
QRect KeptOnScreen(const QRect& bounds);

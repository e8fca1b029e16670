#pragma once
// Where a top-level window goes: centred on the primary screen when it has no saved place, and
// fitted to a screen when its saved place comes back from the settings file, where anything may
// stand (a monitor that is gone, a hand-edited or hostile file). Bounds are client rectangles,
// as the settings store them.

#include <QRect>

// The smallest window a saved size gives; a smaller one could not be seen or grabbed.
inline constexpr QSize kSmallestWindow{160, 120};

// `size` centred in the primary screen's available area, with room above it for the title bar
// of the window's frame.
QRect CentredOnScreen(QSize size);

// `bounds` fitted to the available area of the screen they overlap most, below room for the
// title bar: sizes between kSmallestWindow and that area, the window moved only as far as it
// must to lie inside it. Bounds off every screen are centred on the primary screen.
QRect FittedToScreen(const QRect& bounds);

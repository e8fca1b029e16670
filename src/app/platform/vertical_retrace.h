#pragma once
// Waiting for the display's next vertical refresh. There is no retrace register an ordinary
// program may read here, so the wait ends at the next boundary of the screen's refresh period
// on a steady clock: it never lasts longer than one refresh.

#include <chrono>

class QWidget;

// Blocks until the next refresh boundary of the screen showing `widget` (the primary screen
// when null); the refresh rate defaults to 60 Hz when the screen reports none.
void WaitForVerticalRetrace(const QWidget* widget = nullptr);

// Time from `now` (since the steady clock's epoch) to the next multiple of the refresh period;
// a full period when `now` is exactly on a boundary. Rates that are not in 1..1000 Hz count
// as 60 Hz.
std::chrono::nanoseconds TimeToNextRefresh(std::chrono::nanoseconds now, double refreshHz);

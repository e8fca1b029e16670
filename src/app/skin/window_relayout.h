#pragma once
// A window laid out again after its style changed (a skin applied, replaced or switched off).
// The windows keep their layout code in resize handlers, which run only when a size changes;
// a new skin changes fonts, frames and paddings without changing any size, so each widget of
// the window, parents before children, is handed a resize event of its own size, and Qt's
// layouts are told to measure again.

class QWidget;

void RelayOutWindow(QWidget& window);

// When a style sheet is replaced or removed, Qt leaves the old sheet's font on the line edits
// inside spin boxes and combo boxes: they take their box's font again.
void RestoreEmbeddedEditFonts();

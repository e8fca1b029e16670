#pragma once
// The canvas cursors by pointer mode: the resource cursors "PENCIL" (101), "PICK" (102),
// "MOVE" (103) and "MOVESEL" (104) with the hot spots listed beside their images, and the
// system cross for CROSS (-3).

#include <QCursor>

#include "core/model/pointer_mode.h"

// Loads the four resource cursors once; later calls do nothing. Needs a QGuiApplication.
void RegisterToolCursors();
// The cursor registered for `mode`; an id without a cursor gives the arrow.
QCursor ToolCursor(tinto::PointerMode mode);

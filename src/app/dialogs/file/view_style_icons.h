#pragma once
// Small pictures for the open dialog's speed buttons, drawn at run time in the palette's text
// colour so that they follow the style.

#include <QIcon>

#include "app/dialogs/file/file_list.h"

class QPalette;

QIcon ViewStyleIcon(FileViewStyle style, const QPalette& palette);
// Four arrows pointing to the corners: the preview fills its pane.
QIcon StretchIcon(const QPalette& palette);

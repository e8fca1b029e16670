#pragma once
// Whether Qt can parse a style sheet. Qt itself only prints a warning for a sheet it cannot
// parse and then ignores it; a skin with such a sheet is refused instead.

#include <QString>

bool StyleSheetParses(const QString& sheet);

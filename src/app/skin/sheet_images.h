#pragma once
// The pictures a skin's style sheet names with url(...). Qt loads them whenever a widget is
// drawn, at every start while the skin is remembered, so they are checked before the sheet is
// applied: each must be a regular file (or a resource file) of a known picture type (PNG, JPEG,
// BMP, GIF) whose header gives at most kMaxSkinImageSide pixels a side, and all of them
// together may take at most kMaxSkinImageBytes decoded (4 bytes a pixel). Only the headers are
// read.

#include <QString>
#include <optional>

inline constexpr int kMaxSkinImageSide = 1024;
inline constexpr qint64 kMaxSkinImageBytes = 16 * 1024 * 1024;

// `sheet` with its relative url(...) references made `folder` + reference (absolute paths and
// resource paths stay as written; an address with a scheme names no file and fails), when
// every picture they name passes the checks above; none otherwise. A sheet with a backslash is
// refused too: CSS escapes could spell a url( that this check would not see.
std::optional<QString> ResolveSheetImages(const QString& sheet, const QString& folder);

#pragma once
// Reading skin files into the skin store. A ".ini" skin is a description in section "Skin"
// (Name, Author, URL, EMail, Comments, StyleSheet, CaptionHeight) beside its style sheet; an
// ".ods" skin is a binary Qt resource (`rcc --binary`) holding "skin.ini", its sheet and its
// images. url(...) references in a sheet resolve relative to the description's folder.

#include <QString>

class SkinData;

enum class SkinFileKind { Compressed, Stored, Other };

// From the extension after the last "." that follows the last "/", "\" or ":"; letter case
// counts, so ".ODS" is another extension.
SkinFileKind KindOfSkinFile(const QString& path);

// When `path` names an existing file: an ".ods" or ".ini" skin becomes the active skin; any
// other extension changes nothing; the result is true. A skin that cannot be read (missing or
// unreadable sheet, a file that is not a regular file, a sheet that does not parse or names
// pictures that fail the checks of sheet_images.h, a resource that fails those of
// resource_check.h) is not applied either: the previous skin, or the plain look, stays. When no
// such file exists (an empty path too) the skin is switched off and the result is false.
bool LoadSkinFile(SkinData& skinData, const QString& path);

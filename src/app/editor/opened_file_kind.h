#pragma once
// What a file handed to the editor from outside (command line, drop) is taken for, judged by
// its name alone so that a drag can be refused before anything is read.

#include <QString>

enum class OpenedFileKind {
  Picture,  // ".tin", ".od0", ".od1" or another tool's screen file (".scr", ".img", ".mg1",
            // ".mg2", ".mg4", ".mg8"), letter case ignored: opened as Open opens it
  Photo,    // an extension the import reads: opened in the Import Expert
  Other
};

OpenedFileKind KindOfOpenedFile(const QString& path);

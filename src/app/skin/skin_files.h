#pragma once
// Skin files come from anyone, so they are opened as the settings reader opens its file:
// without blocking (a FIFO in a skin's folder must not hang the editor) and read only when they
// are regular files. Paths starting with ":" name files of a registered resource, which are
// already in memory.

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class QFile;

// `path` opened for reading when it is a regular file (or a resource file); null otherwise.
std::unique_ptr<QFile> OpenSkinFile(const QString& path);

// The whole file when OpenSkinFile opens it and it holds at most `limit` bytes.
std::optional<QByteArray> ReadSkinFile(const QString& path, qint64 limit);

#pragma once
// Checks the bytes of a binary Qt resource file (as `rcc --binary` writes it) before they are
// handed to QResource, which reads them from memory without knowing their length: the header,
// every tree entry, every name and every data block must lie inside `bytes`, and the tree must
// not loop. Random bytes, a truncated or empty file fail the check.

#include <QByteArray>

bool IsWellFormedResource(const QByteArray& bytes);

#pragma once
// Checks the bytes of a binary Qt resource file (as `rcc --binary` writes it) before they are
// handed to QResource, which reads them from memory without knowing their length, and unpacks
// every compressed file itself within fixed limits, so that QResource never unpacks anything.
//
// The header, every tree entry, every name and every data block must lie inside the bytes;
// every entry belongs to one folder only (no loops, no shared entries) and lies at most
// kMaxResourceDepth folders deep; the tree is walked without recursion. A compressed file
// (zlib as rcc writes it: a 4-byte big-endian length, then the stream; or one zstd frame) must
// declare its unpacked size, at most kMaxUnpackedFile bytes, all of them together at most
// kMaxUnpackedTotal, and must unpack to exactly that size: the declared size is checked before
// anything is unpacked, and unpacking stops at it.

#include <QByteArray>
#include <optional>

inline constexpr int kMaxResourceDepth = 64;
inline constexpr qint64 kMaxUnpackedFile = 4 * 1024 * 1024;
inline constexpr qint64 kMaxUnpackedTotal = 32 * 1024 * 1024;

// The resource with every compressed file replaced by its unpacked bytes (appended after the
// original bytes, the entry pointed at them and marked uncompressed); none when the bytes break
// any rule above (random bytes, a truncated or empty file included).
std::optional<QByteArray> UnpackedResource(const QByteArray& bytes);

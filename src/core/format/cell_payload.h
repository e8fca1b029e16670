#pragma once
// The editor's private clipboard format for cells of both frames. Layout, little-endian:
//   8 bytes  magic "TNTCELLS"
//   1 byte   version (1)
//   1 byte   source frame (0 or 1)
//   2 bytes  width in pixels (1..256)
//   2 bytes  height in pixels (1..192)
//   then, frame 0 then frame 1: width x height pixel bytes (0 or 1), width x height attribute
//   bytes, both row by row.

#include <optional>
#include <string>
#include <string_view>

#include "core/model/clipboard_cells.h"

namespace tinto {

inline constexpr const char* kCellPayloadMimeType = "application/x-tinto-cells";
// The largest payload: the 14-byte header and both frames of a full 256 x 192 picture.
inline constexpr std::size_t kMaxCellPayloadBytes = 14 + 2 * 2 * 256 * 192;

// Precondition: `cells` is consistent (what CopyCells gives, not empty).
std::string EncodeCellPayload(const ClipboardCells& cells);

// None for anything that is not exactly such a payload: a wrong magic or version, a size or
// frame out of range, a pixel byte other than 0 or 1, or a length that does not match the
// sizes (truncated or with bytes left over).
std::optional<ClipboardCells> DecodeCellPayload(std::string_view bytes);

}  // namespace tinto

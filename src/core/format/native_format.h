#pragma once
// The editor's own picture file (.tin): an 8-byte header ("TIN", mode, DX, DY, MLT Left,
// MLT Width) followed by the pixel bytes of the DX x DY picture of both frames and one
// attribute byte per attribute cell of the file's mode. No padding, trailer or checksum.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

namespace tinto {

// No valid file needs more bytes than this; a reader never looks further.
inline constexpr std::size_t kMaxNativeFileBytes = 8 + 2 * kBlockBytes;

// The whole file for the picture part of `screen`. The header holds the geometry's values,
// except that an MLT window reaching past DX is first moved and narrowed into it
// (ClampMltWindow), so that the reader does not refuse the window. A picture of DY below 8 is
// written as it is, and the reader refuses such a file: only files of DY 8..192 read back.
std::string EncodeNativeFile(const ScreenBuffers& screen, const ScreenGeometry& geometry);

// Reads `bytes` as a .tin file; `path` only names the file in messages. On success the picture
// area (DX columns by DY rows) of both frames is filled, attribute rows that the file does not
// store are set to 0, bytes outside the picture area are left alone, and the geometry takes the
// header's values through its clamping setters (mode byte 1 is Mode8x2, any other Mode8x1).
// On failure neither `screen` nor `geometry` is changed. Errors:
//   header not "TIN", DX outside 1..32, DY outside 8..192, L + W > DX or > 32:
//     "File " + path + "\n\r" + "Is not Tinto File."
//   fewer bytes than the header or its blocks need: "Read beyond end of file"
// Bytes after the last block are ignored.
Status DecodeNativeFile(std::string_view bytes, const std::string& path, ScreenBuffers& screen,
                        ScreenGeometry& geometry);

// Replaces the file at `path` only once the new one is complete; on any failure the old file
// stays byte-identical and the system's error text is returned ("Disk full" when the device
// has no space left). A target that exists but cannot be opened for writing is refused.
Status WriteNativeFile(const std::string& path, const ScreenBuffers& screen,
                       const ScreenGeometry& geometry);

// As DecodeNativeFile, for the file at `path`; a missing file gives
// "File " + path + " not found.", other I/O errors the system's text.
Status ReadNativeFile(const std::string& path, ScreenBuffers& screen, ScreenGeometry& geometry);

}  // namespace tinto

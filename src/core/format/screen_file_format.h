#pragma once
// Reading and writing the screen files of screen_file_layout.h: a file is read whole and
// without loss; a picture is written only when the file's cells hold it exactly.

#include <string>
#include <string_view>

#include "core/format/screen_file_layout.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

namespace tinto {

// Reads `bytes` as the file `named` (the one its extension names); `path` only names the file
// in messages. A header file is read as the file its header's cell height gives, whatever the
// extension says. On success both frames' whole planes are filled (a .scr's one screen into
// both, so that nothing flickers; every attribute row of a cell gets the cell's byte) and the
// geometry becomes DX 32, DY 192 and "8x2 Full Screen", or for a .mg1 "8x1 + 8x8" with MLT Left
// 8 and MLT Width 16; the 8x2 files leave the MLT window as it was. On failure neither `screen`
// nor `geometry` changes. Errors, checked in this order, each "File " + path + "\n\r" + reason:
//   header files: no "MGH" at the start, a version other than 1, a cell height other than
//   1, 2, 4 or 8; then for every file a size other than the file's own (for a header file the
//   size its header's cell height gives), each named with its value.
Status DecodeScreenFile(ScreenFile named, std::string_view bytes, const std::string& path,
                        ScreenBuffers& screen, ScreenGeometry& geometry);

// As DecodeScreenFile for the file at `path`, named by its extension. Precondition:
// ScreenFileOfPath(path) names a file. A missing file gives "File " + path + " not found.",
// other I/O errors the system's text.
Status ReadScreenFile(const std::string& path, ScreenBuffers& screen, ScreenGeometry& geometry);

// The whole file for the picture area (DX columns by DY rows) of `screen`, at the top left with
// every byte outside it 0; a .scr holds frame `scrFrame` alone. A header's border bytes are 0.
// Refused, with `bytes` left alone, when a cell of the file would have to hold two different
// attribute bytes of the picture: see ScreenFileRefusal for the message.
Status EncodeScreenFile(ScreenFile file, const ScreenBuffers& screen,
                        const ScreenGeometry& geometry, FrameIndex scrFrame, std::string& bytes);

// EncodeScreenFile, then the safe writer (atomic_file.h); a refused picture writes nothing.
Status WriteScreenFile(const std::string& path, ScreenFile file, const ScreenBuffers& screen,
                       const ScreenGeometry& geometry, FrameIndex scrFrame);

}  // namespace tinto

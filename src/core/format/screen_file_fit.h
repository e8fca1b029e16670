#pragma once
// Which screen files hold a picture exactly, and what to tell the user whose picture a file
// cannot hold.

#include <optional>
#include <string>
#include <vector>

#include "core/format/screen_file_layout.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto {

// The file's bytes for the picture area (DX columns by DY rows) at the top left, everything
// outside it 0 and a header's border bytes 0; a .scr takes frame `scrFrame` alone. None when a
// cell of the file would have to hold two different attribute bytes of the picture area.
std::optional<std::string> PackScreenFile(ScreenFile file, const ScreenBuffers& screen,
                                          const ScreenGeometry& geometry, FrameIndex scrFrame);

// The two-frame files (not .scr) that hold the picture, in the order of kScreenFiles.
std::vector<ScreenFile> FilesHoldingPicture(const ScreenBuffers& screen,
                                            const ScreenGeometry& geometry);

// Why `file` cannot hold the picture (for a .scr: its frame `scrFrame`), with the files that can,
// e.g. "This picture has 8x2 cells; a two-screen dump holds 8x8 cells. Export as .mg2, or import
// the rendered picture again." Precondition: PackScreenFile gives none.
std::string ScreenFileRefusal(ScreenFile file, const ScreenBuffers& screen,
                              const ScreenGeometry& geometry, FrameIndex scrFrame);

// Why a .scr needs a frame chosen: the picture's two frames differ. `howToChoose` follows the
// request to choose (" (--frame 0 or 1)"); the files that hold both frames are named.
std::string FramesDifferRefusal(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                                const std::string& howToChoose);

// Whether the picture areas of both frames hold the same pixel and attribute bytes.
bool FramesEqual(const ScreenBuffers& screen, const ScreenGeometry& geometry);

}  // namespace tinto

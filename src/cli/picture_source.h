#pragma once
// Reads a picture for the tool: a .tin file, a screen file of another tool (.scr, .img, .mg1,
// .mg2, .mg4, .mg8), or a two-file picture named by its .od0 or .od1 file, whose size must be
// given since those files have no header.

#include <optional>
#include <string>

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

namespace tinto::cli {

struct TwoFileSize {
  int dx;
  int dy;
};

// Errors name the file they are about ("x.tin: Read beyond end of file").
Status ReadPictureFile(const std::string& path, std::optional<TwoFileSize> twoFileSize,
                       ScreenBuffers& screen, ScreenGeometry& geometry);

}  // namespace tinto::cli

#pragma once
// Reads a picture for the tool: a .tin file, or a two-file picture named by its .od0 or .od1
// file, whose size must be given since those files have no header.

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

Status ReadPictureFile(const std::string& path, std::optional<TwoFileSize> twoFileSize,
                       ScreenBuffers& screen, ScreenGeometry& geometry);

}  // namespace tinto::cli

#include "cli/picture_source.h"

#include "cli/output_plan.h"
#include "core/format/native_format.h"
#include "core/format/ondrel_format.h"
#include "core/format/screen_file_format.h"

namespace tinto::cli {

namespace {

Status ReadEitherFormat(const std::string& path, std::optional<TwoFileSize> twoFileSize,
                        ScreenBuffers& screen, ScreenGeometry& geometry) {
  screen.ClearScreen();
  if (ScreenFileOfPath(path)) return ReadScreenFile(path, screen, geometry);
  if (!IsOndrelPath(path)) return ReadNativeFile(path, screen, geometry);
  if (!twoFileSize)
    return Status::Error("a two-file picture has no header: give its size with --dx N --dy N");
  geometry.SetDX(twoFileSize->dx);
  geometry.SetDY(twoFileSize->dy);
  std::string documentName;
  return ReadOndrelFiles(path, screen, geometry, documentName);
}

}  // namespace

Status ReadPictureFile(const std::string& path, std::optional<TwoFileSize> twoFileSize,
                       ScreenBuffers& screen, ScreenGeometry& geometry) {
  Status status = ReadEitherFormat(path, twoFileSize, screen, geometry);
  if (status) return status;
  return Status::Error(LedByFileName(path, status.Message()));
}

}  // namespace tinto::cli

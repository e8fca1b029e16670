#include "core/format/ondrel_format.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "core/format/atomic_file.h"
#include "core/format/file_prefix.h"

namespace tinto {
namespace {

void CopyFrame(const std::string& bytes, FrameIndex f, int dx, int dy, ScreenBuffers& screen) {
  std::size_t half = bytes.size() / 2;
  std::size_t count = static_cast<std::size_t>(dx);
  for (int row = 0; row < dy; ++row) {
    std::size_t from = static_cast<std::size_t>(row * dx);
    std::memcpy(&screen.PixelByte(f, row, 0), bytes.data() + from, count);
    std::memcpy(&screen.AttrByte(f, row, 0), bytes.data() + half + from, count);
  }
}

}  // namespace

bool IsOndrelStem(const std::string& name) {
  constexpr std::string_view kStemEnd = ".od";
  const std::size_t slash = name.rfind('/');
  const std::size_t nameLength = slash == std::string::npos ? name.size() : name.size() - slash - 1;
  return nameLength > kStemEnd.size() && name.ends_with(kStemEnd);
}

bool IsOndrelPath(const std::string& path) {
  return !path.empty() && (path.back() == '0' || path.back() == '1') &&
         IsOndrelStem(path.substr(0, path.size() - 1));
}

Status ReadOndrelFiles(const std::string& chosenPath, ScreenBuffers& screen,
                       ScreenGeometry& geometry, std::string& documentName) {
  std::string stem = chosenPath.empty() ? chosenPath : chosenPath.substr(0, chosenPath.size() - 1);
  documentName = stem;
  int dx = geometry.DX(), dy = geometry.DY();
  std::size_t expected = 2 * static_cast<std::size_t>(dx * dy);

  // Both files are checked before either is copied, so a failure changes nothing.
  std::array<std::string, 2> frames;
  for (FrameIndex f = 0; f < 2; ++f) {
    std::string name = stem + static_cast<char>('0' + f);
    // One byte more than needed tells a long file from an exact one.
    Status status = ReadFilePrefix(name, expected + 1, frames[f]);
    // Either file may be at fault: the system's bare text ("Is a directory") gets its name.
    if (!status && status.Message().find(name) == std::string::npos)
      return Status::Error(name + ": " + status.Message());
    if (!status) return status;
    if (frames[f].size() != expected)
      return Status::Error("Size of file " + name + " incorrect." + "\n\r" +
                           "Correct TotalWidth and DY Values.");
  }
  for (FrameIndex f = 0; f < 2; ++f) CopyFrame(frames[f], f, dx, dy, screen);
  geometry.SetMltLeft(0);
  geometry.SetMltWidth(dx);
  return Status::Ok();
}

std::string OndrelFrameBytes(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                             FrameIndex f) {
  const int dx = geometry.DX(), dy = geometry.DY();
  std::string bytes;
  bytes.reserve(2 * static_cast<std::size_t>(dx * dy));
  for (int row = 0; row < dy; ++row)
    for (int column = 0; column < dx; ++column)
      bytes.push_back(static_cast<char>(screen.PixelByte(f, row, column)));
  for (int row = 0; row < dy; ++row)
    for (int column = 0; column < dx; ++column)
      bytes.push_back(static_cast<char>(screen.AttrByte(f, row, column)));
  return bytes;
}

Status WriteOndrelFiles(const std::string& pathStem, const ScreenBuffers& screen,
                        const ScreenGeometry& geometry) {
  const std::string frame0 = OndrelFrameBytes(screen, geometry, 0);
  const std::string frame1 = OndrelFrameBytes(screen, geometry, 1);
  return WriteFilesAtomically({{pathStem + ".od0", frame0}, {pathStem + ".od1", frame1}});
}

Status OndrelStemOf(const std::string& name, std::string& stem) {
  stem = name;
  if (stem.ends_with(".od0") || stem.ends_with(".od1")) stem.resize(stem.size() - 4);
  const std::string fileName = std::filesystem::path(stem).filename().string();
  std::error_code error;
  if (fileName.empty() || fileName == "." || fileName == ".." ||
      std::filesystem::is_directory(stem, error))
    return Status::Error(name + ": names a folder; give the name of the picture, such as " +
                         (std::filesystem::path(stem) / "picture").string());
  return Status::Ok();
}

}  // namespace tinto

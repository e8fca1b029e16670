#include "core/format/screen_file_format.h"

#include <algorithm>
#include <optional>

#include "core/format/atomic_file.h"
#include "core/format/file_prefix.h"
#include "core/format/screen_file_fit.h"

namespace tinto {
namespace {

Status Fault(const std::string& path, const std::string& reason) {
  return Status::Error("File " + path + "\n\r" + reason);
}

std::string ByteText(std::string_view bytes, std::size_t at) {
  return std::to_string(static_cast<std::uint8_t>(bytes[at]));
}

std::string SizeText(ScreenFile file) {
  const std::string extension(ExtensionOf(file));
  const std::string bytes = std::to_string(FileBytesOf(file)) + " bytes.";
  if (!HasMgHeader(file)) return "a " + extension + " file is " + bytes;
  return "a file of 8x" + std::to_string(CellHeightOf(file)) + " cells (" + extension + ") is " +
         bytes;
}

// The file the header names: its cell height decides, since tools name these files freely.
Status HeaderFile(std::string_view bytes, const std::string& path, ScreenFile& file) {
  if (bytes.size() >= kMgMagic.size() && bytes.substr(0, kMgMagic.size()) != kMgMagic)
    return Fault(path, "Has no \"MGH\" header: it is not a multicolour file.");
  if (bytes.size() <= kMgCellHeightAt) return Status::Ok();  // the size check names it
  if (static_cast<std::uint8_t>(bytes[kMgVersionAt]) != kMgVersion)
    return Fault(
        path, "Has header version " + ByteText(bytes, kMgVersionAt) + "; only version 1 is read.");
  const std::optional<ScreenFile> named =
      MgFileOfCellHeight(static_cast<std::uint8_t>(bytes[kMgCellHeightAt]));
  if (!named)
    return Fault(path, "Has cell height " + ByteText(bytes, kMgCellHeightAt) +
                           " in its header; 1, 2, 4 or 8 is read.");
  file = *named;
  return Status::Ok();
}

// Preconditions: `bytes` holds the whole file. A .scr's one frame goes into both.
void CopyPicture(ScreenFile file, std::string_view bytes, ScreenBuffers& screen) {
  for (FrameIndex f = 0; f < 2; ++f) {
    const FrameIndex from = std::min(f, FramesOf(file) - 1);
    for (int y = 0; y < kScreenHeight; ++y)
      for (int c = 0; c < kRowBytes; ++c) {
        screen.PixelByte(f, y, c) = static_cast<std::uint8_t>(bytes[PixelOffset(file, from, y, c)]);
        screen.AttrByte(f, y, c) =
            static_cast<std::uint8_t>(bytes[AttributeOffset(file, from, y, c)]);
      }
  }
}

void ApplyGeometry(ScreenFile file, ScreenGeometry& geometry) {
  geometry.SetDX(kRowBytes);
  geometry.SetDY(kScreenHeight);
  if (file != ScreenFile::Mg1) {
    geometry.SetMode(AttrMode::Mode8x2);
    return;
  }
  geometry.SetMode(AttrMode::Mode8x1);
  geometry.SetMltLeft(8);
  geometry.SetMltWidth(16);
}

}  // namespace

Status DecodeScreenFile(ScreenFile named, std::string_view bytes, const std::string& path,
                        ScreenBuffers& screen, ScreenGeometry& geometry) {
  ScreenFile file = named;
  if (HasMgHeader(named))
    if (Status header = HeaderFile(bytes, path, file); !header) return header;
  if (bytes.size() != FileBytesOf(file))
    return Fault(path, "Is " + std::to_string(bytes.size()) + " bytes long; " + SizeText(file));
  CopyPicture(file, bytes, screen);
  ApplyGeometry(file, geometry);
  return Status::Ok();
}

Status ReadScreenFile(const std::string& path, ScreenBuffers& screen, ScreenGeometry& geometry) {
  std::string bytes;
  // One byte more than the longest file tells a long file from an exact one.
  if (Status status = ReadFilePrefix(path, kMaxScreenFileBytes + 1, bytes); !status) return status;
  return DecodeScreenFile(*ScreenFileOfPath(path), bytes, path, screen, geometry);
}

Status EncodeScreenFile(ScreenFile file, const ScreenBuffers& screen,
                        const ScreenGeometry& geometry, FrameIndex scrFrame, std::string& bytes) {
  std::optional<std::string> packed = PackScreenFile(file, screen, geometry, scrFrame);
  if (!packed) return Status::Error(ScreenFileRefusal(file, screen, geometry, scrFrame));
  bytes = std::move(*packed);
  return Status::Ok();
}

Status WriteScreenFile(const std::string& path, ScreenFile file, const ScreenBuffers& screen,
                       const ScreenGeometry& geometry, FrameIndex scrFrame) {
  std::string bytes;
  if (Status encoded = EncodeScreenFile(file, screen, geometry, scrFrame, bytes); !encoded)
    return encoded;
  return WriteFileAtomically(path, bytes);
}

}  // namespace tinto

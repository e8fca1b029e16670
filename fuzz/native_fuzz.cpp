// Decodes arbitrary bytes as a .tin file and as each screen file of other tools. Beyond memory
// safety it checks that a failed read changes nothing, that a successful .tin read touches only
// the picture area, and that what was read saves and reads back to the same file.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/format/native_format.h"
#include "core/format/screen_file_format.h"

namespace {

constexpr std::uint8_t kSentinel = 0xA7;

tinto::ScreenBuffers SentinelScreen() {
  tinto::ScreenBuffers screen;
  screen.Pixels().fill(kSentinel);
  screen.Attrs().fill(kSentinel);
  return screen;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

void RequireOutsideUntouched(const tinto::ScreenBuffers& screen, const tinto::ScreenGeometry& g) {
  for (tinto::FrameIndex f = 0; f < 2; ++f)
    for (int row = 0; row < tinto::kScreenHeight; ++row)
      for (int column = 0; column < tinto::kRowBytes; ++column) {
        if (row < g.DY() && column < g.DX()) continue;
        Require(screen.PixelByte(f, row, column) == kSentinel);
        Require(screen.AttrByte(f, row, column) == kSentinel);
      }
}

// A screen file read writes back to its own bytes, but for the header's bytes after the cell
// height (the border and the reserved zeros), which the writer sets to 0.
void FuzzScreenFiles(std::string_view bytes) {
  for (tinto::ScreenFile named : tinto::kScreenFiles) {
    tinto::ScreenBuffers screen = SentinelScreen();
    tinto::ScreenGeometry geometry;
    if (!tinto::DecodeScreenFile(named, bytes, "fuzz", screen, geometry)) {
      Require(screen.Pixels() == SentinelScreen().Pixels() &&
              screen.Attrs() == SentinelScreen().Attrs());
      Require(geometry == tinto::ScreenGeometry());
      continue;
    }
    std::string expected(bytes);
    tinto::ScreenFile read = named;
    if (tinto::HasMgHeader(named)) {
      read = *tinto::MgFileOfCellHeight(static_cast<std::uint8_t>(bytes[tinto::kMgCellHeightAt]));
      std::fill(expected.begin() + tinto::kMgCellHeightAt + 1,
                expected.begin() + tinto::kMgHeaderBytes, '\0');
    }
    std::string written;
    Require(static_cast<bool>(tinto::EncodeScreenFile(read, screen, geometry, 1, written)));
    Require(written == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FuzzScreenFiles(bytes);
  tinto::ScreenBuffers screen = SentinelScreen();
  tinto::ScreenGeometry geometry;
  if (!tinto::DecodeNativeFile(bytes, "fuzz.tin", screen, geometry)) {
    Require(screen.Pixels() == SentinelScreen().Pixels() &&
            screen.Attrs() == SentinelScreen().Attrs());
    Require(geometry == tinto::ScreenGeometry());
    return 0;
  }
  RequireOutsideUntouched(screen, geometry);

  std::string saved = tinto::EncodeNativeFile(screen, geometry);
  tinto::ScreenBuffers reread = SentinelScreen();
  tinto::ScreenGeometry rereadGeometry;
  Require(static_cast<bool>(tinto::DecodeNativeFile(saved, "fuzz.tin", reread, rereadGeometry)));
  Require(tinto::EncodeNativeFile(reread, rereadGeometry) == saved);
  Require(rereadGeometry.DX() == geometry.DX() && rereadGeometry.DY() == geometry.DY() &&
          rereadGeometry.Mode() == geometry.Mode());
  // The saved window differs only when the file's window did not fit the clamped width.
  if (geometry.MltLeft() + geometry.MltWidth() <= geometry.DX())
    Require(rereadGeometry == geometry);
  for (tinto::FrameIndex f = 0; f < 2; ++f)
    for (int row = 0; row < geometry.DY(); ++row)
      for (int column = 0; column < geometry.DX(); ++column)
        Require(reread.PixelByte(f, row, column) == screen.PixelByte(f, row, column));
  return 0;
}

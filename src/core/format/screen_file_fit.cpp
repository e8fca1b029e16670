#include "core/format/screen_file_fit.h"

#include <algorithm>

namespace tinto {
namespace {

// A cell's byte is the first one the picture puts there; every later one must match it.
bool PutAttribute(std::string& out, std::vector<bool>& taken, std::size_t at, std::uint8_t value) {
  const char byte = static_cast<char>(value);
  if (!taken[at]) {
    taken[at] = true;
    out[at] = byte;
    return true;
  }
  return out[at] == byte;
}

void PutHeader(ScreenFile file, std::string& out) {
  out.replace(0, kMgMagic.size(), kMgMagic);
  out[kMgVersionAt] = static_cast<char>(kMgVersion);
  out[kMgCellHeightAt] = static_cast<char>(CellHeightOf(file));
}

// Both frames hold frame f of `screen`: what a .scr of that frame must hold.
ScreenBuffers FrameTwice(const ScreenBuffers& screen, FrameIndex f) {
  ScreenBuffers twice;
  for (FrameIndex to = 0; to < 2; ++to)
    for (int row = 0; row < kScreenHeight; ++row)
      for (int column = 0; column < kRowBytes; ++column) {
        twice.PixelByte(to, row, column) = screen.PixelByte(f, row, column);
        twice.AttrByte(to, row, column) = screen.AttrByte(f, row, column);
      }
  return twice;
}

// The tallest cells of the picture: 8, 4 or 2 when the file of that height holds it, else 1.
int PictureCellHeight(const ScreenBuffers& screen, const ScreenGeometry& geometry) {
  for (ScreenFile file : {ScreenFile::Mg8, ScreenFile::Mg4, ScreenFile::Mg2})
    if (PackScreenFile(file, screen, geometry, 0)) return CellHeightOf(file);
  return 1;
}

std::string CellsText(int height) { return "8x" + std::to_string(height) + " cells"; }

std::string HeldText(ScreenFile file) {
  switch (file) {
    case ScreenFile::Scr:
      return "a screen dump holds 8x8 cells";
    case ScreenFile::Img:
      return "a two-screen dump holds 8x8 cells";
    case ScreenFile::Mg1:
      return "a .mg1 file holds 8x1 cells in columns 8 to 23 and 8x8 cells in the others";
    default:
      return "a " + std::string(ExtensionOf(file)) + " file holds " + CellsText(CellHeightOf(file));
  }
}

// ".mg4, .mg2 or .mg1"
std::string JoinedExtensions(const std::vector<ScreenFile>& files) {
  std::string text;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (i > 0) text += i + 1 == files.size() ? " or " : ", ";
    text += ExtensionOf(files[i]);
  }
  return text;
}

std::string WhatToDo(std::vector<ScreenFile> files, ScreenFile refused) {
  std::erase(files, refused);
  if (files.empty())
    return " None of these files holds it: keep it as .tin, or import the rendered picture "
           "again.";
  return " Export as " + JoinedExtensions(files) + ", or import the rendered picture again.";
}

}  // namespace

std::optional<std::string> PackScreenFile(ScreenFile file, const ScreenBuffers& screen,
                                          const ScreenGeometry& geometry, FrameIndex scrFrame) {
  std::string out(FileBytesOf(file), '\0');
  std::vector<bool> taken(out.size());
  if (HasMgHeader(file)) PutHeader(file, out);
  for (FrameIndex f = 0; f < FramesOf(file); ++f) {
    const FrameIndex source = FramesOf(file) == 1 ? scrFrame : f;
    for (int y = 0; y < geometry.DY(); ++y)
      for (int c = 0; c < geometry.DX(); ++c) {
        out[PixelOffset(file, f, y, c)] = static_cast<char>(screen.PixelByte(source, y, c));
        if (!PutAttribute(out, taken, AttributeOffset(file, f, y, c),
                          screen.AttrByte(source, y, c)))
          return std::nullopt;
      }
  }
  return out;
}

std::vector<ScreenFile> FilesHoldingPicture(const ScreenBuffers& screen,
                                            const ScreenGeometry& geometry) {
  std::vector<ScreenFile> files;
  for (ScreenFile file : kScreenFiles)
    if (FramesOf(file) == 2 && PackScreenFile(file, screen, geometry, 0)) files.push_back(file);
  return files;
}

std::string ScreenFileRefusal(ScreenFile file, const ScreenBuffers& screen,
                              const ScreenGeometry& geometry, FrameIndex scrFrame) {
  const bool oneScreen = FramesOf(file) == 1;
  const int height = oneScreen ? PictureCellHeight(FrameTwice(screen, scrFrame), geometry)
                               : PictureCellHeight(screen, geometry);
  const std::string subject =
      oneScreen ? "Screen " + std::to_string(scrFrame + 1) : std::string("This picture");
  return subject + " has " + CellsText(height) + "; " + HeldText(file) + "." +
         WhatToDo(FilesHoldingPicture(screen, geometry), file);
}

std::string FramesDifferRefusal(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                                const std::string& howToChoose) {
  const std::vector<ScreenFile> files = FilesHoldingPicture(screen, geometry);
  return "This picture's two screens differ; a screen dump holds one screen. Choose the screen "
         "to write" +
         howToChoose +
         (files.empty() ? std::string(".") : ", or export as " + JoinedExtensions(files) + ".");
}

bool FramesEqual(const ScreenBuffers& screen, const ScreenGeometry& geometry) {
  for (int y = 0; y < geometry.DY(); ++y)
    for (int c = 0; c < geometry.DX(); ++c)
      if (screen.PixelByte(0, y, c) != screen.PixelByte(1, y, c) ||
          screen.AttrByte(0, y, c) != screen.AttrByte(1, y, c))
        return false;
  return true;
}

}  // namespace tinto

#include "core/format/screen_file_layout.h"

#include <cctype>

namespace tinto {
namespace {

constexpr std::size_t kBitmapBytes = 6144;
constexpr std::size_t kScrBytes = kBitmapBytes + 768;
constexpr std::size_t kMgBitmapsEnd = kMgHeaderBytes + 2 * kBitmapBytes;  // 12544

// .mg1's two attribute areas: the 8x1 cells of the middle columns, then the 8x8 cells of the
// outer ones, each frame 0 first.
constexpr int kMg1MiddleLeft = 8;
constexpr int kMg1MiddleColumns = 16;
constexpr std::size_t kMg1MiddleFrameBytes = 192 * kMg1MiddleColumns;             // 3072
constexpr std::size_t kMg1OuterStart = kMgBitmapsEnd + 2 * kMg1MiddleFrameBytes;  // 18688
constexpr std::size_t kMg1OuterFrameBytes = 24 * 16;                              // 384

struct Entry {
  ScreenFile file;
  std::string_view extension;
  std::size_t bytes;
  int cellHeight;
};

constexpr std::array<Entry, 6> kEntries = {{
    {ScreenFile::Scr, ".scr", kScrBytes, 8},
    {ScreenFile::Img, ".img", 2 * kScrBytes, 8},
    {ScreenFile::Mg8, ".mg8", kMgBitmapsEnd + 2 * 768, 8},
    {ScreenFile::Mg4, ".mg4", kMgBitmapsEnd + 2 * 1536, 4},
    {ScreenFile::Mg2, ".mg2", kMgBitmapsEnd + 2 * 3072, 2},
    {ScreenFile::Mg1, ".mg1", kMg1OuterStart + 2 * kMg1OuterFrameBytes, 1},
}};

const Entry& EntryOf(ScreenFile file) { return kEntries[static_cast<std::size_t>(file)]; }

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  text.remove_prefix(text.size() - end.size());
  for (std::size_t i = 0; i < end.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != end[i]) return false;
  return true;
}

std::size_t Mg1AttributeOffset(FrameIndex f, int y, int c) {
  const auto frame = static_cast<std::size_t>(f);
  const auto row = static_cast<std::size_t>(y);
  if (c >= kMg1MiddleLeft && c < kMg1MiddleLeft + kMg1MiddleColumns)
    return kMgBitmapsEnd + frame * kMg1MiddleFrameBytes + row * kMg1MiddleColumns +
           static_cast<std::size_t>(c - kMg1MiddleLeft);
  // Per cell row the 8 left columns, then the 8 right ones (24..31 follow 0..7).
  const int outer = c < kMg1MiddleLeft ? c : c - kMg1MiddleColumns;
  return kMg1OuterStart + frame * kMg1OuterFrameBytes + (row / 8) * 16 +
         static_cast<std::size_t>(outer);
}

}  // namespace

std::string_view ExtensionOf(ScreenFile file) { return EntryOf(file).extension; }

std::optional<ScreenFile> ScreenFileOfPath(std::string_view path) {
  for (const Entry& entry : kEntries)
    if (EndsWithIgnoringCase(path, entry.extension)) return entry.file;
  return std::nullopt;
}

std::size_t FileBytesOf(ScreenFile file) { return EntryOf(file).bytes; }

bool HasMgHeader(ScreenFile file) { return file != ScreenFile::Scr && file != ScreenFile::Img; }

int FramesOf(ScreenFile file) { return file == ScreenFile::Scr ? 1 : 2; }

int CellHeightOf(ScreenFile file) { return EntryOf(file).cellHeight; }

std::optional<ScreenFile> MgFileOfCellHeight(int height) {
  for (const Entry& entry : kEntries)
    if (HasMgHeader(entry.file) && entry.cellHeight == height) return entry.file;
  return std::nullopt;
}

std::size_t PixelOffset(ScreenFile file, FrameIndex f, int y, int c) {
  const std::size_t frameStart = HasMgHeader(file)
                                     ? kMgHeaderBytes + static_cast<std::size_t>(f) * kBitmapBytes
                                     : static_cast<std::size_t>(f) * kScrBytes;
  return frameStart + ScreenOrderOffset(y, c);
}

std::size_t AttributeOffset(ScreenFile file, FrameIndex f, int y, int c) {
  if (file == ScreenFile::Mg1) return Mg1AttributeOffset(f, y, c);
  const int height = CellHeightOf(file);
  const std::size_t frameBytes = static_cast<std::size_t>(kScreenHeight / height) * kRowBytes;
  const std::size_t frameStart = HasMgHeader(file)
                                     ? kMgBitmapsEnd + static_cast<std::size_t>(f) * frameBytes
                                     : static_cast<std::size_t>(f) * kScrBytes + kBitmapBytes;
  return frameStart + static_cast<std::size_t>(y / height * kRowBytes + c);
}

}  // namespace tinto

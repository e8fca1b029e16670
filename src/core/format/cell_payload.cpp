#include "core/format/cell_payload.h"

#include <algorithm>
#include <cstdint>

namespace tinto {
namespace {

constexpr std::string_view kMagic = "TNTCELLS";
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderBytes = kMagic.size() + 6;

void PutWord(std::string& out, int value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

int Byte(std::string_view bytes, std::size_t at) { return static_cast<std::uint8_t>(bytes[at]); }

int Word(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

std::vector<std::uint8_t> Take(std::string_view& bytes, std::size_t count) {
  std::vector<std::uint8_t> out(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
  bytes.remove_prefix(count);
  return out;
}

bool OnlyBits(const std::vector<std::uint8_t>& pixels) {
  return std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t b) { return b <= 1; });
}

}  // namespace

std::string EncodeCellPayload(const ClipboardCells& cells) {
  std::string out(kMagic);
  out.push_back(static_cast<char>(kVersion));
  out.push_back(static_cast<char>(cells.sourceFrame));
  PutWord(out, cells.width);
  PutWord(out, cells.height);
  for (FrameIndex f = 0; f < 2; ++f) {
    out.append(cells.pixels[f].begin(), cells.pixels[f].end());
    out.append(cells.attrs[f].begin(), cells.attrs[f].end());
  }
  return out;
}

std::optional<ClipboardCells> DecodeCellPayload(std::string_view bytes) {
  if (bytes.size() < kHeaderBytes || bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
  ClipboardCells cells;
  const int version = Byte(bytes, 8);
  cells.sourceFrame = Byte(bytes, 9);
  cells.width = Word(bytes, 10);
  cells.height = Word(bytes, 12);
  if (version != kVersion || cells.sourceFrame > 1 || cells.width < 1 ||
      cells.width > kScreenWidth || cells.height < 1 || cells.height > kScreenHeight)
    return std::nullopt;
  const std::size_t area = static_cast<std::size_t>(cells.width * cells.height);
  bytes.remove_prefix(kHeaderBytes);
  if (bytes.size() != 4 * area) return std::nullopt;
  for (FrameIndex f = 0; f < 2; ++f) {
    cells.pixels[f] = Take(bytes, area);
    cells.attrs[f] = Take(bytes, area);
    if (!OnlyBits(cells.pixels[f])) return std::nullopt;
  }
  return cells;
}

}  // namespace tinto

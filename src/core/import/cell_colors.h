#pragma once
// Ink and paper of a dithered attribute cell, chosen from how many of its pixels have each colour
// number (0..7: blue 1, red 2, green 4). Inline: they run for every cell of a conversion.

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace tinto {

// How many pixels of a cell have each colour number, one byte per colour (a cell has at most 64
// pixels), held in a single word so that the choice below runs in registers.
class ColorCounts {
 public:
  constexpr ColorCounts() = default;
  // Counts of colours 0, 1, ... in order; each 0..255.
  constexpr ColorCounts(std::initializer_list<int> counts) {
    int color = 0;
    for (int count : counts) Set(color++, count);
  }

  constexpr int operator[](int color) const {
    return static_cast<int>((m_packed >> (8 * color)) & 0xFF);
  }
  constexpr void Set(int color, int count) {
    m_packed &= ~(std::uint64_t{0xFF} << (8 * color));
    m_packed |= static_cast<std::uint64_t>(count & 0xFF) << (8 * color);
  }
  constexpr int Total() const {
    // Sums the eight bytes into the top one; the total of a cell never exceeds 255.
    return static_cast<int>((m_packed * 0x0101010101010101u) >> 56);
  }

 private:
  std::uint64_t m_packed = 0;
};

struct CellColors {
  int ink;
  int paper;
  bool operator==(const CellColors&) const = default;
};

// Paper = the lowest colour with the highest count; ink = the highest other colour with the
// next count in descending order (which may equal the paper's count, or be 0).
inline CellColors ChooseCellColors(const ColorCounts& counts) {
  // Count and colour number packed into one key (count * 8 + tie-break): each choice is a plain
  // maximum, without data-dependent branches.
  int paperKey = 0;
  for (int c = 0; c < 8; ++c) paperKey = std::max(paperKey, counts[c] * 8 + 7 - c);
  const int paper = 7 - (paperKey & 7);
  // The paper's key is masked to 0, which never wins: some other colour has a key of at least 6.
  int inkKey = 0;
  for (int c = 0; c < 8; ++c) inkKey = std::max(inkKey, (counts[c] * 8 + c) & -(c != paper));
  return {inkKey & 7, paper};
}

// An 8x8 cell: a single colour over all its pixels becomes the paper, with ink 7 on papers 0..3
// and ink 0 on 4..7; otherwise as ChooseCellColors.
inline CellColors ChooseBlockColors(const ColorCounts& counts) {
  const int total = counts.Total();
  for (int c = 0; c < 8; ++c)
    if (counts[c] == total) return {c <= 3 ? 7 : 0, c};
  return ChooseCellColors(counts);
}

// ink + 8 * paper + 64 * bright.
constexpr std::uint8_t CellAttribute(CellColors colors, bool bright) {
  return static_cast<std::uint8_t>((colors.ink & 7) | (colors.paper & 7) << 3 |
                                   (bright ? 0x40 : 0));
}

}  // namespace tinto

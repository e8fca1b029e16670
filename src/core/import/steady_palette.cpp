#include "core/import/steady_palette.h"

#include <cstdint>

#include "core/import/mix_light.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

// One component's bits in a palette: ink and paper of frame 0, then of frame 1.
constexpr int kInk0 = 1, kPaper0 = 2, kInk1 = 4, kPaper1 = 8;

int PatternOf(const CellPalette& palette, int bit) {
  return (palette.ink[0] & bit ? kInk0 : 0) | (palette.paper[0] & bit ? kPaper0 : 0) |
         (palette.ink[1] & bit ? kInk1 : 0) | (palette.paper[1] & bit ? kPaper1 : 0);
}

// levels[bright][pattern][choice]: the mix level one component shows.
using LevelTable = std::array<std::array<std::array<std::uint8_t, 4>, 16>, 4>;

LevelTable MakeLevels() {
  LevelTable levels;
  for (int bright = 0; bright < 4; ++bright)
    for (int pattern = 0; pattern < 16; ++pattern)
      for (int choice = 0; choice < 4; ++choice) {
        const bool lit0 = pattern & (choice & 1 ? kInk0 : kPaper0);
        const bool lit1 = pattern & (choice & 2 ? kInk1 : kPaper1);
        levels[bright][pattern][choice] =
            static_cast<std::uint8_t>(MixLevelOf(lit0, lit1, bright & 1, bright & 2));
      }
  return levels;
}

const LevelTable& Levels() {
  static const LevelTable levels = MakeLevels();
  return levels;
}

class SteadierSearch {
 public:
  SteadierSearch(const CellPalette& palette, const std::array<int, 4>& uses)
      : m_best(palette), m_original(palette), m_uses(uses), m_bestFlicker(Flicker(palette)) {}

  CellPalette Run() {
    for (int bright = 0; bright < 4; ++bright) {
      std::array<Patterns, 3> alternatives;
      bool possible = true;
      for (int c = 0; c < 3 && possible; ++c) {
        alternatives[c] = Alternatives(PatternOf(m_original, kChannelBits[c]), bright);
        possible = alternatives[c].count > 0;
      }
      if (!possible) continue;
      for (int r = 0; r < alternatives[0].count; ++r)
        for (int g = 0; g < alternatives[1].count; ++g)
          for (int b = 0; b < alternatives[2].count; ++b)
            Try(Compose({alternatives[0].list[r], alternatives[1].list[g], alternatives[2].list[b]},
                        bright));
    }
    return m_best;
  }

 private:
  // The patterns that give every used choice the same level under `bright` as `pattern` does
  // under the original brights.
  // Kept on the stack: the search runs once per cell.
  struct Patterns {
    std::array<int, 16> list;
    int count = 0;
  };

  Patterns Alternatives(int pattern, int bright) const {
    const int originalBright = BrightPairIndex(m_original.bright[0], m_original.bright[1]);
    Patterns result;
    for (int candidate = 0; candidate < 16; ++candidate) {
      bool same = true;
      for (int choice = 0; choice < 4 && same; ++choice)
        same = m_uses[choice] == 0 ||
               m_levels[bright][candidate][choice] == m_levels[originalBright][pattern][choice];
      if (same) result.list[result.count++] = candidate;
    }
    return result;
  }

  static CellPalette Compose(const std::array<int, 3>& patterns, int bright) {
    CellPalette palette;
    for (int c = 0; c < 3; ++c) {
      const int bit = kChannelBits[c];
      if (patterns[c] & kInk0) palette.ink[0] |= bit;
      if (patterns[c] & kPaper0) palette.paper[0] |= bit;
      if (patterns[c] & kInk1) palette.ink[1] |= bit;
      if (patterns[c] & kPaper1) palette.paper[1] |= bit;
    }
    palette.bright = {(bright & 1) != 0, (bright & 2) != 0};
    return palette;
  }

  float Flicker(const CellPalette& palette) const {
    const auto& table = FrameFlicker()[BrightPairIndex(palette.bright[0], palette.bright[1])];
    float sum = 0;
    for (int choice = 0; choice < 4; ++choice) {
      const int colour0 = choice & 1 ? palette.ink[0] : palette.paper[0];
      const int colour1 = choice & 2 ? palette.ink[1] : palette.paper[1];
      sum += static_cast<float>(m_uses[choice]) * table[colour0 * 8 + colour1];
    }
    return sum;
  }

  void Try(const CellPalette& palette) {
    const float flicker = Flicker(palette);
    if (flicker < m_bestFlicker) {
      m_bestFlicker = flicker;
      m_best = palette;
    }
  }

  CellPalette m_best;
  CellPalette m_original;
  std::array<int, 4> m_uses;
  const LevelTable& m_levels = Levels();
  float m_bestFlicker;
};

}  // namespace

CellPalette LeastFlickerPalette(const CellPalette& palette, const std::array<int, 4>& uses) {
  return SteadierSearch(palette, uses).Run();
}

}  // namespace tinto

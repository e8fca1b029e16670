#include "core/import/cell_palette_search.h"

#include <algorithm>
#include <limits>

#include "core/import/mix_light.h"

namespace tinto {

// distance[brightPair][colour0 * 8 + colour1][pixel]: the squared distance of each pixel to the
// mix of two colours; near[colour][pixel]: the nearer of a frame's two candidates, the other frame
// fixed; terms[component][lit pair][pixel]: one component's share of a distance.
struct CellPaletteSearch::Tables {
  std::array<std::array<std::array<float, kMaxCellPixels>, 64>, 4> distance;
  std::array<std::array<float, kMaxCellPixels>, 8> near;
  std::array<std::array<std::array<float, kMaxCellPixels>, 4>, 3> terms;  // [component][lit]
  int count = 0;
};

namespace {

struct FrameChoice {
  int ink;
  int paper;
  bool bright;
};

struct Candidate {
  float cost;
  FrameChoice frames[2];
};

using Tables = CellPaletteSearch::Tables;

// A pair's distance is the sum of one term per component, and each term depends only on whether
// the component is lit in either frame: 12 terms per pixel and pair of brights serve all 64 pairs.
void FillDistances(const PerceivedColor* targets, int count, Tables& t) {
  const MixLight& mix = MixLightTable();
  for (int bright = 0; bright < 4; ++bright) {
    for (int c = 0; c < 3; ++c)
      for (int lit = 0; lit < 4; ++lit)
        for (int k = 0; k < count; ++k) {
          const float d = targets[k][c] - mix.perceived[bright][lit];
          t.terms[c][lit][k] = kChannelWeights[c] * d * d;
        }
    for (int pair = 0; pair < 64; ++pair) {
      std::array<const float*, 3> term;
      for (int c = 0; c < 3; ++c) {
        const int bit = kChannelBits[c];
        term[c] = t.terms[c][LitPairIndex((pair >> 3) & bit, pair & bit)].data();
      }
      float* out = t.distance[bright][pair].data();
      for (int k = 0; k < count; ++k) out[k] = term[0][k] + term[1][k] + term[2][k];
    }
  }
}

// The best single mixed colour for the whole cell among those of one pair of frame brights.
Candidate BestFlat(const Tables& t, int bright) {
  Candidate best{std::numeric_limits<float>::max(), {}};
  for (int pair = 0; pair < 64; ++pair) {
    float cost = 0;
    for (int k = 0; k < t.count; ++k) cost += t.distance[bright][pair][k];
    if (cost < best.cost)
      best = {cost,
              {{pair >> 3, pair >> 3, (bright & 1) != 0}, {pair & 7, pair & 7, (bright & 2) != 0}}};
  }
  return best;
}

// The best ink, paper and bright of frame `f` while the other frame keeps its choice.
Candidate BestResponse(Tables& t, const Candidate& from, int f) {
  Candidate best = from;
  const FrameChoice other = from.frames[1 - f];
  for (int ownBright = 0; ownBright < 2; ++ownBright) {
    const int bright = f == 0 ? BrightPairIndex(ownBright, other.bright)
                              : BrightPairIndex(other.bright, ownBright);
    for (int colour = 0; colour < 8; ++colour) {
      const int pairInk = f == 0 ? colour * 8 + other.ink : other.ink * 8 + colour;
      const int pairPaper = f == 0 ? colour * 8 + other.paper : other.paper * 8 + colour;
      const auto& a = t.distance[bright][pairInk];
      const auto& b = t.distance[bright][pairPaper];
      for (int k = 0; k < t.count; ++k) t.near[colour][k] = std::min(a[k], b[k]);
    }
    for (int ink = 0; ink < 8; ++ink)
      for (int paper = ink; paper < 8; ++paper) {
        float cost = 0;
        for (int k = 0; k < t.count; ++k) cost += std::min(t.near[ink][k], t.near[paper][k]);
        if (cost < best.cost) {
          best.cost = cost;
          best.frames[f] = {ink, paper, ownBright != 0};
        }
      }
  }
  return best;
}

}  // namespace

CellPaletteSearch::CellPaletteSearch() : m_tables(std::make_unique<Tables>()) {}
CellPaletteSearch::~CellPaletteSearch() = default;

CellPalette CellPaletteSearch::Choose(const PerceivedColor* targets, int count) {
  Tables& t = *m_tables;
  t.count = count;
  FillDistances(targets, count, t);
  // Descents from the best flat cell of each pair of brights: one descent alone often stays
  // with the brights it started from.
  Candidate best{std::numeric_limits<float>::max(), {}};
  for (int bright = 0; bright < 4; ++bright) {
    Candidate current = BestFlat(t, bright);
    for (int round = 0; round < 4; ++round) {
      const float before = current.cost;
      current = BestResponse(t, current, 0);
      current = BestResponse(t, current, 1);
      if (!(current.cost < before)) break;
    }
    if (current.cost < best.cost) best = current;
  }
  CellPalette palette;
  for (int f = 0; f < 2; ++f) {
    palette.ink[f] = best.frames[f].ink;
    palette.paper[f] = best.frames[f].paper;
    palette.bright[f] = best.frames[f].bright;
  }
  return palette;
}

}  // namespace tinto

#include "core/import/cell_palette_search.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "core/import/mix_light.h"

namespace tinto {
namespace {

// Costs are summed in kLanes running sums, then those in a fixed order: the compiler runs the
// lanes side by side, and the result does not depend on how.
constexpr int kLanes = 8;
static_assert(kMaxTargets % kLanes == 0);
using Lanes = std::array<float, kLanes>;

float LaneTotal(const Lanes& sums) {
  return ((sums[0] + sums[1]) + (sums[2] + sums[3])) + ((sums[4] + sums[5]) + (sums[6] + sums[7]));
}

struct FrameChoice {
  int ink;
  int paper;
  bool bright;
};

struct Candidate {
  float cost;
  FrameChoice frames[2];
};

}  // namespace

// Distances(bright, pair)[target]: the distance of each target to the mix of two colours
// (pair = colour0 * 8 + colour1), made when first asked for (a descent reads few of them);
// near[colour]: the nearer of a frame's two candidates, the other frame fixed; terms: one
// component's share of a distance, per pair of brights, component and lit pair. Each row holds
// `padded` values, the targets' then zeros (which add nothing to a cost), back to back so that
// a cell of few targets keeps its tables in the nearest cache.
struct CellPaletteSearch::Tables {
  std::vector<float> distance;  // [bright][pair][padded]
  std::array<std::array<bool, 64>, 4> made;
  std::vector<float> near;    // [colour][padded]
  std::vector<float> lowest;  // [colour][padded]: the least of near[colour..7]
  std::vector<float> terms;   // [bright][component][lit][padded]
  std::array<std::array<float, 64>, 4> penalty;
  int count = 0;
  int padded = 0;

  Tables()
      : distance(4 * 64 * kMaxTargets),
        near(8 * kMaxTargets),
        lowest(8 * kMaxTargets),
        terms(4 * 3 * 4 * kMaxTargets) {}

  float* Term(int bright, int c, int lit) { return &terms[((bright * 3 + c) * 4 + lit) * padded]; }
  float* Near(int colour) { return &near[colour * padded]; }
  float* Lowest(int colour) { return &lowest[colour * padded]; }

  // A pair's distance is the sum of one term per component, and each term depends only on
  // whether the component is lit in either frame: 12 terms per target serve all 64 pairs.
  void Prepare(const PerceivedColor* targets, int targetCount, float flickerCost) {
    count = targetCount;
    padded = (count + kLanes - 1) / kLanes * kLanes;
    const MixLight& mix = MixLightTable();
    const FrameFlickerTable& flicker = MixFlicker();
    for (int bright = 0; bright < 4; ++bright) {
      for (int c = 0; c < 3; ++c)
        for (int lit = 0; lit < 4; ++lit) {
          float* term = Term(bright, c, lit);
          for (int k = 0; k < padded; ++k) {
            const float d = k < count ? targets[k][c] - mix.perceived[bright][lit] : 0.0f;
            term[k] = kChannelWeights[c] * d * d;
          }
        }
      for (int pair = 0; pair < 64; ++pair)
        penalty[bright][pair] = flickerCost * flicker[bright][pair];
      made[bright].fill(false);
    }
  }

  const float* Distances(int bright, int pair) {
    float* out = &distance[(bright * 64 + pair) * padded];
    if (made[bright][pair]) return out;
    std::array<const float*, 3> term;
    for (int c = 0; c < 3; ++c) {
      const int bit = kChannelBits[c];
      term[c] = Term(bright, c, LitPairIndex((pair >> 3) & bit, pair & bit));
    }
    const float extra = penalty[bright][pair];
    for (int k = 0; k < count; ++k) out[k] = term[0][k] + term[1][k] + term[2][k] + extra;
    std::fill(out + count, out + padded, 0.0f);
    made[bright][pair] = true;
    return out;
  }
};

namespace {

using Tables = CellPaletteSearch::Tables;

inline float SumOf(const float* values, int padded) {
  Lanes sums{};
  for (int k = 0; k < padded; k += kLanes)
    for (int i = 0; i < kLanes; ++i) sums[i] += values[k + i];
  return LaneTotal(sums);
}

inline float SumOfNearer(const float* a, const float* b, int padded) {
  Lanes sums{};
  for (int k = 0; k < padded; k += kLanes)
    for (int i = 0; i < kLanes; ++i) sums[i] += std::min(a[k + i], b[k + i]);
  return LaneTotal(sums);
}

inline void Nearer(const float* a, const float* b, int padded, float* out) {
  for (int k = 0; k < padded; ++k) out[k] = std::min(a[k], b[k]);
}

// Lowest(colour): per target, the least of Near(colour) .. Near(7).
void LowestFromEach(Tables& t) {
  std::copy_n(t.Near(7), t.padded, t.Lowest(7));
  for (int colour = 6; colour >= 0; --colour)
    Nearer(t.Near(colour), t.Lowest(colour + 1), t.padded, t.Lowest(colour));
}

// The best single mixed colour for the whole cell among those of one pair of frame brights: a
// pair's cost is the sum of its three components' summed terms and its penalty per target.
Candidate BestFlat(Tables& t, int bright) {
  std::array<std::array<float, 4>, 3> sums;
  for (int c = 0; c < 3; ++c)
    for (int lit = 0; lit < 4; ++lit) sums[c][lit] = SumOf(t.Term(bright, c, lit), t.padded);
  Candidate best{std::numeric_limits<float>::max(), {}};
  for (int pair = 0; pair < 64; ++pair) {
    float cost = static_cast<float>(t.count) * t.penalty[bright][pair];
    for (int c = 0; c < 3; ++c) {
      const int bit = kChannelBits[c];
      cost += sums[c][LitPairIndex((pair >> 3) & bit, pair & bit)];
    }
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
      Nearer(t.Distances(bright, pairInk), t.Distances(bright, pairPaper), t.padded,
             t.Near(colour));
    }
    LowestFromEach(t);
    for (int ink = 0; ink < 8; ++ink) {
      // No pair from this ink on can cost less than its targets' least distances: once those
      // sum to no less than the best, the rest is skipped (the sums round monotonically).
      if (SumOf(t.Lowest(ink), t.padded) >= best.cost) break;
      for (int paper = ink; paper < 8; ++paper) {
        const float cost = SumOfNearer(t.Near(ink), t.Near(paper), t.padded);
        if (cost < best.cost) {
          best.cost = cost;
          best.frames[f] = {ink, paper, ownBright != 0};
        }
      }
    }
  }
  return best;
}

// Best responses of each frame in turn (at most eight) until one changes nothing: the other
// frame then already answers this one best.
Candidate Descend(Tables& t, Candidate current) {
  for (int response = 0; response < 8; ++response) {
    const float before = current.cost;
    current = BestResponse(t, current, response % 2);
    if (response > 0 && !(current.cost < before)) break;
  }
  return current;
}

// The cost of a palette: each target's distance to the nearest of its four colours.
float CostOf(Tables& t, const Candidate& c) {
  const int bright = BrightPairIndex(c.frames[0].bright, c.frames[1].bright);
  const FrameChoice& f0 = c.frames[0];
  const FrameChoice& f1 = c.frames[1];
  float* inkOne = t.Near(0);
  float* paperOne = t.Near(1);
  Nearer(t.Distances(bright, f0.paper * 8 + f1.ink), t.Distances(bright, f0.ink * 8 + f1.ink),
         t.padded, inkOne);
  Nearer(t.Distances(bright, f0.paper * 8 + f1.paper), t.Distances(bright, f0.ink * 8 + f1.paper),
         t.padded, paperOne);
  return SumOfNearer(inkOne, paperOne, t.padded);
}

Candidate CandidateOf(Tables& t, const CellPalette& palette) {
  Candidate candidate{0,
                      {{palette.ink[0], palette.paper[0], palette.bright[0]},
                       {palette.ink[1], palette.paper[1], palette.bright[1]}}};
  candidate.cost = CostOf(t, candidate);
  return candidate;
}

CellPalette PaletteOf(const Candidate& best) {
  CellPalette palette;
  for (int f = 0; f < 2; ++f) {
    palette.ink[f] = best.frames[f].ink;
    palette.paper[f] = best.frames[f].paper;
    palette.bright[f] = best.frames[f].bright;
  }
  return palette;
}

}  // namespace

CellPaletteSearch::CellPaletteSearch(float flickerCost)
    : m_tables(std::make_unique<Tables>()), m_flickerCost(flickerCost) {}
CellPaletteSearch::~CellPaletteSearch() = default;

CellPalette CellPaletteSearch::Choose(const PerceivedColor* targets, int count,
                                      const CellPalette* starts, int startCount) {
  Tables& t = *m_tables;
  t.Prepare(targets, count, m_flickerCost);
  Candidate flat{std::numeric_limits<float>::max(), {}};
  for (int bright = 0; bright < 4; ++bright) {
    const Candidate c = BestFlat(t, bright);
    if (c.cost < flat.cost) flat = c;
  }
  Candidate best = Descend(t, flat);
  for (int i = 0; i < startCount; ++i) {
    // A start already tried, or where a descent ended, would end there again.
    const CellPalette& start = starts[i];
    if (start == PaletteOf(best) || std::find(starts, starts + i, start) != starts + i) continue;
    const Candidate c = Descend(t, CandidateOf(t, start));
    if (c.cost < best.cost) best = c;
  }
  return PaletteOf(best);
}

CellPalette CellPaletteSearch::Improve(const PerceivedColor* targets, int count,
                                       const CellPalette& start) {
  Tables& t = *m_tables;
  t.Prepare(targets, count, m_flickerCost);
  return PaletteOf(Descend(t, CandidateOf(t, start)));
}

}  // namespace tinto

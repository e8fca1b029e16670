#include "core/quality/auto_options.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <tuple>

#include "core/import/convert_import.h"
#include "core/import/source_picture.h"
#include "core/quality/reference_resize.h"

namespace tinto {
namespace {

// One searched option: the fields it moves together (a shared move shifts all three thresholds
// of a frame, which keeps a grey balance while the level is found) and its range.
struct Move {
  std::array<int ImportOptions::*, 3> fields;
  int count;
  IntRange range;
};

// The coarse search's moves first (a frame's thresholds together, and HTH), then each threshold
// on its own for the fine search.
constexpr int kCoarseMoves = 3;

const std::array<Move, 9>& Moves() {
  static const std::array<Move, 9> moves = {{
      {{&ImportOptions::LR, &ImportOptions::LG, &ImportOptions::LB}, 3, kThresholdRange},
      {{&ImportOptions::HR, &ImportOptions::HG, &ImportOptions::HB}, 3, kThresholdRange},
      {{&ImportOptions::HTH}, 1, kHthRange},
      {{&ImportOptions::LR}, 1, kThresholdRange},
      {{&ImportOptions::LG}, 1, kThresholdRange},
      {{&ImportOptions::LB}, 1, kThresholdRange},
      {{&ImportOptions::HR}, 1, kThresholdRange},
      {{&ImportOptions::HG}, 1, kThresholdRange},
      {{&ImportOptions::HB}, 1, kThresholdRange},
  }};
  return moves;
}

// Option sets that do well on photographs, with Bright (HTH the non-bright limit) and without
// (HTH the brightness shift); the search refines the best of each kind.
constexpr std::array<std::array<int, 5>, 7> kSeeds = {{
    // bright, half threshold, frame-0 and frame-1 thresholds, contrast
    {1, 16, 96, 144, 2},
    {1, 32, 80, 144, 3},
    {1, 64, 112, 176, 1},
    {1, 8, 112, 144, 1},
    {0, 96, 112, 176, 1},
    {0, 48, 64, 160, 2},
    {0, 128, 96, 160, 2},
}};

constexpr double kKindMargin = 1.0;

class Search {
 public:
  Search(const Bitmap24& source, const ScoreReference& reference, const ImportOptions& start)
      : m_source(source), m_reference(reference), m_geometry(ImportGeometry(start)) {}

  // The error of a conversion with `options`; each option set is converted once.
  double Error(const ImportOptions& options) {
    const auto key = KeyOf(options);
    if (auto found = m_errors.find(key); found != m_errors.end()) return found->second;
    ImportOptions fitted = options;
    ConvertImport(m_source, fitted, *m_result, m_dest1, m_dest2);
    m_screen->LoadScreen(m_result->pixels, m_result->attrs);
    const double error = m_reference.BlurredError(StaticMix(*m_screen, m_geometry));
    m_errors.emplace(key, error);
    return error;
  }

  int Conversions() const { return static_cast<int>(m_errors.size()); }

 private:
  using Key = std::tuple<int, int, int, int, int, int, int, int, bool>;
  static Key KeyOf(const ImportOptions& o) {
    return {o.LR, o.LG, o.LB, o.HR, o.HG, o.HB, o.HTH, o.Contrast, o.Bright};
  }

  const Bitmap24& m_source;
  const ScoreReference& m_reference;
  ScreenGeometry m_geometry;
  std::unique_ptr<ImportResult> m_result = std::make_unique<ImportResult>();
  std::unique_ptr<ScreenBuffers> m_screen = std::make_unique<ScreenBuffers>();
  Bitmap24 m_dest1, m_dest2;
  std::map<Key, double> m_errors;
};

// Applies the move by `delta` to `options`; false, changing nothing, when a value would leave
// its range.
bool Shifted(const Move& move, int delta, ImportOptions& options) {
  for (int i = 0; i < move.count; ++i) {
    const int value = options.*move.fields[i] + delta;
    if (value < move.range.min || value > move.range.max) return false;
  }
  for (int i = 0; i < move.count; ++i) options.*move.fields[i] += delta;
  return true;
}

struct Candidate {
  ImportOptions options;
  double error;
};

// Tries every contrast; keeps the best.
void TryContrasts(Search& search, Candidate& best) {
  for (int contrast = kContrastRange.min; contrast <= kContrastRange.max; ++contrast) {
    ImportOptions trial = best.options;
    trial.Contrast = contrast;
    if (const double error = search.Error(trial); error < best.error) best = {trial, error};
  }
}

// Coordinate descent over moves firstMove..endMove - 1: each up and down by `step`, repeated
// while anything improves, then the step halved down to `lastStep`, every contrast tried at
// each step.
void Descend(Search& search, Candidate& best, int firstMove, int endMove, int firstStep,
             int lastStep) {
  for (int step = firstStep; step >= lastStep; step /= 2) {
    bool improved = true;
    while (improved) {
      improved = false;
      for (int m = firstMove; m < endMove; ++m)
        for (int delta : {step, -step}) {
          ImportOptions trial = best.options;
          if (!Shifted(Moves()[m], delta, trial)) continue;
          if (const double error = search.Error(trial); error < best.error) {
            best = {trial, error};
            improved = true;
          }
        }
    }
    TryContrasts(search, best);
  }
}

}  // namespace

AutoOptions FindAutoOptions(const Bitmap24& source, const ScoreReference& reference,
                            const ImportOptions& start) {
  Search search(source, reference, start);
  ImportOptions first = FitImportOptions(start);
  first.Dither = true;
  // The best start with Bright and without, each refined with the thresholds of a frame moving
  // together; then the better one with every threshold on its own.
  std::array<Candidate, 2> bestOf{{{first, search.Error(first)}, {first, search.Error(first)}}};
  for (const auto& [bright, hth, low, high, contrast] : kSeeds) {
    ImportOptions seed = first;
    seed.Bright = bright != 0;
    seed.HTH = hth;
    seed.LR = seed.LG = seed.LB = low;
    seed.HR = seed.HG = seed.HB = high;
    seed.Contrast = contrast;
    Candidate& kind = bestOf[bright];
    if (const double error = search.Error(seed);
        kind.options.Bright != seed.Bright || error < kind.error)
      kind = {seed, error};
  }
  // A kind whose best start trails the other's by more than kKindMargin is not refined: that saves
  // time, and refining seldom gains as much.
  const double bestStart = std::min(bestOf[0].error, bestOf[1].error);
  for (Candidate& kind : bestOf)
    if (kind.error < bestStart + kKindMargin) Descend(search, kind, 0, kCoarseMoves, 32, 8);
  Candidate best = bestOf[0].error <= bestOf[1].error ? bestOf[0] : bestOf[1];
  Descend(search, best, kCoarseMoves, static_cast<int>(Moves().size()), 8, 4);
  return {best.options, best.error, search.Conversions()};
}

Bitmap24 PhotoAtPictureSize(const Bitmap24& picture, bool stretch, const ImportOptions& options) {
  const ImportOptions fitted = FitImportOptions(options);
  const int width = fitted.DX * 8, height = fitted.DY;
  if (!stretch && picture.Width() >= width && picture.Height() >= height)
    return CropBitmap(picture, 0, 0, width, height);
  return ResizeForScore(picture, width, height);
}

}  // namespace tinto

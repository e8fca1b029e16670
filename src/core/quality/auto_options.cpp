#include "core/quality/auto_options.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <vector>

#include "core/import/convert_import.h"
#include "core/import/import_option_table.h"
#include "core/import/source_picture.h"
#include "core/quality/reference_resize.h"

namespace tinto {
namespace {

// One move of the search: the options it shifts together (a shared move shifts all the levels
// of a frame, which keeps a grey balance while the level is found).
using Move = std::vector<const ImportOptionRow*>;

std::vector<const ImportOptionRow*> RowsWithRole(AutoRole role) {
  std::vector<const ImportOptionRow*> rows;
  for (const ImportOptionRow& row : ImportOptionTable())
    if (row.autoRole == role) rows.push_back(&row);
  return rows;
}

// The coarse search moves each frame's levels together and every Level on its own.
const std::vector<Move>& CoarseMoves() {
  static const std::vector<Move> moves = [] {
    std::vector<Move> list = {RowsWithRole(AutoRole::Frame0Level),
                              RowsWithRole(AutoRole::Frame1Level)};
    for (const ImportOptionRow* row : RowsWithRole(AutoRole::Level)) list.push_back({row});
    return list;
  }();
  return moves;
}

// The fine search moves every frame level on its own.
const std::vector<Move>& FineMoves() {
  static const std::vector<Move> moves = [] {
    std::vector<Move> list;
    for (const ImportOptionRow& row : ImportOptionTable())
      if (row.autoRole == AutoRole::Frame0Level || row.autoRole == AutoRole::Frame1Level)
        list.push_back({&row});
    return list;
  }();
  return moves;
}

// A starting point: the value of the options of each role.
struct Seed {
  int seeded, level, frame0, frame1, everyValue;
};

// Starting points that do well on photographs, with Bright (the Level then the non-bright limit)
// and without (the Level then the brightness shift); the search refines the best of each kind.
constexpr std::array<Seed, 7> kSeeds = {{
    {1, 16, 96, 144, 2},
    {1, 32, 80, 144, 3},
    {1, 64, 112, 176, 1},
    {1, 8, 112, 144, 1},
    {0, 96, 112, 176, 1},
    {0, 48, 64, 160, 2},
    {0, 128, 96, 160, 2},
}};

// Which kind of start an option set is: the value of its Seeded options.
int KindOf(const ImportOptions& options) {
  for (const ImportOptionRow& row : ImportOptionTable())
    if (row.autoRole == AutoRole::Seeded) return row.Get(options);
  return 0;
}

ImportOptions Seeded(ImportOptions options, const Seed& seed) {
  for (const ImportOptionRow& row : ImportOptionTable()) {
    switch (row.autoRole) {
      case AutoRole::Seeded:
        row.Set(options, seed.seeded);
        break;
      case AutoRole::Level:
        row.Set(options, seed.level);
        break;
      case AutoRole::Frame0Level:
        row.Set(options, seed.frame0);
        break;
      case AutoRole::Frame1Level:
        row.Set(options, seed.frame1);
        break;
      case AutoRole::EveryValue:
        row.Set(options, seed.everyValue);
        break;
      case AutoRole::Kept:
        break;
    }
  }
  return options;
}

constexpr double kKindMargin = 1.0;

struct Measured {
  ImportOptions options;
  double error;
  double ssim;
};

class Search {
 public:
  Search(const Bitmap24& source, const ScoreReference& reference, const ImportOptions& start)
      : m_source(source), m_reference(reference), m_geometry(ImportGeometry(start)) {}

  // The blurred error of a conversion with `options`; each option set is converted once.
  double Error(const ImportOptions& options) { return Measure(options).error; }

  const Measured& Measure(const ImportOptions& options) {
    std::vector<int> key;
    for (const ImportOptionRow& row : ImportOptionTable())
      if (row.autoRole != AutoRole::Kept) key.push_back(row.Get(options));
    key.push_back(static_cast<int>(options.Method));
    if (auto found = m_seen.find(key); found != m_seen.end()) return found->second;
    ConvertImport(m_source, FitImportOptions(options), *m_result, m_dest1, m_dest2);
    m_screen->LoadScreen(m_result->pixels, m_result->attrs);
    const Bitmap24 seen = StaticMix(*m_screen, m_geometry);
    return m_seen
        .emplace(key, Measured{options, m_reference.BlurredError(seen), m_reference.Ssim(seen)})
        .first->second;
  }

  int Conversions() const { return static_cast<int>(m_seen.size()); }

  // ChooseAutoResult among everything measured.
  const Measured& Choice() const {
    std::vector<const Measured*> seen;
    std::vector<AutoScore> scores;
    for (const auto& [key, measured] : m_seen) {
      seen.push_back(&measured);
      scores.push_back({measured.error, measured.ssim});
    }
    return *seen[ChooseAutoResult(scores)];
  }

 private:
  const Bitmap24& m_source;
  const ScoreReference& m_reference;
  ScreenGeometry m_geometry;
  std::unique_ptr<ImportResult> m_result = std::make_unique<ImportResult>();
  std::unique_ptr<ScreenBuffers> m_screen = std::make_unique<ScreenBuffers>();
  Bitmap24 m_dest1, m_dest2;
  std::map<std::vector<int>, Measured> m_seen;
};

// Applies `move` by `delta` to `options`; false, changing nothing, when a value would leave its
// range.
bool Shifted(const Move& move, int delta, ImportOptions& options) {
  for (const ImportOptionRow* row : move) {
    const int value = row->Get(options) + delta;
    if (value < row->range.min || value > row->range.max) return false;
  }
  for (const ImportOptionRow* row : move) row->Set(options, row->Get(options) + delta);
  return true;
}

struct Candidate {
  ImportOptions options;
  double error;
};

// Tries every value of each EveryValue option; keeps the best.
void TryEveryValue(Search& search, Candidate& best) {
  for (const ImportOptionRow* row : RowsWithRole(AutoRole::EveryValue))
    for (int value = row->range.min; value <= row->range.max; ++value) {
      ImportOptions trial = best.options;
      row->Set(trial, value);
      if (const double error = search.Error(trial); error < best.error) best = {trial, error};
    }
}

// Coordinate descent over `moves`: each up and down by `step`, repeated while anything improves,
// then the step halved down to `lastStep`, every EveryValue option tried at each step.
void Descend(Search& search, Candidate& best, const std::vector<Move>& moves, int firstStep,
             int lastStep) {
  for (int step = firstStep; step >= lastStep; step /= 2) {
    bool improved = true;
    while (improved) {
      improved = false;
      for (const Move& move : moves)
        for (int delta : {step, -step}) {
          ImportOptions trial = best.options;
          if (!Shifted(move, delta, trial)) continue;
          if (const double error = search.Error(trial); error < best.error) {
            best = {trial, error};
            improved = true;
          }
        }
    }
    TryEveryValue(search, best);
  }
}

// The classic search: the best start with Bright and without, each refined with the levels of a
// frame moving together; then the better one with every level on its own.
void SearchClassic(Search& search, ImportOptions first) {
  first.Method = ImportMethod::Classic;
  first.Dither = true;
  std::array<Candidate, 2> bestOf{{{first, search.Error(first)}, {first, search.Error(first)}}};
  for (const Seed& seed : kSeeds) {
    const ImportOptions trial = Seeded(first, seed);
    Candidate& kind = bestOf[static_cast<std::size_t>(seed.seeded)];
    if (const double error = search.Error(trial);
        KindOf(kind.options) != seed.seeded || error < kind.error)
      kind = {trial, error};
  }
  // A kind whose best start trails the other's by more than kKindMargin is not refined: that saves
  // time, and refining seldom gains as much.
  const double bestStart = std::min(bestOf[0].error, bestOf[1].error);
  for (Candidate& kind : bestOf)
    if (kind.error < bestStart + kKindMargin) Descend(search, kind, CoarseMoves(), 32, 8);
  Candidate best = bestOf[0].error <= bestOf[1].error ? bestOf[0] : bestOf[1];
  Descend(search, best, FineMoves(), 8, 4);
}

}  // namespace

std::size_t ChooseAutoResult(std::span<const AutoScore> scores) {
  double bestSsim = -std::numeric_limits<double>::infinity();
  for (const AutoScore& score : scores)
    if (!std::isnan(score.ssimY)) bestSsim = std::max(bestSsim, score.ssimY);
  std::size_t choice = 0;
  bool found = false;
  for (std::size_t i = 0; i < scores.size(); ++i) {
    const bool keepsStructure = !(scores[i].ssimY < bestSsim - kAutoSsimMargin);
    if (keepsStructure && (!found || scores[i].de00Blur < scores[choice].de00Blur)) {
      choice = i;
      found = true;
    }
  }
  return choice;
}

AutoOptions FindAutoOptions(const Bitmap24& source, const ScoreReference& reference,
                            const FittedImportOptions& start) {
  Search search(source, reference, *start);
  SearchClassic(search, *start);
  ImportOptions perceptual = *start;
  perceptual.Method = ImportMethod::Perceptual;
  search.Measure(perceptual);
  const Measured& choice = search.Choice();
  return {FitImportOptions(choice.options), choice.error, choice.ssim, search.Conversions()};
}

Bitmap24 PhotoAtPictureSize(const Bitmap24& picture, const FittedImportOptions& options) {
  const int width = options->DX * 8, height = options->DY;
  if (!options->Stretch && picture.Width() >= width && picture.Height() >= height)
    return CropBitmap(picture, 0, 0, width, height);
  return ResizeForScore(picture, width, height);
}

}  // namespace tinto

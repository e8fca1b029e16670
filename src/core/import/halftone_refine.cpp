#include "core/import/halftone_refine.h"

#include <algorithm>

#include "core/import/mix_light.h"

namespace tinto {
namespace {

constexpr int kPasses = 2;  // a third pass barely gains
constexpr int kPalettePasses = 1;

// Sum over the targets of the distance to the nearest of the cell's colours.
float NearestCost(const CellMixColors& colors, const PerceivedColor* targets, int count) {
  float cost = 0;
  for (int k = 0; k < count; ++k) {
    float nearest = WeightedDistance(targets[k], colors.perceived[0]);
    for (int choice = 1; choice < 4; ++choice)
      nearest = std::min(nearest, WeightedDistance(targets[k], colors.perceived[choice]));
    cost += nearest;
  }
  return cost;
}

class Refiner {
 public:
  explicit Refiner(HalftonePlan& plan) : m_plan(plan), m_model(plan) {}

  void Run() {
    for (int pass = 0; pass < kPasses; ++pass) {
      int changes = 0;
      for (int y = 0; y < m_plan.height; ++y)
        for (int x = 0; x < m_plan.width; ++x) changes += Revisit(x, y);
      if (pass < kPalettePasses && m_plan.improvePalette) changes += TryPalettes();
      if (changes == 0) break;
    }
  }

 private:
  std::size_t At(int x, int y) const { return static_cast<std::size_t>(y) * m_plan.width + x; }
  int X(std::size_t at) const { return static_cast<int>(at % m_plan.width); }
  int Y(std::size_t at) const { return static_cast<int>(at / m_plan.width); }

  int Revisit(int x, int y) {
    const std::size_t at = At(x, y);
    const CellMixColors& cell = m_plan.cells[m_plan.cellOf[at]];
    const int from = m_plan.choice[at];
    std::array<int, 4> tos;
    int count = 0;
    for (int to = 0; to < 4; ++to)
      if (cell.linear[to] != cell.linear[from]) tos[count++] = to;
    if (count == 0) return 0;
    std::array<float, 4> changes;
    m_model.CostChanges(x, y, cell, from, cell, tos.data(), count, changes.data());
    int best = from;
    float bestChange = 0;
    for (int i = 0; i < count; ++i)
      if (changes[i] < bestChange) {
        best = tos[i];
        bestChange = changes[i];
      }
    if (best == from) return 0;
    m_model.Apply(x, y, cell, from, cell, best);
    m_plan.choice[at] = static_cast<std::uint8_t>(best);
    return 1;
  }

  int TryPalettes() {
    std::vector<std::vector<std::size_t>> members(m_plan.cells.size());
    for (std::size_t at = 0; at < m_plan.cellOf.size(); ++at)
      members[m_plan.cellOf[at]].push_back(at);
    int changes = 0;
    for (std::size_t cell = 0; cell < members.size(); ++cell)
      changes += TryPalettes(static_cast<int>(cell), members[cell]);
    return changes;
  }

  // What the cell's pixels should show given their neighbours, then what they show in the
  // photograph: a palette near both keeps the picture's look and its structure.
  int Targets(int cell, const std::vector<std::size_t>& pixels, PerceivedColor* targets) const {
    int count = 0;
    const CellMixColors& colors = m_plan.cells[cell];
    for (std::size_t at : pixels) {
      const LinearColor ideal = m_model.Ideal(X(at), Y(at), colors.linear[m_plan.choice[at]]);
      targets[count++] = {PerceivedOfLinear(ideal[0]), PerceivedOfLinear(ideal[1]),
                          PerceivedOfLinear(ideal[2])};
    }
    for (std::size_t at : pixels) targets[count++] = m_model.Target(X(at), Y(at));
    return count;
  }

  // The cells left, right, above and below, each -1 beyond the picture.
  std::array<int, 4> NeighbourCells(const std::vector<std::size_t>& pixels) const {
    const int x0 = X(pixels.front()), y0 = Y(pixels.front());
    const int x1 = X(pixels.back()), y1 = Y(pixels.back());
    const auto cellAt = [this](bool inside, int x, int y) {
      return inside ? m_plan.cellOf[At(x, y)] : -1;
    };
    return {cellAt(x0 > 0, x0 - 1, y0), cellAt(x1 + 1 < m_plan.width, x1 + 1, y0),
            cellAt(y0 > 0, x0, y0 - 1), cellAt(y1 + 1 < m_plan.height, x0, y1 + 1)};
  }

  // Candidates whose colours lie no farther from the targets than the cell's own are tried,
  // nearest first.
  int TryPalettes(int cell, const std::vector<std::size_t>& pixels) {
    std::array<PerceivedColor, kMaxTargets> targets;
    const int count = Targets(cell, pixels, targets.data());
    const CellMixColors current = m_plan.cells[cell];
    std::vector<CellMixColors> candidates = {m_plan.improvePalette(targets.data(), count, current)};
    for (int neighbour : NeighbourCells(pixels))
      if (neighbour >= 0) candidates.push_back(m_plan.cells[neighbour]);
    const float limit = NearestCost(current, targets.data(), count);
    std::vector<std::pair<float, std::size_t>> ranked;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      const auto same = [&](const CellMixColors& other) {
        return other.attrs == candidates[i].attrs;
      };
      if (same(current) || std::any_of(candidates.begin(), candidates.begin() + i, same)) continue;
      const float cost = NearestCost(candidates[i], targets.data(), count);
      if (cost <= limit) ranked.push_back({cost, i});
    }
    std::sort(ranked.begin(), ranked.end());
    int changed = 0;
    for (const auto& [cost, i] : ranked) changed += TryPalette(cell, pixels, candidates[i]);
    return changed > 0 ? 1 : 0;
  }

  // Each pixel's best colour of the candidate with nothing applied first: a candidate that does
  // not help this way is left at once. Otherwise the pixels take their colours one by one, and
  // all go back unless the total lowers the cost.
  int TryPalette(int cell, const std::vector<std::size_t>& pixels, const CellMixColors& candidate) {
    const CellMixColors current = m_plan.cells[cell];
    if (candidate.attrs == current.attrs) return 0;
    float alone = 0;
    for (std::size_t at : pixels)
      alone += m_model.BestOf(X(at), Y(at), current, m_plan.choice[at], candidate).second;
    if (alone >= 0) return 0;
    std::vector<std::uint8_t> chosen(pixels.size());
    float total = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      const std::size_t at = pixels[i];
      const auto [best, change] =
          m_model.BestOf(X(at), Y(at), current, m_plan.choice[at], candidate);
      m_model.Apply(X(at), Y(at), current, m_plan.choice[at], candidate, best);
      chosen[i] = static_cast<std::uint8_t>(best);
      total += change;
    }
    if (total < 0) {
      m_plan.cells[cell] = candidate;
      for (std::size_t i = 0; i < pixels.size(); ++i) m_plan.choice[pixels[i]] = chosen[i];
      return 1;
    }
    for (std::size_t i = pixels.size(); i-- > 0;) {
      const std::size_t at = pixels[i];
      m_model.Apply(X(at), Y(at), candidate, chosen[i], current, m_plan.choice[at]);
    }
    return 0;
  }

  HalftonePlan& m_plan;
  HalftoneModel m_model;
};

}  // namespace

void RefineHalftone(HalftonePlan& plan) { Refiner(plan).Run(); }

}  // namespace tinto

#pragma once
// One step of the undo history: what a change did to the picture. Both blocks are compared
// byte by byte, pixels then attributes; each run of changed bytes keeps its bytes as they were
// before the step and as they are after it, and the geometry is kept before and after. Putting
// the "before" side back undoes the step whatever the bytes outside the runs hold now, and the
// "after" side redoes it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto {

struct PictureState {
  ScreenBuffers screen;
  ScreenGeometry geometry;
};

class PictureChange {
 public:
  // Runs closer than this many unchanged bytes are kept as one: a run's own bookkeeping costs
  // about as much, so a change never takes much more than the bytes it touches, twice.
  static constexpr int kJoinGap = 8;

  PictureChange() = default;
  static PictureChange Between(const PictureState& before, const ScreenBuffers& screen,
                               const ScreenGeometry& geometry);

  // Nothing differs: no byte, no geometry value.
  bool Empty() const { return m_runs.empty() && m_geometryBefore == m_geometryAfter; }
  void PutBefore(ScreenBuffers& screen, ScreenGeometry& geometry) const;
  void PutAfter(ScreenBuffers& screen, ScreenGeometry& geometry) const;
  // Memory the step holds, its own object included.
  std::size_t HeldBytes() const;

 private:
  struct Run {
    std::uint16_t offset;  // into pixels then attributes: 0 .. 2 * kBlockBytes - 1
    std::uint16_t length;
  };
  void AddRuns(const ScreenBlock& before, const ScreenBlock& after, int base);
  void Put(const std::vector<std::uint8_t>& bytes, ScreenBuffers& screen) const;

  std::vector<Run> m_runs;
  std::vector<std::uint8_t> m_before;
  std::vector<std::uint8_t> m_after;
  ScreenGeometry m_geometryBefore;
  ScreenGeometry m_geometryAfter;
};

}  // namespace tinto

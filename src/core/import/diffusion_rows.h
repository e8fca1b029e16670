#pragma once
// The error a serpentine scan passes on while it converts, two rows at a time: the row being
// converted and the one below it, each with a spare entry either side so that the edges need no
// tests.

#include <vector>

#include "core/import/cell_mix_colors.h"

namespace tinto {

class DiffusionRows {
 public:
  explicit DiffusionRows(int width) : m_this(width + 2), m_next(width + 2) {}

  // The row below becomes the row being converted, and the new row below starts at zero.
  void NextRow() {
    std::swap(m_this, m_next);
    std::fill(m_next.begin(), m_next.end(), LinearColor{});
  }

  // What pixel x (0 .. width - 1) of the row being converted, or of the row below, has received.
  const LinearColor& This(int x) const { return m_this[x + 1]; }
  const LinearColor& Below(int x) const { return m_next[x + 1]; }

  // Floyd-Steinberg: 7/16 of pixel x's error goes to the next pixel the scan reaches (`step`
  // is +1 left to right, -1 right to left), 3/16, 5/16 and 1/16 to the row below, behind,
  // under and ahead of it.
  void Diffuse(const LinearColor& error, int x, int step) {
    const int at = x + 1;
    for (int c = 0; c < 3; ++c) {
      m_this[at + step][c] += error[c] * (7.0f / 16);
      m_next[at - step][c] += error[c] * (3.0f / 16);
      m_next[at][c] += error[c] * (5.0f / 16);
      m_next[at + step][c] += error[c] * (1.0f / 16);
    }
  }

 private:
  std::vector<LinearColor> m_this, m_next;
};

}  // namespace tinto

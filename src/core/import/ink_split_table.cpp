#include "core/import/ink_split_table.h"

namespace tinto {
namespace {

// [paper][ink]; -1 on the diagonal.
constexpr int kInkSplit[8][8] = {{-1, 1, 2, 2, 3, 3, 4, 4}, {0, -1, 2, 3, 3, 4, 4, 4},
                                 {0, 1, -1, 3, 4, 4, 5, 5}, {1, 1, 2, -1, 4, 5, 5, 5},
                                 {2, 2, 2, 3, -1, 5, 6, 6}, {2, 2, 3, 3, 4, -1, 6, 7},
                                 {2, 3, 3, 4, 4, 5, -1, 7}, {3, 3, 4, 4, 5, 5, 6, -1}};

}  // namespace

int InkSplitTable(int paper, int ink) { return kInkSplit[paper & 7][ink & 7]; }

std::uint8_t InkSideMask(int paper, int ink) {
  paper &= 7;
  ink &= 7;
  if (paper == ink) return 0;
  int split = kInkSplit[paper][ink];
  std::uint8_t atOrBelow = static_cast<std::uint8_t>((2u << split) - 1);
  return ink > paper ? static_cast<std::uint8_t>(~atOrBelow | (1u << split)) : atOrBelow;
}

}  // namespace tinto

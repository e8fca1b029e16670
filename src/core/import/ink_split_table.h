#pragma once
// Which colour numbers (0..7: blue 1, red 2, green 4) of a dithered attribute cell become ink
// pixels for a given paper and ink. The split lies between the two numbers: mostly the nearer
// number wins and one exactly halfway goes to the paper, with three entries that differ
// (paper 1 / ink 7, paper 3 / ink 7, paper 4 / ink 0).

#include <cstdint>

namespace tinto {

// The split number k of InkSplitTable[paper][ink]: colours >= k are ink when ink > paper, colours
// <= k when ink < paper. -1 when paper equals ink, a pair the engine never chooses. Arguments use
// their low three bits.
int InkSplitTable(int paper, int ink);

// Bit c set when colour c is on the ink side; 0 when paper equals ink.
std::uint8_t InkSideMask(int paper, int ink);

}  // namespace tinto

#pragma once
// The last step of the Perceptual conversion: many mixed colours can be shown by more than one
// pair of frame colours (a dim yellow as yellow over black, or as red over green), and the pairs
// differ in how much they flicker. Each cell's frame colours are exchanged for those that show
// the colours its pixels use exactly as before with the least flicker.

#include <array>

#include "core/import/cell_palette_search.h"

namespace tinto {

// Among the palettes that show every colour with uses[choice] > 0 (choice = ink in frame 0 +
// 2 * ink in frame 1) exactly as `palette` does, the one whose pixels flicker least in sum
// (FrameFlicker); `palette` itself when none flickers less.
CellPalette LeastFlickerPalette(const CellPalette& palette, const std::array<int, 4>& uses);

}  // namespace tinto

#pragma once
// The pick tool: the current colours taken from the attribute cell under a pixel.

#include "core/model/current_colors.h"
#include "core/model/screen_buffers.h"

namespace tinto {

// Ink 1 / Paper 1 from the frame-0 attribute of pixel (x, y), Ink 2 / Paper 2 from frame 1:
// inks keep bits 0-2 and bright (AND 0x47), papers bits 3-5 and bright (AND 0x78). A point
// outside the 256 x 192 screen is moved to its nearest edge.
CurrentColors PickColors(const ScreenBuffers& screen, int x, int y);

}  // namespace tinto

#pragma once
// The second stage of the Perceptual conversion: with every cell's colours first fixed, each
// pixel's choice among them is revisited (direct search) to lower the cost of the viewing model
// (halftone_model.h). Between the passes each cell tries other palettes: the one that suits what
// its pixels should show given their neighbours, and its neighbours' own; it keeps the one whose
// pixels, chosen again, lower the cost.

#include "core/import/halftone_model.h"

namespace tinto {

// Changes `plan.cells` and `plan.choice`. Deterministic: pixels and cells are visited in a fixed
// order. Without `plan.improvePalette` the cells keep their palettes.
void RefineHalftone(HalftonePlan& plan);

}  // namespace tinto

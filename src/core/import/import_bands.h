#pragma once
// The runs of columns with one attribute cell layout that the dithered import converts in turn.

#include <array>

#include "core/import/import_options.h"

namespace tinto {

enum class CellLayout {
  Cell8x8,  // one cell per character: 8 columns by 8 rows
  Cell8x1,  // one cell per pixel row
  Cell8x2,  // one cell per pair of rows 2p, 2p + 1
};

// Pixel rows one attribute cell of the layout covers: 1, 2 or 8.
int RowsPerCell(CellLayout layout);

struct ImportBand {
  int start;  // first column
  int width;  // number of columns, at least 1
  CellLayout layout;
  bool operator==(const ImportBand&) const = default;
};

struct ImportBands {
  std::array<ImportBand, 3> bands;
  int count;
};

// TintoMode: one Cell8x2 band over DX columns. Otherwise Cell8x8 left of the MLT window, Cell8x1
// inside it and Cell8x8 right of it up to DX, from left to right, leaving out empty bands.
// The bands lie within 0..DX - 1.
ImportBands BandsOf(const FittedImportOptions& options);

}  // namespace tinto

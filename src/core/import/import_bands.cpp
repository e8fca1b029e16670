#include "core/import/import_bands.h"

namespace tinto {

ImportBands BandsOf(const FittedImportOptions& fitted) {
  const ImportOptions& options = *fitted;
  ImportBands result{};
  auto add = [&result](int start, int end, CellLayout layout) {
    if (end > start) result.bands[result.count++] = {start, end - start, layout};
  };
  if (options.TintoMode) {
    add(0, options.DX, CellLayout::Cell8x2);
    return result;
  }
  const int windowEnd = options.MLTLeft + options.MLTWidth;
  add(0, options.MLTLeft, CellLayout::Cell8x8);
  add(options.MLTLeft, windowEnd, CellLayout::Cell8x1);
  add(windowEnd, options.DX, CellLayout::Cell8x8);
  return result;
}

int RowsPerCell(CellLayout layout) {
  switch (layout) {
    case CellLayout::Cell8x1:
      return 1;
    case CellLayout::Cell8x2:
      return 2;
    case CellLayout::Cell8x8:
      break;
  }
  return 8;
}

}  // namespace tinto

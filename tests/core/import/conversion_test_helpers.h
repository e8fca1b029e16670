#pragma once
// Converts a source as the import does and keeps all it gives: the result, both previews and the
// result as a screen.

#include "core/import/convert_import.h"
#include "core/model/screen_buffers.h"
#include "support/test_common.h"

namespace tinto::test {

struct Converted {
  ImportResult result;
  Bitmap24 dest1, dest2;
  ScreenBuffers screen;
};

inline Converted Convert(const Bitmap24& source, const ImportOptions& options) {
  Converted c;
  EXPECT_TRUE(ConvertImport(source, FitImportOptions(options), c.result, c.dest1, c.dest2));
  c.screen.LoadScreen(c.result.pixels, c.result.attrs);
  return c;
}

}  // namespace tinto::test

#include "app/dialogs/import/import_source.h"

#include "app/gui_test.h"
#include "core/model/model_test_helpers.h"

namespace tinto::test {
namespace {

Bitmap24 Gradient(int width, int height, int seed) {
  Bitmap24 bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.SetPixel(x, y, static_cast<Rgb>(((x * 7 + seed) & 255) | ((y * 5) & 255) << 8));
  return bitmap;
}

struct PrepareStep {
  int seed;  // a new picture when it differs from the previous step's
  bool stretch;
  int dx, dy;
  int filter;
};

// Every Prepare shows exactly what resampling the current picture afresh shows, whatever was
// kept from the step before.
TEST(ImportSource, TheKeptResampledCopyIsNeverStale) {
  const PrepareStep steps[] = {
      {1, true, 4, 24, 5}, {1, true, 4, 24, 5}, {1, true, 5, 24, 5},  {1, true, 5, 30, 5},
      {1, true, 5, 30, 1}, {2, true, 5, 30, 1}, {2, false, 5, 30, 1}, {2, true, 5, 30, 1},
  };
  TImportSource source;
  int seed = 0;
  for (const PrepareStep& step : steps) {
    if (step.seed != seed) source.Replace(Gradient(50, 40, seed = step.seed));
    const ResampleFilter& filter = kResampleFilters[step.filter];
    ASSERT_TRUE(source.Prepare(step.stretch, MakeGeometry(step.dx, step.dy), filter));
    Bitmap24 expected = Gradient(50, 40, step.seed);
    if (step.stretch) {
      Bitmap24 resampled(step.dx * 8, step.dy);
      ASSERT_TRUE(Stretch(expected, resampled, filter));
      expected = resampled;
    }
    ASSERT_NE(source.Shown(), nullptr);
    EXPECT_EQ(*source.Shown(), expected) << "seed " << step.seed << " dx " << step.dx;
  }
}

TEST(ImportSource, AnEmptyPictureCannotBeResampled) {
  TImportSource source;
  EXPECT_FALSE(source.Loaded());
  EXPECT_FALSE(source.Prepare(true, MakeGeometry(4, 8), kResampleFilters[0]));
  EXPECT_EQ(source.Shown(), nullptr);
}

}  // namespace
}  // namespace tinto::test

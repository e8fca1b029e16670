#include "core/import/level_preview.h"

#include "core/model/palette.h"
#include "support/test_common.h"

namespace tinto {
namespace {

// Value, threshold, HTH -> 254 at or above the threshold, 177 at or above threshold / (HTH / 50):
// 255 / 3.4 = 75, 90 / 1.7 = 52.9.., 255 / 0.02; HTH 0 acts as 1 (never a division by 0), HTH
// 1000 divides by 20.
TEST(PlainChannelLevel, SplitsAtThresholdAndThresholdOverHalfDivisor) {
  const int cases[][4] = {{100, 100, 100, 254}, {99, 100, 100, 177},  {50, 100, 100, 177},
                          {49, 100, 100, 0},    {255, 255, 100, 254}, {0, 0, 100, 254},
                          {76, 255, 170, 177},  {74, 255, 170, 0},    {53, 90, 85, 177},
                          {52, 90, 85, 0},      {254, 255, 1, 0},     {99, 100, 0, 0},
                          {4, 100, 1000, 0},    {5, 100, 1000, 177}};
  for (auto [value, threshold, hth, expected] : cases)
    EXPECT_EQ(PlainChannelLevel(value, threshold, hth), expected)
        << value << " " << threshold << " " << hth;
}

// Half levels from 100 / 2 = 50 (frame 0) and 220 / 2 = 110 (frame 1). The previews were 8 x 2
// and white from an earlier preview; outside the 2 x 1 source everything is black.
TEST(ComputeLevelPreview, PaintsFrameZeroFromLowAndFrameOneFromHighThresholds) {
  Bitmap24 source(2, 1), dest1(8, 2), dest2(8, 2);
  source.SetPixel(0, 0, MakeRgb(200, 60, 10));
  source.SetPixel(1, 0, MakeRgb(0, 255, 120));
  // clang-format off
  const ImportOptions options{.LR = 100, .LG = 100, .LB = 100, .HR = 220, .HG = 220, .HB = 220,
                              .HTH = 100, .DX = 1, .DY = 2};
  // clang-format on
  dest1.Fill(MakeRgb(254, 254, 254));
  dest2.Fill(MakeRgb(254, 254, 254));
  ASSERT_TRUE(ComputeLevelPreview(source, FitImportOptions(options), dest1, dest2));
  ASSERT_EQ(std::pair(dest1.Width(), dest1.Height()), std::pair(8, 2));
  EXPECT_EQ(dest1.Pixel(0, 0), MakeRgb(254, 177, 0));
  EXPECT_EQ(dest1.Pixel(1, 0), MakeRgb(0, 254, 254));
  EXPECT_EQ(dest2.Pixel(0, 0), MakeRgb(177, 0, 0));
  EXPECT_EQ(dest2.Pixel(1, 0), MakeRgb(0, 254, 177));
  EXPECT_EQ(dest1.Pixel(7, 0), 0u);
  EXPECT_EQ(dest2.Pixel(0, 1), 0u);
}

// A larger source gives only its top left; an empty one changes nothing.
TEST(ComputeLevelPreview, UsesTheTopLeftOfTheSourceAndRefusesAnEmptyOne) {
  Bitmap24 source(40, 40), dest1, dest2;
  source.Fill(MakeRgb(255, 255, 255));
  ASSERT_TRUE(ComputeLevelPreview(source, FitImportOptions({.DX = 2, .DY = 3}), dest1, dest2));
  EXPECT_EQ(std::pair(dest1.Width(), dest1.Height()), std::pair(16, 3));
  EXPECT_EQ(dest2.Pixel(15, 2), MakeRgb(254, 254, 254));
  const Bitmap24 before = dest1;
  EXPECT_FALSE(ComputeLevelPreview(Bitmap24(), FittedImportOptions(), dest1, dest2));
  EXPECT_EQ(dest1, before);
}

}  // namespace
}  // namespace tinto

#include "core/import/level_preview.h"

#include <gtest/gtest.h>

#include "core/model/palette.h"

namespace tinto {
namespace {

struct LevelCase {
  int value, threshold, hth, expected;
};

class PlainChannelLevelTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(PlainChannelLevelTest, SplitsAtThresholdAndThresholdOverHalfDivisor) {
  const LevelCase& c = GetParam();
  EXPECT_EQ(PlainChannelLevel(c.value, c.threshold, c.hth), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, PlainChannelLevelTest,
    ::testing::Values(LevelCase{100, 100, 100, 254}, LevelCase{99, 100, 100, 177},
                      LevelCase{50, 100, 100, 177}, LevelCase{49, 100, 100, 0},
                      LevelCase{255, 255, 100, 254},                            // 255 reaches 254
                      LevelCase{0, 0, 100, 254}, LevelCase{76, 255, 170, 177},  // 255 / 3.4 = 75
                      LevelCase{74, 255, 170, 0}, LevelCase{53, 90, 85, 177},   // 90 / 1.7 = 52.9..
                      LevelCase{52, 90, 85, 0}, LevelCase{254, 255, 1, 0},      // 255 / 0.02
                      LevelCase{99, 100, 0, 0},  // HTH clamped to 1, never divided by zero
                      LevelCase{13, 100, 256, 0}, LevelCase{20, 100, 256, 177}));  // 19.53..

Bitmap24 TwoPixelSource() {
  Bitmap24 source(2, 1);
  source.SetPixel(0, 0, MakeRgb(200, 60, 10));
  source.SetPixel(1, 0, MakeRgb(0, 255, 120));
  return source;
}

// The previews are already 8 x 2 and white from an earlier preview.
TEST(ComputeLevelPreview, PaintsFrameZeroFromLowAndFrameOneFromHighThresholds) {
  ImportOptions options;
  options.DX = 1;
  options.DY = 2;
  options.LR = options.LG = options.LB = 100;
  options.HR = options.HG = options.HB = 220;
  options.HTH = 100;  // half levels from 50 and 110
  Bitmap24 dest1(8, 2), dest2(8, 2);
  dest1.Fill(MakeRgb(254, 254, 254));
  dest2.Fill(MakeRgb(254, 254, 254));
  ASSERT_TRUE(ComputeLevelPreview(TwoPixelSource(), options, dest1, dest2));
  ASSERT_EQ(dest1.Width(), 8);
  ASSERT_EQ(dest1.Height(), 2);
  EXPECT_EQ(dest1.Pixel(0, 0), MakeRgb(254, 177, 0));
  EXPECT_EQ(dest1.Pixel(1, 0), MakeRgb(0, 254, 254));
  EXPECT_EQ(dest2.Pixel(0, 0), MakeRgb(177, 0, 0));
  EXPECT_EQ(dest2.Pixel(1, 0), MakeRgb(0, 254, 177));
  // Outside the 2 x 1 source everything is black.
  EXPECT_EQ(dest1.Pixel(7, 0), 0u);
  EXPECT_EQ(dest2.Pixel(0, 1), 0u);
}

TEST(ComputeLevelPreview, UsesOnlyTheTopLeftOfALargerSource) {
  Bitmap24 source(40, 40);
  source.Fill(MakeRgb(255, 255, 255));
  ImportOptions options;
  options.DX = 2;
  options.DY = 3;
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ComputeLevelPreview(source, options, dest1, dest2));
  EXPECT_EQ(dest1.Width(), 16);
  EXPECT_EQ(dest1.Height(), 3);
  EXPECT_EQ(dest2.Pixel(15, 2), MakeRgb(254, 254, 254));
}

TEST(ComputeLevelPreview, EmptySourceChangesNothing) {
  Bitmap24 dest1(8, 1), dest2;
  dest1.Fill(MakeRgb(177, 0, 0));
  const Bitmap24 before = dest1;
  EXPECT_FALSE(ComputeLevelPreview(Bitmap24(), ImportOptions{}, dest1, dest2));
  EXPECT_EQ(dest1, before);
  EXPECT_TRUE(dest2.Empty());
}

}  // namespace
}  // namespace tinto

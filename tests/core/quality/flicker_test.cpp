#include "core/quality/flicker.h"

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

// Linear light of the frame intensities: ((177 / 255 + 0.055) / 1.055)^2.4 and the same of 254.
constexpr double kNormal = 0.439657, kBright = 0.991102;
constexpr std::uint8_t kWhitePaper = 7 << 3, kBrightBit = 0x40;

// Paper only (no pixel set): frame 0 shows one attribute, frame 1 another, everywhere.
TEST(Flicker, MeanIsTheLumaDifferenceOfTheFramesColours) {
  struct Case {
    std::uint8_t attr0, attr1;
    double expected;
  };
  const Case cases[] = {
      {kWhitePaper, 0, kNormal},
      {0, kWhitePaper | kBrightBit, kBright},
      {2 << 3, 4 << 3, (0.7152 - 0.2126) * kNormal},  // red against green: luma, not colour
      {kWhitePaper, kWhitePaper, 0.0},
  };
  for (const Case& c : cases) {
    ScreenBuffers screen;
    test::Put(screen, test::Bytes(test::Att(0, 0, 0, c.attr0, 8), test::Att(0, 0, 1, c.attr0, 8),
                                  test::Att(1, 0, 0, c.attr1, 8), test::Att(1, 0, 1, c.attr1, 8)));
    const FlickerFigures figures = MeasureFlicker(screen, test::MakeGeometry(2, 8));
    EXPECT_NEAR(figures.mean, c.expected, 1e-5) << int(c.attr0) << " " << int(c.attr1);
    EXPECT_NEAR(figures.block95, c.expected, 1e-5);
  }
}

// 80 x 12 pixels: 20 blocks, the lower ten only four rows high. Two of those flicker, normal
// white and bright white over black; the 95th percentile lies at rank 0.95 * 19 = 18.05 of the
// sorted block means (18 zeros, kNormal, kBright). A short block's mean is over its own pixels.
TEST(Flicker, PercentileOfBlocksCountsAShortLastRowByItsOwnPixels) {
  ScreenBuffers screen;
  test::Put(screen, test::Bytes(test::Att(0, 8, 3, kWhitePaper, 4),
                                test::Att(0, 8, 7, kWhitePaper | kBrightBit, 4)));
  const FlickerFigures figures = MeasureFlicker(screen, test::MakeGeometry(10, 12));
  EXPECT_NEAR(figures.mean, (kNormal + kBright) * 32 / 960, 1e-6);
  EXPECT_NEAR(figures.block95, kNormal + 0.05 * (kBright - kNormal), 1e-6);
}

}  // namespace
}  // namespace tinto

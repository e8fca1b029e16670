#include "core/quality/picture_score.h"

#include <cmath>

#include "core/model/model_test_helpers.h"
#include "core/quality/color_difference.h"
#include "core/quality/flicker.h"
#include "core/quality/gaussian_filter.h"
#include "core/quality/reference_resize.h"

namespace tinto {
namespace {

// Published CIEDE2000 test pairs (Sharma, Wu and Dalal, 2005), chosen to cover hue wrap-round,
// an undefined hue, opposite hues and the rotation term.
// clang-format off
const std::tuple<Lab, Lab, double> kSharmaPairs[] = {
    {{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
    {{50, -1.3802, -84.2814}, {50, 0, -82.7485}, 1.0000},
    {{50, 0, 0}, {50, -1, 2}, 2.3669},
    {{50, 2.49, -0.001}, {50, -2.49, 0.0009}, 7.1792},
    {{50, 2.49, -0.001}, {50, -2.49, 0.0011}, 7.2195},
    {{50, -0.001, 2.49}, {50, 0.0009, -2.49}, 4.8045},
    {{50, -0.001, 2.49}, {50, 0.0011, -2.49}, 4.7461},
    {{50, 2.5, 0}, {50, 0, -2.5}, 4.3065},
    {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
    {{50, 2.5, 0}, {56, -27, -3}, 31.9030},
    {{50, 2.5, 0}, {50, 3.1736, 0.5854}, 1.0000},
    {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    {{22.7233, 20.0904, -46.694}, {23.0331, 14.973, -42.5619}, 2.0373},
    {{2.0776, 0.0795, -1.135}, {0.9033, -0.0636, -0.5514}, 0.9082},
};
// clang-format on

TEST(ColorDifference, MatchesThePublishedPairsBothWaysRound) {
  for (auto [first, second, expected] : kSharmaPairs) {
    EXPECT_NEAR(Ciede2000(first, second), expected, 1e-4) << expected;
    EXPECT_NEAR(Ciede2000(second, first), expected, 1e-4) << expected;
  }
}

// White and black are the score's own test (L 100 against 0).
TEST(ColorDifference, LabOfMidGrey) {
  // sRGB 0.5 is linear ((0.5 + 0.055) / 1.055)^2.4 = 0.21404; L = 116 * 0.59818 - 16.
  const double grey = SrgbToLinear(0.5);
  EXPECT_NEAR(grey, 0.21404, 1e-5);
  EXPECT_NEAR(LabFromLinear(grey, grey, grey).L, 53.389, 1e-3);
}

TEST(GaussianFilter, KernelOfSigmaOneHasNineTapsAndKeepsAConstant) {
  const std::vector<double> kernel = GaussianKernel(1.0, 4.0);
  ASSERT_EQ(kernel.size(), 9u);
  // 1 / sum of exp(-k^2 / 2) for k = -4..4 = 1 / 2.50663
  EXPECT_NEAR(kernel[4], 0.398943, 1e-6);
  EXPECT_EQ(GaussianKernel(1.5, 3.5).size(), 11u);
  Plane flat(5, 3);  // narrower than the kernel: the mirrored edges still hold the constant
  flat.values.assign(15, 0.25);
  for (double v : GaussianFiltered(flat, kernel).values) EXPECT_NEAR(v, 0.25, 1e-12);
}

// The measure must predict CIEDE2000 itself for small changes: a grey, an orange and a green
// (no blue hues, whose rotation term it leaves out), each nudged in several directions.
TEST(ColorDifference, MetricPredictsSmallDifferences) {
  const std::array<double, 3> colours[] = {{0.2, 0.2, 0.2}, {0.6, 0.3, 0.1}, {0.1, 0.5, 0.2}};
  const std::array<double, 3> nudges[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, -1, 0.5}};
  for (const auto& c : colours) {
    const std::array<double, 6> m = Ciede2000Metric(c[0], c[1], c[2]);
    for (const auto& n : nudges) {
      const std::array<double, 3> d = {n[0] * 1e-3, n[1] * 1e-3, n[2] * 1e-3};
      const double predicted = m[0] * d[0] * d[0] + m[3] * d[1] * d[1] + m[5] * d[2] * d[2] +
                               2 * (m[1] * d[0] * d[1] + m[2] * d[0] * d[2] + m[4] * d[1] * d[2]);
      const double actual = Ciede2000(LabFromLinear(c[0], c[1], c[2]),
                                      LabFromLinear(c[0] + d[0], c[1] + d[1], c[2] + d[2]));
      EXPECT_NEAR(std::sqrt(predicted), actual, 0.05 * actual) << c[0] << " " << n[0] << n[1];
    }
  }
}

using test::Filled;

TEST(ReferenceResize, AveragesInSixteenBitsAndTruncatesToEight) {
  Bitmap24 pair(2, 1);
  pair.SetPixel(1, 0, MakeRgb(255, 255, 255));
  // Both taps weigh the same: 65535 / 2 = 32767.5 rounds to 32768, and 32768 div 257 = 127.
  EXPECT_EQ(ResizeForScore(pair, 1, 1).Pixel(0, 0), MakeRgb(127, 127, 127));
  const Rgb colour = MakeRgb(12, 200, 99);
  EXPECT_EQ(ResizeForScore(Filled(10, 7, colour), 3, 5), Filled(3, 5, colour));
  EXPECT_EQ(ResizeForScore(Filled(3, 2, colour), 16, 9), Filled(16, 9, colour));
}

// Below eleven pixels a side there is no structure figure.
TEST(PictureScore, WhiteAgainstBlackAndNoStructureFigureOfSmallPictures) {
  const PictureScore score =
      ScoreReference(Filled(16, 12, MakeRgb(255, 255, 255))).Score(Filled(16, 12, 0));
  // L 100 against 0 at mean L 50: the lightness term alone, 100 (white keeps a trace of chroma).
  EXPECT_NEAR(score.de00, 100.0, 0.01);
  EXPECT_NEAR(score.de00Blur, score.de00, 1e-9);
  // No variance: (2 * 1 * 0 + C1) / (1 + 0 + C1) with C1 = 0.01^2.
  EXPECT_NEAR(score.ssimY, 0.0001 / 1.0001, 1e-12);
  const Bitmap24 small = Filled(10, 20, MakeRgb(1, 2, 3));
  EXPECT_TRUE(std::isnan(ScoreReference(small).Score(small).ssimY));
}

// Linear light of the frame intensities: ((177 / 255 + 0.055) / 1.055)^2.4 and the same of 254.
constexpr double kNormal = 0.439657, kBright = 0.991102;
constexpr std::uint8_t kWhitePaper = 7 << 3, kBrightBit = 0x40;

// Paper only (no pixel set): frame 0 shows one attribute, frame 1 another, everywhere.
TEST(Flicker, MeanIsTheLumaDifferenceOfTheFramesColours) {
  const std::tuple<std::uint8_t, std::uint8_t, double> cases[] = {
      {kWhitePaper, 0, kNormal},
      {0, kWhitePaper | kBrightBit, kBright},
      {2 << 3, 4 << 3, (0.7152 - 0.2126) * kNormal},  // red against green: luma, not colour
      {kWhitePaper, kWhitePaper, 0.0},
  };
  for (auto [attr0, attr1, expected] : cases) {
    ScreenBuffers screen;
    test::Put(screen, test::Bytes(test::Att(0, 0, 0, attr0, 8), test::Att(0, 0, 1, attr0, 8),
                                  test::Att(1, 0, 0, attr1, 8), test::Att(1, 0, 1, attr1, 8)));
    const FlickerFigures figures = MeasureFlicker(screen, test::MakeGeometry(2, 8));
    EXPECT_NEAR(figures.mean, expected, 1e-5) << int(attr0) << " " << int(attr1);
    EXPECT_NEAR(figures.block95, expected, 1e-5);
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

#include "core/import/plain_attributes.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/model/palette.h"

namespace tinto {
namespace {

constexpr Rgb kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kBrightRed = MakeRgb(254, 0, 0);
constexpr Rgb kBlue = MakeRgb(0, 0, 177);
constexpr Rgb kRed = MakeRgb(177, 0, 0);
constexpr Rgb kGreen = MakeRgb(0, 177, 0);
constexpr Rgb kBrightBlue = MakeRgb(0, 0, 254);
constexpr Rgb kOddYellow = MakeRgb(254, 177, 0);  // code 2 + 4 + 8, not a palette colour

struct RunCase {
  std::vector<Rgb> pixels;  // 8, left to right
  std::uint8_t bits;
  std::uint8_t attr;
};

class FitPlainRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(FitPlainRunTest, FitsInkAndPaperToEightPixels) {
  const RunCase& c = GetParam();
  Bitmap24 dest1(8, 1), dest2(8, 1);
  for (int x = 0; x < 8; ++x) dest2.SetPixel(x, 0, c.pixels[x]);
  ImportOptions options;
  options.DX = 1;
  options.DY = 1;
  ImportResult result;
  FitPlainAttributes(options, result, dest1, dest2);
  EXPECT_EQ(result.PixelByte(1, 0, 0), c.bits);
  EXPECT_EQ(result.AttrByte(1, 0, 0), c.attr);
  EXPECT_EQ(result.PixelByte(0, 0, 0), 0xFF);  // the black frame-0 run
  EXPECT_EQ(result.AttrByte(0, 0, 0), 0x00);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FitPlainRunTest,
    ::testing::Values(
        RunCase{{kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}, 0xFF, 0x00},
        // ink bright red (code 10), paper blue (1): bright from the ink
        RunCase{{kBrightRed, kBlue, kBrightRed, kBlue, kBrightRed, kBlue, kBrightRed, kBrightRed},
                0xAB,
                0x4A},
        // a 4:4 tie goes to the lower code as ink
        RunCase{{kGreen, kRed, kGreen, kRed, kGreen, kRed, kGreen, kRed}, 0x55, 0x22},
        // bright paper does not make the attribute bright
        RunCase{{kGreen, kGreen, kGreen, kGreen, kGreen, kBrightBlue, kBrightBlue, kBrightBlue},
                0xF8,
                0x0C},
        // the odd pixel becomes the paper code but never matches its colour
        RunCase{{kBlack, kBlack, kBlack, kOddYellow, kBlack, kBlack, kBlack, kBlack}, 0xFF, 0x30},
        // a third colour is repainted as ink
        RunCase{{kRed, kRed, kRed, kBlue, kBlue, kGreen, kRed, kRed}, 0xE7, 0x0A}));

TEST(FitPlainAttributes, RepaintsUnmatchedPixelsWithTheInk) {
  Bitmap24 dest1(8, 1), dest2(8, 1);
  dest1.SetPixel(3, 0, kOddYellow);
  dest1.SetPixel(5, 0, MakeRgb(100, 100, 100));  // not a level: counts as black, repainted
  ImportOptions options;
  options.DX = 1;
  options.DY = 1;
  ImportResult result;
  FitPlainAttributes(options, result, dest1, dest2);
  EXPECT_EQ(dest1.Pixel(3, 0), kBlack);
  EXPECT_EQ(dest1.Pixel(5, 0), kBlack);
  EXPECT_EQ(result.PixelByte(0, 0, 0), 0xFF);
}

TEST(FitPlainAttributes, CoversMltWidthColumnsFromColumnZeroWhateverMltLeft) {
  Bitmap24 dest1(32, 2), dest2(32, 2);
  dest1.Fill(kRed);
  dest2.Fill(kRed);
  ImportOptions options;
  options.DX = 4;
  options.DY = 2;
  options.MLTLeft = 2;
  options.MLTWidth = 2;
  options.TintoMode = true;
  ImportResult result;
  FitPlainAttributes(options, result, dest1, dest2);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(result.AttrByte(0, row, 0), 0x02);  // ink red, paper black
    EXPECT_EQ(result.AttrByte(1, row, 1), 0x02);
    EXPECT_EQ(result.AttrByte(0, row, 2), 0x00);
    EXPECT_EQ(result.PixelByte(1, row, 3), 0x00);
  }
  EXPECT_EQ(dest1.Pixel(31, 1), kRed);  // columns past the width keep their levels
}

TEST(FitPlainAttributes, StaysInsidePreviewsSmallerThanTheOptions) {
  Bitmap24 dest1(8, 1), dest2;
  ImportOptions options;  // DX 18, DY 192, MLT Width 18
  ImportResult result;
  result.attrs.fill(0x55);
  FitPlainAttributes(options, result, dest1, dest2);
  EXPECT_EQ(result.AttrByte(0, 0, 0), 0x00);
  EXPECT_EQ(result.AttrByte(0, 0, 1), 0x55);
  EXPECT_EQ(result.AttrByte(1, 0, 0), 0x55);
}

}  // namespace
}  // namespace tinto

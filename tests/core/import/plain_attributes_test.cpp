#include "core/import/plain_attributes.h"

#include "core/import/level_preview.h"
#include "core/model/model_test_helpers.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

constexpr Rgb kRed = MakeRgb(177, 0, 0);

// Letters for the levels the previews hold: k black, r red, g green, b blue, R bright red,
// B bright blue, y the odd yellow (254, 177, 0: code 2 + 4 + 8, no palette colour), e grey
// (100, 100, 100: no level at all).
Rgb Level(char letter) {
  const Rgb levels[] = {MakeRgb(0, 0, 0),     kRed,
                        MakeRgb(0, 177, 0),   MakeRgb(0, 0, 177),
                        MakeRgb(254, 0, 0),   MakeRgb(0, 0, 254),
                        MakeRgb(254, 177, 0), MakeRgb(100, 100, 100)};
  return levels[std::string_view("krgbRBye").find(letter)];
}

// Eight pixels of frame 1 -> pixel byte, attribute and the pixels after the fit, which repaints
// pixels matching neither colour with the ink; frame 0 is black. Bright comes from the ink
// only; a 4:4 tie gives the lower code as ink; the odd yellow becomes the paper code but never
// matches its colour, grey counts as black.
TEST(FitPlainAttributes, FitsInkAndPaperToEightPixels) {
  const std::tuple<const char*, int, int, const char*> cases[] = {
      {"RbRbRbRR", 0xAB, 0x4A, "RbRbRbRR"}, {"grgrgrgr", 0x55, 0x22, "grgrgrgr"},
      {"gggggBBB", 0xF8, 0x0C, "gggggBBB"}, {"kekykkkk", 0xFF, 0x30, "kkkkkkkk"},
      {"rrrbbgrr", 0xE7, 0x0A, "rrrbbrrr"},
  };
  for (auto [pixels, bits, attr, after] : cases) {
    Bitmap24 dest1(8, 1), dest2(8, 1);
    for (int x = 0; x < 8; ++x) dest2.SetPixel(x, 0, Level(pixels[x]));
    ImportResult result;
    FitPlainAttributes(FitImportOptions({.DX = 1, .DY = 1}), result, dest1, dest2);
    EXPECT_EQ(result.PixelByte(1, 0, 0), bits) << pixels;
    EXPECT_EQ(result.AttrByte(1, 0, 0), attr) << pixels;
    EXPECT_EQ(result.PixelByte(0, 0, 0), 0xFF);  // the black frame-0 run
    EXPECT_EQ(result.AttrByte(0, 0, 0), 0x00);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(dest2.Pixel(x, 0), Level(after[x])) << pixels << x;
  }
}

// MLT Width columns from column 0 whatever MLT Left; columns past it keep their levels. Previews
// smaller than the options are not overrun.
TEST(FitPlainAttributes, CoversMltWidthColumnsFromColumnZeroInsideThePreviews) {
  Bitmap24 dest1 = test::Filled(32, 2, kRed), dest2 = dest1;
  ImportResult result;
  FitPlainAttributes(
      FitImportOptions({.TintoMode = true, .DX = 4, .DY = 2, .MLTLeft = 2, .MLTWidth = 2}), result,
      dest1, dest2);
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(result.AttrByte(0, row, 0), 0x02);  // ink red, paper black
    EXPECT_EQ(result.AttrByte(1, row, 1), 0x02);
    EXPECT_EQ(result.AttrByte(0, row, 2) | result.PixelByte(1, row, 3), 0x00);
  }
  EXPECT_EQ(dest1.Pixel(31, 1), kRed);
  Bitmap24 small(8, 1), none;
  ImportResult partial;
  partial.attrs.fill(0x55);
  FitPlainAttributes(FittedImportOptions(), partial, small, none);  // DY 192, MLT Width 18
  EXPECT_EQ(partial.AttrByte(0, 0, 0), 0x00);
  EXPECT_EQ(partial.AttrByte(0, 0, 1), 0x55);
  EXPECT_EQ(partial.AttrByte(1, 0, 0), 0x55);
}

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
  Bitmap24 source(2, 1), dest1 = test::Filled(8, 2, MakeRgb(254, 254, 254)), dest2 = dest1;
  source.SetPixel(0, 0, MakeRgb(200, 60, 10));
  source.SetPixel(1, 0, MakeRgb(0, 255, 120));
  // clang-format off
  const ImportOptions options{.LR = 100, .LG = 100, .LB = 100, .HR = 220, .HG = 220, .HB = 220,
                              .HTH = 100, .DX = 1, .DY = 2};
  // clang-format on
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

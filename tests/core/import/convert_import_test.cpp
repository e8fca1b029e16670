#include "core/import/convert_import.h"

#include <cmath>

#include "core/import/import_options.h"
#include "core/model/model_test_helpers.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

// Every whole-number option set to `value`.
ImportOptions AllNumbers(int value) {
  ImportOptions o;
  o.LR = o.LG = o.LB = o.HR = o.HG = o.HB = o.HTH = o.Contrast = value;
  o.DX = o.DY = o.MLTLeft = o.MLTWidth = value;
  o.FlickerWeight = value;
  return o;
}

Bitmap24 RedSource(int width, int height) {
  return test::Filled(width, height, MakeRgb(200, 0, 0));
}

// The controls' ranges: thresholds 0..255, HTH 1..256, Contrast 0..4, DX 1..32, DY 1..192,
// MLT Left 0..31, MLT Width 1..18, the flicker weight 0..1 (not a number: 0). Fitting then pulls
// the MLT window into DX (5 + 18 into 10 gives 0 + 10); the conversion writes the fitted values
// back and sizes the previews.
TEST(ConvertImport, WritesTheClampedAndFittedOptionsBackAndSizesThePreviews) {
  ImportOptions low = AllNumbers(0), high = AllNumbers(255);
  low.HTH = low.DX = low.DY = low.MLTWidth = 1;
  high.HTH = 256;
  high.Contrast = 4;
  high.DX = 32;
  high.DY = 192;
  high.MLTLeft = 31;
  high.MLTWidth = 18;
  high.FlickerWeight = 1;
  EXPECT_EQ(ClampImportOptions(AllNumbers(-500)), low);
  EXPECT_EQ(ClampImportOptions({.FlickerWeight = std::nan("")}).FlickerWeight, 0.0);
  EXPECT_EQ(ClampImportOptions(AllNumbers(1000)), high);
  ImportOptions options = AllNumbers(1000);
  options.DX = 10;
  options.MLTLeft = 5;
  ImportResult result;
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(RedSource(8, 8), options, result, dest1, dest2));
  high.DX = 10;
  high.MLTLeft = 0;
  high.MLTWidth = 10;
  EXPECT_EQ(options, high);
  EXPECT_EQ(dest1.Width(), 80);
  EXPECT_EQ(dest2.Height(), 192);
}

// 200 is above 255 / 2: normal red in frame 1; everything past MLT Width and DY is cleared.
TEST(ConvertImport, PlainPathFitsTheLevelsAndClearsEverythingElse) {
  ImportOptions options{.HR = 255, .DX = 2, .DY = 1, .MLTWidth = 1};
  ImportResult result;
  result.pixels.fill(0xFF);
  result.attrs.fill(0xFF);
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(RedSource(16, 4), options, result, dest1, dest2));
  EXPECT_EQ(result.AttrByte(0, 0, 0), 0x42);  // ink bright red, paper black
  EXPECT_EQ(result.AttrByte(1, 0, 0), 0x02);
  EXPECT_EQ(result.PixelByte(0, 0, 0), 0xFF);
  EXPECT_EQ(result.PixelByte(0, 0, 1) | result.AttrByte(1, 0, 1) | result.AttrByte(0, 1, 0), 0);
  EXPECT_EQ(dest2.Pixel(15, 0), MakeRgb(177, 0, 0));
}

// 200 shifted by HTH 100 - 128 is 172: a lit row of red, bright, paper 2 and ink 7. Below eight
// rows the result stays cleared; an empty source changes nothing at all.
TEST(ConvertImport, DitherOptionChoosesTheDitheredPath) {
  ImportOptions options{.Contrast = 4, .Dither = true, .DX = 1, .DY = 8};
  ImportResult result;
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(RedSource(8, 8), options, result, dest1, dest2));
  EXPECT_EQ(result.AttrByte(0, 7, 0), 0x57);
  EXPECT_EQ(dest1.Pixel(0, 7), MakeRgb(254, 0, 0));
  options.DY = 7;
  result.attrs.fill(0x11);
  ASSERT_TRUE(ConvertImport(RedSource(8, 8), options, result, dest1, dest2));
  EXPECT_EQ(result.attrs, ScreenBlock{});
  EXPECT_EQ(dest1.Height(), 7);
  options.DX = 99;
  result.attrs.fill(0x33);
  EXPECT_FALSE(ConvertImport(Bitmap24(0, 5), options, result, dest1, dest2));
  EXPECT_EQ(options.DX, 99);
  EXPECT_EQ(result.attrs[0], 0x33);
  EXPECT_EQ(dest1.Height(), 7);
}

}  // namespace
}  // namespace tinto

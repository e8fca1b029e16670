#include "core/import/convert_import.h"

#include <cmath>

#include "core/import/import_options.h"
#include "core/model/model_test_helpers.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

Bitmap24 RedSource(int width, int height) {
  return test::Filled(width, height, MakeRgb(200, 0, 0));
}

// 200 is above 255 / (128 / 50): normal red in frame 1; everything past MLT Width and DY is
// cleared.
TEST(ConvertImport, PlainPathFitsTheLevelsAndClearsEverythingElse) {
  const FittedImportOptions options =
      FitImportOptions({.HR = 255, .Dither = false, .DX = 2, .DY = 1, .MLTWidth = 1});
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
  ImportOptions options{.HTH = 100, .Contrast = 4, .Dither = true, .DX = 1, .DY = 8};
  ImportResult result;
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(RedSource(8, 8), FitImportOptions(options), result, dest1, dest2));
  EXPECT_EQ(result.AttrByte(0, 7, 0), 0x57);
  EXPECT_EQ(dest1.Pixel(0, 7), MakeRgb(254, 0, 0));
  options.DY = 7;
  result.attrs.fill(0x11);
  ASSERT_TRUE(ConvertImport(RedSource(8, 8), FitImportOptions(options), result, dest1, dest2));
  EXPECT_EQ(result.attrs, ScreenBlock{});
  EXPECT_EQ(dest1.Height(), 7);
  options.DX = 9;
  result.attrs.fill(0x33);
  EXPECT_FALSE(ConvertImport(Bitmap24(0, 5), FitImportOptions(options), result, dest1, dest2));
  EXPECT_EQ(result.attrs[0], 0x33);
  EXPECT_EQ(dest1.Height(), 7);
}

}  // namespace
}  // namespace tinto

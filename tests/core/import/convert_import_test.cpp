#include "core/import/convert_import.h"

#include <gtest/gtest.h>

#include "core/model/palette.h"

namespace tinto {
namespace {

Bitmap24 RedSource(int width, int height) {
  Bitmap24 source(width, height);
  source.Fill(MakeRgb(200, 0, 0));
  return source;
}

TEST(ConvertImport, WritesTheClampedOptionsBack) {
  ImportOptions options;
  options.DX = 10;
  options.MLTLeft = 5;
  options.MLTWidth = 18;
  options.HTH = 300;
  options.LR = -5;
  ImportResult result;
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(RedSource(8, 8), options, result, dest1, dest2));
  EXPECT_EQ(options.MLTLeft, 0);
  EXPECT_EQ(options.MLTWidth, 10);
  EXPECT_EQ(options.HTH, 256);
  EXPECT_EQ(options.LR, 0);
  EXPECT_EQ(dest1.Width(), 80);
  EXPECT_EQ(dest2.Height(), 192);
}

TEST(ConvertImport, PlainPathFitsTheLevelsAndClearsEverythingElse) {
  ImportOptions options;
  options.DX = 2;
  options.DY = 1;
  options.MLTWidth = 1;
  options.HR = 255;  // 200 is above 255 / 2: normal red in frame 1
  ImportResult result;
  result.pixels.fill(0xFF);
  result.attrs.fill(0xFF);
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(RedSource(16, 4), options, result, dest1, dest2));
  EXPECT_EQ(result.AttrByte(0, 0, 0), 0x42);  // ink bright red, paper black
  EXPECT_EQ(result.AttrByte(1, 0, 0), 0x02);
  EXPECT_EQ(result.PixelByte(0, 0, 0), 0xFF);
  EXPECT_EQ(result.PixelByte(0, 0, 1), 0x00);  // beyond MLT Width
  EXPECT_EQ(result.AttrByte(1, 0, 1), 0x00);
  EXPECT_EQ(result.AttrByte(0, 1, 0), 0x00);  // beyond DY
  EXPECT_EQ(dest2.Pixel(15, 0), MakeRgb(177, 0, 0));
}

TEST(ConvertImport, DitheredPathBelowEightRowsLeavesTheResultCleared) {
  ImportOptions options;
  options.Dither = true;
  options.DY = 7;
  ImportResult result;
  result.attrs.fill(0x11);
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(RedSource(8, 8), options, result, dest1, dest2));
  EXPECT_EQ(result.attrs, ScreenBlock{});
  EXPECT_EQ(dest1.Height(), 7);
}

TEST(ConvertImport, DitherOptionChoosesTheDitheredPath) {
  ImportOptions options;
  options.Dither = true;
  options.Contrast = 4;
  options.DX = 1;
  options.DY = 8;
  ImportResult result;
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(RedSource(8, 8), options, result, dest1, dest2));
  // 200 shifted by HTH 100 - 128 is 172: a lit row of red, bright, paper 2 and ink 7.
  EXPECT_EQ(result.AttrByte(0, 7, 0), 0x57);
  EXPECT_EQ(dest1.Pixel(0, 7), MakeRgb(254, 0, 0));
}

TEST(ConvertImport, EmptySourceChangesNothing) {
  ImportOptions options;
  options.DX = 99;
  ImportResult result;
  result.attrs.fill(0x33);
  Bitmap24 dest1, dest2;
  EXPECT_FALSE(ConvertImport(Bitmap24(0, 5), options, result, dest1, dest2));
  EXPECT_EQ(options.DX, 99);
  EXPECT_EQ(result.attrs[0], 0x33);
  EXPECT_TRUE(dest1.Empty());
}

}  // namespace
}  // namespace tinto

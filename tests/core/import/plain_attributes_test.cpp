#include "core/import/plain_attributes.h"

#include "core/model/palette.h"
#include "support/test_common.h"

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
  const struct {
    const char* pixels;
    int bits, attr;
    const char* after;
  } cases[] = {
      {"RbRbRbRR", 0xAB, 0x4A, "RbRbRbRR"}, {"grgrgrgr", 0x55, 0x22, "grgrgrgr"},
      {"gggggBBB", 0xF8, 0x0C, "gggggBBB"}, {"kekykkkk", 0xFF, 0x30, "kkkkkkkk"},
      {"rrrbbgrr", 0xE7, 0x0A, "rrrbbrrr"},
  };
  for (const auto& c : cases) {
    Bitmap24 dest1(8, 1), dest2(8, 1);
    for (int x = 0; x < 8; ++x) dest2.SetPixel(x, 0, Level(c.pixels[x]));
    ImportResult result;
    FitPlainAttributes(FitImportOptions({.DX = 1, .DY = 1}), result, dest1, dest2);
    EXPECT_EQ(result.PixelByte(1, 0, 0), c.bits) << c.pixels;
    EXPECT_EQ(result.AttrByte(1, 0, 0), c.attr) << c.pixels;
    EXPECT_EQ(result.PixelByte(0, 0, 0), 0xFF);  // the black frame-0 run
    EXPECT_EQ(result.AttrByte(0, 0, 0), 0x00);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(dest2.Pixel(x, 0), Level(c.after[x])) << c.pixels << x;
  }
}

// MLT Width columns from column 0 whatever MLT Left; columns past it keep their levels. Previews
// smaller than the options are not overrun.
TEST(FitPlainAttributes, CoversMltWidthColumnsFromColumnZeroInsideThePreviews) {
  Bitmap24 dest1(32, 2), dest2(32, 2);
  dest1.Fill(kRed);
  dest2.Fill(kRed);
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

}  // namespace
}  // namespace tinto

#include "core/import/dithered_conversion.h"

#include <cmath>
#include <cstdio>

#include "core/import/conversion_test_helpers.h"
#include "core/import/import_options.h"
#include "core/model/model_test_helpers.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

// Row y of the source has the colour numbers (blue 1, red 2, green 4) of rows[y], or of the last
// row given, each digit standing for `run` pixels at full intensity.
Bitmap24 Source(const std::vector<std::string>& rows, int run = 1, int height = 8) {
  Bitmap24 source(static_cast<int>(rows[0].size()) * run, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < source.Width(); ++x) {
      const int c = rows[std::min<std::size_t>(y, rows.size() - 1)][x / run] - '0';
      source.SetPixel(x, y, MakeRgb(c & 2 ? 255 : 0, c & 4 ? 255 : 0, c & 1 ? 255 : 0));
    }
  return source;
}

// Hard thresholds at 128, every cell bright, source unshifted; the MLT window over columns
// left..left + width - 1.
ImportOptions HardOptions(int dx, int dy, int left = 0, int width = 18) {
  // clang-format off
  return {.LR = 128, .LG = 128, .LB = 128, .HR = 128, .HG = 128, .HB = 128, .HTH = 128,
          .Contrast = 4, .Dither = true, .DX = dx, .DY = dy, .MLTLeft = left, .MLTWidth = width};
  // clang-format on
}

using test::Convert;
using test::Converted;

// Rows first..first + 7 of a byte column of frame f as "attribute:pixels" in hex.
std::string Column(const ImportResult& r, FrameIndex f, int column, int first = 0) {
  std::string text;
  char cell[8];
  for (int y = first; y < first + 8; ++y) {
    std::snprintf(cell, sizeof cell, "%02X:%02X ", r.AttrByte(f, y, column),
                  r.PixelByte(f, y, column));
    text += cell;
  }
  text.pop_back();
  return text;
}

// Contrast, Bright, HTH, red threshold, red value -> pixels lit in frame 0 of an 8x8 cell (column
// 0, left of the window) and whether it is bright. Contrast c gives ramp step 4 - c, lighting the
// pixels whose dither matrix value M is at least 65 - count: at 128 with step 4 M >= 33, at 255
// all but M = 1; at step 2 from 100 M >= 33, at step 1 with 90 M >= 43. A threshold of 255
// switches the channel off. Bright off shifts the source by HTH - 128 (212 + 42 = 254, 128 - 127 =
// 1) and makes every cell bright; Bright on makes a cell non-bright when its channel means are at
// most 256 - HTH (86 with HTH 170).
TEST(ConvertDithered, LightsTheRampsShareOfAnEightByEightCell) {
  const int cases[][7] = {
      {0, 1, 100, 128, 0, 0, 0},    {0, 1, 100, 128, 128, 32, 0}, {0, 1, 100, 128, 255, 63, 1},
      {4, 1, 100, 128, 128, 64, 0}, {4, 1, 100, 128, 127, 0, 0},  {2, 1, 100, 100, 100, 32, 0},
      {3, 1, 100, 100, 90, 22, 0},  {4, 1, 100, 255, 255, 0, 1},  {0, 1, 100, 255, 255, 0, 1},
      {4, 0, 170, 254, 212, 64, 1}, {4, 0, 170, 254, 211, 0, 1},  {4, 0, 1, 1, 128, 64, 1},
      {4, 0, 1, 1, 127, 0, 1},      {4, 1, 170, 255, 86, 0, 0},   {4, 1, 170, 255, 87, 0, 1},
  };
  for (auto [contrast, bright, hth, threshold, red, lit, brightCell] : cases) {
    SCOPED_TRACE(testing::Message() << "contrast " << contrast << " bright " << bright << " HTH "
                                    << hth << " threshold " << threshold << " red " << red);
    ImportOptions options = HardOptions(2, 8, 1, 1);
    options.Contrast = contrast;
    options.Bright = bright;
    options.HTH = hth;
    options.LR = threshold;
    const Converted out = Convert(test::Filled(8, 8, MakeRgb(red, 0, 0)), options);
    int litPixels = 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) litPixels += RedOf(out.dest1.Pixel(x, y)) != 0;
    EXPECT_EQ(litPixels, lit);
    EXPECT_EQ((out.result.AttrByte(0, 0, 0) & 0x40) != 0, brightCell);
  }
}

// Contrast 0 at 128 lights M >= 33: a checker of red ink (2) over black paper. At 255 every pixel
// but M(4, 6) = 1 is lit: the red paper takes the lit ones, the one unlit pixel is black ink.
TEST(ConvertDithered, HalfLitAndNearlyLitCellsAreDitheredIntoInkAndPaper) {
  ImportOptions options = HardOptions(1, 8);
  options.Contrast = 0;
  options.Bright = true;
  options.HTH = 100;
  EXPECT_EQ(Column(Convert(test::Filled(8, 8, MakeRgb(128, 0, 0)), options).result, 0, 0),
            "02:55 02:AA 02:55 02:AA 02:55 02:AA 02:55 02:AA");
  options = HardOptions(2, 8, 1, 1);
  options.Contrast = 0;
  EXPECT_EQ(Column(Convert(test::Filled(16, 8, MakeRgb(255, 0, 0)), options).result, 0, 0),
            "50:00 50:00 50:00 50:00 50:00 50:00 50:08 50:00");
}

// 8x8 cells of colour 5 (column 0) and colour 2 (column 2) get inks 0 and 7; between them an
// 8x1 column with rows of colour 7 and of colour 0.
TEST(ConvertDithered, OneColouredCellsGetTheirFixedInks) {
  const Converted out =
      Convert(Source({"572", "572", "572", "572", "502"}, 8), HardOptions(3, 8, 1, 1));
  EXPECT_EQ(Column(out.result, 1, 0), "68:00 68:00 68:00 68:00 68:00 68:00 68:00 68:00");
  EXPECT_EQ(Column(out.result, 1, 1), "7E:00 7E:00 7E:00 7E:00 47:00 47:00 47:00 47:00");
  EXPECT_EQ(Column(out.result, 1, 2), "57:00 57:00 57:00 57:00 57:00 57:00 57:00 57:00");
  EXPECT_EQ(out.dest2.Pixel(3, 3), MakeRgb(0, 254, 254));
  EXPECT_EQ(out.dest1.Pixel(12, 2), MakeRgb(254, 254, 254));
}

// Counts 3, 3, 2 of colours 0, 1, 2: paper 0, ink 1, and colour 2 falls on the ink side. Frame 1
// reads the high thresholds: red 150 is lit at 100 (frame 0) and not at 200 (frame 1).
TEST(ConvertDithered, ThirdColourFollowsTheSplitAndFrameOneUsesTheHighThresholds) {
  Converted out = Convert(Source({"00011122", "00000000"}), HardOptions(1, 8));
  EXPECT_EQ(out.result.AttrByte(0, 0, 0), 0x41);  // paper 0, ink 1
  EXPECT_EQ(out.result.PixelByte(0, 0, 0), 0x1F);
  EXPECT_EQ(out.dest1.Pixel(7, 0), MakeRgb(0, 0, 254));  // painted as the ink
  ImportOptions options = HardOptions(1, 8);
  options.LR = 100;
  options.HR = 200;
  out = Convert(test::Filled(8, 8, MakeRgb(150, 0, 0)), options);
  EXPECT_EQ(out.result.AttrByte(0, 0, 0), 0x57);  // row of red: paper 2, ink 7
  EXPECT_EQ(out.result.AttrByte(1, 0, 0), 0x47);  // row of black: paper 0, ink 7
}

// The layout of each column of a source whose rows are coloured 7, 0, 0, 0, 7, 7, 7, 7: '1' 8x1
// cells, '8' an 8x8 cell (paper 7, ink 0 over the three black rows), '2' 8x2 cells (colours 7
// and 0 tie at 8: paper 0, ink 7), '0' nothing converted.
TEST(ConvertDithered, LaysOutCellsByBand) {
  const std::pair<char, std::string> kLayouts[] = {
      {'1', "7E:00 47:00 47:00 47:00 7E:00 7E:00 7E:00 7E:00"},
      {'8', "78:00 78:FF 78:FF 78:FF 78:00 78:00 78:00 78:00"},
      {'2', "47:FF 47:00 47:00 47:00 7E:00 7E:00 7E:00 7E:00"},
      {'0', "00:00 00:00 00:00 00:00 00:00 00:00 00:00 00:00"}};
  // DX, MLT Left, MLT Width, Tinto 8x2 -> one layout character per column 0..31.
  const std::tuple<int, int, int, int, std::string> cases[] = {
      {10, 5, 18, 0, std::string(10, '1') + std::string(22, '0')},
      {6, 2, 2, 0, "881188" + std::string(26, '0')},
      {5, 3, 2, 0, "88811" + std::string(27, '0')},
      {3, 1, 1, 1, "222" + std::string(29, '0')},
      {32, 31, 18, 0, std::string(14, '8') + std::string(18, '1')}};
  const std::string white(32, '7'), black(32, '0');
  const Bitmap24 source = Source({white, black, black, black, white}, 8);
  for (const auto& [dx, left, width, tintoMode, layouts] : cases) {
    ImportOptions options = HardOptions(dx, 8, left, width);
    options.TintoMode = tintoMode;
    const Converted out = Convert(source, options);
    std::string found(32, '?');
    for (int column = 0; column < 32; ++column)
      for (const auto& [layout, text] : kLayouts)
        if (Column(out.result, 0, column) == text) found[column] = layout;
    EXPECT_EQ(found, layouts) << dx << " " << left << "+" << width;
  }
}

// Only whole character rows are converted: the last DY mod 8 rows stay cleared and black.
TEST(ConvertDithered, ConvertsWholeCharacterRowsOnly) {
  const Converted out = Convert(Source({"7"}, 8, 100), HardOptions(1, 100));
  for (FrameIndex f : {0, 1})
    EXPECT_EQ(Column(out.result, f, 0, 92), "7E:00 7E:00 7E:00 7E:00 00:00 00:00 00:00 00:00");
  EXPECT_EQ(out.dest1.Height(), 100);
  for (int y = 96; y < 100; ++y) EXPECT_EQ(out.dest1.Pixel(0, y), 0u);
}

// Below eight rows is the dither option's test (ConvertImport).
TEST(ConvertDithered, DoesNothingWithoutSource) {
  Bitmap24 dest1 = test::Filled(8, 7, MakeRgb(177, 0, 0)), dest2(8, 7);
  const Bitmap24 before = dest1;
  ImportResult result;
  EXPECT_FALSE(
      ConvertDithered(Bitmap24(), FitImportOptions(HardOptions(1, 8)), result, dest1, dest2));
  EXPECT_EQ(dest1, before);
  EXPECT_EQ(result.attrs, ScreenBlock{});
}

// Cells not wholly inside a 12 x 12 white source are converted from black; with Bright off the
// shift raises that black too (HTH 255: black becomes 127, at the thresholds).
TEST(ConvertDithered, CellsNotWhollyInsideTheSourceAreConvertedFromBlack) {
  const Converted out = Convert(Source({"777777777777"}, 1, 12), HardOptions(2, 16));  // all 8x1
  EXPECT_EQ(out.result.AttrByte(0, 0, 0), 0x7E);
  EXPECT_EQ(out.result.AttrByte(0, 0, 1), 0x47);   // columns 8..11 exist, 12..15 do not
  EXPECT_EQ(out.result.AttrByte(0, 11, 0), 0x47);  // likewise rows
  EXPECT_EQ(out.dest1.Pixel(9, 0), 0u);
  ImportOptions options = HardOptions(2, 8);
  options.HTH = 255;
  options.LR = options.LG = options.LB = 127;
  const Converted shifted = Convert(Bitmap24(8, 8), options);
  EXPECT_EQ(shifted.result.AttrByte(0, 0, 0), 0x7E);
  EXPECT_EQ(shifted.result.AttrByte(0, 0, 1), 0x7E);
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
  ASSERT_TRUE(
      ConvertImport(test::Filled(16, 4, MakeRgb(200, 0, 0)), options, result, dest1, dest2));
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
  const Bitmap24 red = test::Filled(8, 8, MakeRgb(200, 0, 0));
  ImportResult result;
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertImport(red, FitImportOptions(options), result, dest1, dest2));
  EXPECT_EQ(result.AttrByte(0, 7, 0), 0x57);
  EXPECT_EQ(dest1.Pixel(0, 7), MakeRgb(254, 0, 0));
  options.DY = 7;
  result.attrs.fill(0x11);
  ASSERT_TRUE(ConvertImport(red, FitImportOptions(options), result, dest1, dest2));
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

#include "core/import/dithered_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/palette.h"

namespace tinto {
namespace {

// Full-intensity source colour of a colour number (blue 1, red 2, green 4).
Rgb SourceColor(int color) {
  return MakeRgb(color & 2 ? 255 : 0, color & 4 ? 255 : 0, color & 1 ? 255 : 0);
}

// Hard thresholds at 128, every cell bright, source unshifted.
ImportOptions HardOptions(int dx, int dy) {
  ImportOptions options;
  options.Dither = true;
  options.Contrast = 4;
  options.LR = options.LG = options.LB = options.HR = options.HG = options.HB = 128;
  options.HTH = 128;
  options.DX = dx;
  options.DY = dy;
  return options;
}

// A source whose pixel row y has colour number rowColors[y % 8] throughout.
Bitmap24 RowSource(int width, int height, const std::vector<int>& rowColors) {
  Bitmap24 source(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) source.SetPixel(x, y, SourceColor(rowColors[y % 8]));
  return source;
}

struct Converted {
  ImportResult result;
  Bitmap24 dest1, dest2;
};

Converted Convert(const Bitmap24& source, const ImportOptions& options) {
  Converted c;
  EXPECT_TRUE(ConvertDithered(source, options, c.result, c.dest1, c.dest2));
  return c;
}

struct DitherCase {
  int contrast;
  bool bright;
  int hth, threshold, red;
  int litCount;  // pixels of the 8x8 cell whose red channel is lit in frame 0
  bool brightCell;
};

class DitheredLitCountTest : public ::testing::TestWithParam<DitherCase> {};

TEST_P(DitheredLitCountTest, LightsTheRampsShareOfAnEightByEightCell) {
  const DitherCase& c = GetParam();
  Bitmap24 source(8, 8);
  source.Fill(MakeRgb(c.red, 0, 0));
  ImportOptions options = HardOptions(2, 8);
  options.MLTLeft = 1;  // column 0 in an 8x8 cell
  options.MLTWidth = 1;
  options.Contrast = c.contrast;
  options.Bright = c.bright;
  options.HTH = c.hth;
  options.LR = c.threshold;
  Converted out = Convert(source, options);
  int lit = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) lit += RedOf(out.dest1.Pixel(x, y)) != 0;
  EXPECT_EQ(lit, c.litCount);
  EXPECT_EQ((out.result.AttrByte(0, 0, 0) & 0x40) != 0, c.brightCell);
}

INSTANTIATE_TEST_SUITE_P(
    Ramps, DitheredLitCountTest,
    ::testing::Values(DitherCase{0, true, 100, 128, 0, 0, false},     // 0 lit nowhere
                      DitherCase{0, true, 100, 128, 128, 32, false},  // M >= 33
                      DitherCase{0, true, 100, 128, 255, 63, true},   // all but M = 1
                      DitherCase{4, true, 100, 128, 128, 64, false},  // hard v >= t
                      DitherCase{4, true, 100, 128, 127, 0, false},
                      DitherCase{2, true, 100, 100, 100, 32, false},  // step 2: M >= 33
                      DitherCase{3, true, 100, 100, 90, 22, false},   // step 1: M >= 43
                      DitherCase{4, true, 100, 255, 255, 0, true},    // 255 switches it off
                      DitherCase{0, true, 100, 255, 255, 0, true},
                      DitherCase{4, false, 170, 254, 212, 64, true},  // raised by 42 to 254
                      DitherCase{4, false, 170, 254, 211, 0, true},
                      DitherCase{4, false, 1, 1, 128, 64, true},  // lowered by 127 to 1
                      DitherCase{4, false, 1, 1, 127, 0, true},
                      DitherCase{4, true, 170, 255, 86, 0, false},  // mean 86 <= 256 - 170
                      DitherCase{4, true, 170, 255, 87, 0, true}));

TEST(ConvertDithered, HalfLitCellIsACheckerOfInkOverBlackPaper) {
  Bitmap24 source(8, 8);
  source.Fill(MakeRgb(128, 0, 0));
  ImportOptions options = HardOptions(1, 8);
  options.Contrast = 0;
  options.Bright = true;
  options.HTH = 100;
  Converted out = Convert(source, options);
  for (int y = 0; y < 8; ++y) {
    EXPECT_EQ(out.result.PixelByte(0, y, 0), y % 2 ? 0xAA : 0x55) << y;
    EXPECT_EQ(out.result.AttrByte(0, y, 0), 0x02) << y;  // ink red, paper black
  }
}

TEST(ConvertDithered, NearlyLitBlockSetsOnlyItsOneUnlitPixel) {
  Bitmap24 source(16, 8);
  source.Fill(MakeRgb(255, 0, 0));
  ImportOptions options = HardOptions(2, 8);
  options.MLTLeft = 1;
  options.MLTWidth = 1;
  options.Contrast = 0;
  Converted out = Convert(source, options);
  for (int y = 0; y < 8; ++y) {
    EXPECT_EQ(out.result.PixelByte(0, y, 0), y == 6 ? 0x08 : 0x00) << y;  // M(4, 6) = 1
    EXPECT_EQ(out.result.AttrByte(0, y, 0), 0x50) << y;  // paper red, ink black, bright
  }
}

TEST(ConvertDithered, OneColouredCellsGetTheirFixedInks) {
  // 8x8 cells of colour 5 (column 0) and colour 2 (column 2); between them an 8x1 column with
  // rows of colour 7 and of colour 0.
  const int columnColors[3][8] = {
      {5, 5, 5, 5, 5, 5, 5, 5}, {7, 7, 7, 7, 0, 0, 0, 0}, {2, 2, 2, 2, 2, 2, 2, 2}};
  Bitmap24 source(24, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 24; ++x) source.SetPixel(x, y, SourceColor(columnColors[x / 8][y]));
  ImportOptions options = HardOptions(3, 8);
  options.MLTLeft = 1;
  options.MLTWidth = 1;
  Converted out = Convert(source, options);
  for (int y = 0; y < 8; ++y) {
    EXPECT_EQ(out.result.AttrByte(1, y, 0), 0x68);  // paper 5, ink 0
    EXPECT_EQ(out.result.AttrByte(1, y, 1), y < 4 ? 0x7E : 0x47);
    EXPECT_EQ(out.result.AttrByte(0, y, 2), 0x57);  // paper 2, ink 7
    for (int column = 0; column < 3; ++column) EXPECT_EQ(out.result.PixelByte(1, y, column), 0);
  }
  EXPECT_EQ(out.dest2.Pixel(3, 3), MakeRgb(0, 254, 254));
  EXPECT_EQ(out.dest1.Pixel(12, 2), MakeRgb(254, 254, 254));
}

TEST(ConvertDithered, ThirdColourFollowsTheSplitOfInkAndPaper) {
  Bitmap24 source(8, 8);
  const int colors[8] = {0, 0, 0, 1, 1, 1, 2, 2};  // counts 3, 3, 2
  for (int x = 0; x < 8; ++x) source.SetPixel(x, 0, SourceColor(colors[x]));
  Converted out = Convert(source, HardOptions(1, 8));
  EXPECT_EQ(out.result.AttrByte(0, 0, 0), 0x41);  // paper 0, ink 1
  EXPECT_EQ(out.result.PixelByte(0, 0, 0), 0x1F);
  EXPECT_EQ(out.dest1.Pixel(7, 0), MakeRgb(0, 0, 254));  // painted as the ink
}

TEST(ConvertDithered, FrameOneUsesTheHighThresholds) {
  Bitmap24 source(8, 8);
  source.Fill(MakeRgb(150, 0, 0));
  ImportOptions options = HardOptions(1, 8);
  options.LR = 100;
  options.HR = 200;
  Converted out = Convert(source, options);
  EXPECT_EQ(out.result.AttrByte(0, 0, 0), 0x57);  // row of red: paper 2, ink 7
  EXPECT_EQ(out.result.AttrByte(1, 0, 0), 0x47);  // row of black: paper 0, ink 7
}

// Layout of a converted column, told apart by the rows colours 7, 0, 0, 0, 7, 7, 7, 7.
char LayoutOfColumn(const ImportResult& result, int column) {
  std::vector<int> attrs, bits;
  for (int y = 0; y < 8; ++y) {
    attrs.push_back(result.AttrByte(0, y, column));
    bits.push_back(result.PixelByte(0, y, column));
  }
  if (attrs == std::vector<int>{0x7E, 0x47, 0x47, 0x47, 0x7E, 0x7E, 0x7E, 0x7E}) return '1';
  if (attrs == std::vector<int>(8, 0x78) && bits == std::vector<int>{0, 255, 255, 255, 0, 0, 0, 0})
    return '8';
  if (attrs == std::vector<int>{0x47, 0x47, 0x47, 0x47, 0x7E, 0x7E, 0x7E, 0x7E} &&
      bits == std::vector<int>{255, 0, 0, 0, 0, 0, 0, 0})
    return '2';
  return attrs == std::vector<int>(8, 0) ? '0' : '?';
}

struct BandCase {
  int dx, left, width;
  bool tintoMode;
  std::string layouts;  // one character per column 0..31
};

class DitheredBandTest : public ::testing::TestWithParam<BandCase> {};

TEST_P(DitheredBandTest, LaysOutCellsByBand) {
  const BandCase& c = GetParam();
  ImportOptions options = HardOptions(c.dx, 8);
  options.MLTLeft = c.left;
  options.MLTWidth = c.width;
  options.TintoMode = c.tintoMode;
  Converted out = Convert(RowSource(256, 8, {7, 0, 0, 0, 7, 7, 7, 7}), options);
  std::string layouts;
  for (int column = 0; column < 32; ++column) layouts += LayoutOfColumn(out.result, column);
  EXPECT_EQ(layouts, c.layouts);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, DitheredBandTest,
    ::testing::Values(BandCase{10, 5, 18, false, std::string(10, '1') + std::string(22, '0')},
                      BandCase{6, 2, 2, false, "881188" + std::string(26, '0')},
                      BandCase{5, 3, 2, false, "88811" + std::string(27, '0')},
                      BandCase{3, 1, 1, true, "222" + std::string(29, '0')},
                      BandCase{32, 31, 18, false, std::string(14, '8') + std::string(18, '1')}));

TEST(ConvertDithered, ConvertsWholeCharacterRowsOnly) {
  Bitmap24 source(8, 100);
  source.Fill(SourceColor(7));
  ImportResult result;
  Bitmap24 dest1, dest2;
  ASSERT_TRUE(ConvertDithered(source, HardOptions(1, 100), result, dest1, dest2));
  EXPECT_EQ(result.AttrByte(0, 95, 0), 0x7E);
  EXPECT_EQ(dest1.Height(), 100);
  for (int y = 96; y < 100; ++y) {
    EXPECT_EQ(result.AttrByte(0, y, 0), 0);
    EXPECT_EQ(result.AttrByte(1, y, 0), 0);
    EXPECT_EQ(dest1.Pixel(0, y), 0u);
  }
}

TEST(ConvertDithered, DoesNothingBelowEightRowsOrWithoutSource) {
  Bitmap24 source(8, 8), dest1(8, 7), dest2(8, 7);
  source.Fill(SourceColor(7));
  dest1.Fill(MakeRgb(177, 0, 0));
  const Bitmap24 before = dest1;
  ImportResult result;
  EXPECT_FALSE(ConvertDithered(source, HardOptions(1, 7), result, dest1, dest2));
  EXPECT_FALSE(ConvertDithered(Bitmap24(), HardOptions(1, 8), result, dest1, dest2));
  EXPECT_EQ(dest1, before);
  EXPECT_EQ(result.attrs, ScreenBlock{});
}

TEST(ConvertDithered, CellsNotWhollyInsideTheSourceAreConvertedFromBlack) {
  Bitmap24 source(12, 12);
  source.Fill(SourceColor(7));
  Converted out = Convert(source, HardOptions(2, 16));  // all 8x1
  EXPECT_EQ(out.result.AttrByte(0, 0, 0), 0x7E);
  EXPECT_EQ(out.result.AttrByte(0, 0, 1), 0x47);   // columns 8..11 exist, 12..15 do not
  EXPECT_EQ(out.result.AttrByte(0, 11, 0), 0x47);  // likewise rows
  EXPECT_EQ(out.dest1.Pixel(9, 0), 0u);
}

TEST(ConvertDithered, BrightOffShiftAlsoRaisesTheBlackOfCellsOutsideTheSource) {
  Bitmap24 source(8, 8);
  ImportOptions options = HardOptions(2, 8);
  options.HTH = 255;  // black becomes 127
  options.LR = options.LG = options.LB = 127;
  Converted out = Convert(source, options);
  EXPECT_EQ(out.result.AttrByte(0, 0, 0), 0x7E);
  EXPECT_EQ(out.result.AttrByte(0, 0, 1), 0x7E);
}

}  // namespace
}  // namespace tinto

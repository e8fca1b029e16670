#include "core/model/palette.h"

#include "support/test_common.h"

namespace tinto {
namespace {

// Normal colours at 177, bright ones at 254; bright black is black. Attribute colours take the
// ink or paper bits with the shared bright, bit 7 ignored; short names say "Br." except on black.
TEST(Palette, GivesColoursAndNames) {
  const std::tuple<ColorIndex, const char*, Rgb> entries[] = {
      {0, "Black", MakeRgb(0, 0, 0)},
      {1, "Blue", MakeRgb(0, 0, 177)},
      {6, "Yellow", MakeRgb(177, 177, 0)},
      {8, "Black", MakeRgb(0, 0, 0)},
      {11, "Bright Magenta", MakeRgb(254, 0, 254)},
      {15, "Bright White", MakeRgb(254, 254, 254)}};
  for (auto [index, name, color] : entries) {
    EXPECT_EQ(PaletteColor(index), color) << index;
    EXPECT_EQ(ColorName(index), name);
  }
  const std::tuple<std::uint8_t, ColorPart, Rgb, const char*> attrs[] = {
      {0x4A, ColorPart::Ink, MakeRgb(254, 0, 0), "Br.Red"},
      {0x4A, ColorPart::Paper, MakeRgb(0, 0, 254), "Br.Blu"},
      {0xB8, ColorPart::Paper, MakeRgb(177, 177, 177), "Wht"},
      {0x26, ColorPart::Ink, MakeRgb(177, 177, 0), "Yel"},
      {0x26, ColorPart::Paper, MakeRgb(0, 177, 0), "Grn"},
      {0x40, ColorPart::Ink, MakeRgb(0, 0, 0), "Blk"},
      {0x6D, ColorPart::Ink, MakeRgb(0, 254, 254), "Br.Cyn"}};
  for (auto [attr, part, color, shortName] : attrs) {
    EXPECT_EQ(AttrColor(attr, part), color) << int(attr);
    EXPECT_EQ(ShortColorName(attr, part), shortName) << int(attr);
  }
}

// Set and bright of one component in frames 0 and 1 -> intensity and level, whichever frame
// holds which; bright alone is nothing.
TEST(Palette, MixComponentDependsOnTheUnorderedPairOfLevels) {
  const int cases[][6] = {{0, 0, 0, 0, 0, 0},   {0, 0, 1, 1, 0, 0},   {0, 1, 0, 0, 127, 1},
                          {1, 0, 0, 1, 127, 1}, {1, 1, 0, 0, 177, 2}, {1, 0, 1, 0, 199, 3},
                          {0, 1, 1, 1, 199, 3}, {1, 1, 0, 1, 223, 4}, {1, 1, 1, 0, 223, 4},
                          {1, 1, 1, 1, 254, 5}};
  for (auto [set0, set1, bright0, bright1, intensity, level] : cases) {
    SCOPED_TRACE(testing::Message() << set0 << set1 << bright0 << bright1);
    EXPECT_EQ(MixComponent(set0, set1, bright0, bright1), intensity);
    EXPECT_EQ(MixComponent(set1, set0, bright1, bright0), intensity);
    EXPECT_EQ(MixLevelOf(set0, set1, bright0, bright1), level);
    EXPECT_EQ(MixLevelIntensity(level), intensity);
  }
}

// Red, green, blue levels, bright allowed, paper -> frame 0 and frame 1 colours. Red 3 and
// green 2: the bright of red raises frame 0's green, which then reads back as 4.
TEST(Palette, ColorsFromMixLevelsBuildBothFramesColours) {
  const int cases[][7] = {
      {5, 5, 5, 1, 0, 0x47, 0x47}, {5, 5, 5, 0, 0, 0x07, 0x07}, {5, 5, 5, 1, 1, 0x78, 0x78},
      {5, 5, 5, 0, 1, 0x38, 0x38}, {0, 0, 0, 1, 0, 0x00, 0x00}, {1, 0, 0, 1, 0, 0x00, 0x02},
      {2, 0, 0, 1, 0, 0x02, 0x02}, {3, 0, 0, 1, 0, 0x42, 0x00}, {4, 0, 0, 1, 0, 0x02, 0x42},
      {0, 1, 0, 1, 1, 0x00, 0x20}, {0, 0, 3, 1, 1, 0x48, 0x00}, {0, 0, 4, 0, 1, 0x08, 0x08},
      {3, 2, 0, 1, 0, 0x46, 0x04}};
  for (auto [red, green, blue, bright, paper, frame0, frame1] : cases) {
    const ColorPart part = paper ? ColorPart::Paper : ColorPart::Ink;
    EXPECT_EQ(ColorsFromMixLevels({red, green, blue}, bright, part),
              (ColorPair{std::uint8_t(frame0), std::uint8_t(frame1)}))
        << red << green << blue << " bright " << bright << " paper " << paper;
  }
  EXPECT_EQ(MixLevelsOf(0x46, 0x04, ColorPart::Ink), (MixLevels{3, 4, 0}));
}

}  // namespace
}  // namespace tinto

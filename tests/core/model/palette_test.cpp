#include "core/model/palette.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

struct PaletteEntry {
  ColorIndex index;
  const char* name;
  int red, green, blue;
};

class PaletteTable : public ::testing::TestWithParam<PaletteEntry> {};

TEST_P(PaletteTable, GivesColourAndName) {
  const PaletteEntry& e = GetParam();
  EXPECT_EQ(PaletteColor(e.index), MakeRgb(e.red, e.green, e.blue));
  EXPECT_EQ(ColorName(e.index), e.name);
}

// Normal colours at 177, bright ones at 254; bright black is black.
INSTANTIATE_TEST_SUITE_P(Entries, PaletteTable,
                         ::testing::Values(PaletteEntry{0, "Black", 0, 0, 0},
                                           PaletteEntry{1, "Blue", 0, 0, 177},
                                           PaletteEntry{6, "Yellow", 177, 177, 0},
                                           PaletteEntry{8, "Black", 0, 0, 0},
                                           PaletteEntry{11, "Bright Magenta", 254, 0, 254},
                                           PaletteEntry{12, "Bright Green", 0, 254, 0},
                                           PaletteEntry{15, "Bright White", 254, 254, 254}));

TEST(Palette, AttrColorTakesInkOrPaperBitsWithTheSharedBright) {
  EXPECT_EQ(AttrColor(0x4A, ColorPart::Ink), MakeRgb(254, 0, 0));
  EXPECT_EQ(AttrColor(0x4A, ColorPart::Paper), MakeRgb(0, 0, 254));
  EXPECT_EQ(AttrColor(0xB8, ColorPart::Paper), MakeRgb(177, 177, 177));  // bit 7 ignored
  EXPECT_EQ(AttrColor(0x26, ColorPart::Ink), MakeRgb(177, 177, 0));
  EXPECT_EQ(AttrColor(0x26, ColorPart::Paper), MakeRgb(0, 177, 0));
}

struct ComponentCase {
  bool set0, set1, bright0, bright1;
  int intensity;
  MixLevel level;
};

class MixComponentTable : public ::testing::TestWithParam<ComponentCase> {};

TEST_P(MixComponentTable, DependsOnTheUnorderedPairOfLevels) {
  const ComponentCase& c = GetParam();
  EXPECT_EQ(MixComponent(c.set0, c.set1, c.bright0, c.bright1), c.intensity);
  EXPECT_EQ(MixComponent(c.set1, c.set0, c.bright1, c.bright0), c.intensity);
  EXPECT_EQ(MixLevelOf(c.set0, c.set1, c.bright0, c.bright1), c.level);
  EXPECT_EQ(MixLevelIntensity(c.level), c.intensity);
}

INSTANTIATE_TEST_SUITE_P(Levels, MixComponentTable,
                         ::testing::Values(ComponentCase{false, false, false, false, 0, 0},
                                           ComponentCase{false, false, true, true, 0,
                                                         0},  // bright alone is nothing
                                           ComponentCase{false, true, false, false, 127, 1},
                                           ComponentCase{true, false, false, true, 127, 1},
                                           ComponentCase{true, true, false, false, 177, 2},
                                           ComponentCase{true, false, true, false, 199, 3},
                                           ComponentCase{false, true, true, true, 199, 3},
                                           ComponentCase{true, true, false, true, 223, 4},
                                           ComponentCase{true, true, true, false, 223, 4},
                                           ComponentCase{true, true, true, true, 254, 5}));

TEST(Palette, MixColorOfBrightRedAndBrightBlue) {
  EXPECT_EQ(MixColor(0x42, 0x41), MakeRgb(199, 0, 199));
  EXPECT_EQ(MixLevelsOf(0x42, 0x41, ColorPart::Ink), (MixLevels{3, 0, 3}));
  EXPECT_EQ(MixColor(0x07, 0x07), MakeRgb(177, 177, 177));
  EXPECT_EQ(MixColor(PaperToInk(0x78), PaperToInk(0x00)), MakeRgb(199, 199, 199));
}

TEST(Palette, MixLevelsCountBrightOnlyWhereTheComponentIsSet) {
  // Bright yellow and bright green: red is set only in frame 0.
  EXPECT_EQ(MixLevelsOf(0x46, 0x44, ColorPart::Ink), (MixLevels{3, 5, 0}));
  EXPECT_EQ(MixLevelsOf(0x78, 0x08, ColorPart::Paper), (MixLevels{3, 3, 4}));
  EXPECT_EQ(MixLevelsOf(0x40, 0x40, ColorPart::Ink), (MixLevels{0, 0, 0}));
}

struct LevelsCase {
  MixLevels levels;
  bool brightAllowed;
  ColorPart part;
  std::uint8_t frame0, frame1;
};

class ColorsFromLevels : public ::testing::TestWithParam<LevelsCase> {};

TEST_P(ColorsFromLevels, BuildBothFramesColours) {
  const LevelsCase& c = GetParam();
  EXPECT_EQ(ColorsFromMixLevels(c.levels, c.brightAllowed, c.part),
            (ColorPair{c.frame0, c.frame1}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColorsFromLevels,
    ::testing::Values(LevelsCase{{5, 5, 5}, true, ColorPart::Ink, 0x47, 0x47},
                      LevelsCase{{5, 5, 5}, false, ColorPart::Ink, 0x07, 0x07},
                      LevelsCase{{5, 5, 5}, true, ColorPart::Paper, 0x78, 0x78},
                      LevelsCase{{5, 5, 5}, false, ColorPart::Paper, 0x38, 0x38},
                      LevelsCase{{0, 0, 0}, true, ColorPart::Ink, 0x00, 0x00},
                      LevelsCase{{1, 0, 0}, true, ColorPart::Ink, 0x00, 0x02},
                      LevelsCase{{2, 0, 0}, true, ColorPart::Ink, 0x02, 0x02},
                      LevelsCase{{3, 0, 0}, true, ColorPart::Ink, 0x42, 0x00},
                      LevelsCase{{4, 0, 0}, true, ColorPart::Ink, 0x02, 0x42},
                      LevelsCase{{0, 1, 0}, true, ColorPart::Paper, 0x00, 0x20},
                      LevelsCase{{0, 0, 3}, true, ColorPart::Paper, 0x48, 0x00},
                      LevelsCase{{0, 0, 4}, false, ColorPart::Paper, 0x08, 0x08},
                      // red 3 and green 2: the bright of red raises frame 0's green.
                      LevelsCase{{3, 2, 0}, true, ColorPart::Ink, 0x46, 0x04}));

TEST(Palette, SharedBrightChangesTheLevelsReadBack) {
  ColorPair ink = ColorsFromMixLevels({3, 2, 0}, true, ColorPart::Ink);
  EXPECT_EQ(MixLevelsOf(ink.frame0, ink.frame1, ColorPart::Ink), (MixLevels{3, 4, 0}));
}

struct ShortNameCase {
  std::uint8_t attr;
  ColorPart part;
  const char* name;
};

class ShortNames : public ::testing::TestWithParam<ShortNameCase> {};

TEST_P(ShortNames, PrefixBrightExceptOnBlack) {
  EXPECT_EQ(ShortColorName(GetParam().attr, GetParam().part), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Table, ShortNames,
                         ::testing::Values(ShortNameCase{0x78, ColorPart::Paper, "Br.Wht"},
                                           ShortNameCase{0x40, ColorPart::Ink, "Blk"},
                                           ShortNameCase{0x12, ColorPart::Paper, "Red"},
                                           ShortNameCase{0x43, ColorPart::Ink, "Br.Mag"},
                                           ShortNameCase{0x6D, ColorPart::Ink, "Br.Cyn"},
                                           ShortNameCase{0xB0, ColorPart::Paper, "Yel"}));

}  // namespace
}  // namespace tinto

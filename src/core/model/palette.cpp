#include "core/model/palette.h"

#include <algorithm>

namespace tinto {
namespace {

constexpr std::array<const char*, 16> kColorNames = {
    "Black",        "Blue",        "Red",           "Magenta",     "Green",      "Cyan",
    "Yellow",       "White",       "Black",         "Bright Blue", "Bright Red", "Bright Magenta",
    "Bright Green", "Bright Cyan", "Bright Yellow", "Bright White"};

constexpr std::array<const char*, 8> kShortNames = {"Blk", "Blu", "Red", "Mag",
                                                    "Grn", "Cyn", "Yel", "Wht"};

// Mix level by the unordered pair of component levels (0 off, 1 normal, 2 bright).
constexpr int kMixLevelTable[3][3] = {{0, 1, 3}, {1, 2, 4}, {3, 4, 5}};
constexpr std::array<int, 6> kMixIntensities = {0, 127, 177, 199, 223, 254};

// Component bits in ink form.
constexpr std::uint8_t kBlue = 1, kRed = 2, kGreen = 4;

int ComponentLevel(bool set, bool bright) { return set ? (bright ? 2 : 1) : 0; }

std::uint8_t InkForm(std::uint8_t color, ColorPart part) {
  return part == ColorPart::Ink ? static_cast<std::uint8_t>(color & 0x47) : PaperToInk(color);
}

}  // namespace

Rgb PaletteColor(ColorIndex index) {
  int i = index & 15;
  int on = (i & 8) ? kBrightIntensity : kNormalIntensity;
  return MakeRgb((i & kRed) ? on : 0, (i & kGreen) ? on : 0, (i & kBlue) ? on : 0);
}

std::string ColorName(ColorIndex index) { return kColorNames[index & 15]; }

std::string ShortColorName(std::uint8_t attr, ColorPart part) {
  int value = part == ColorPart::Ink ? (attr & 7) : ((attr >> 3) & 7);
  std::string name = kShortNames[value];
  return (attr & 0x40) && value != 0 ? "Br." + name : name;
}

Rgb AttrColor(std::uint8_t attr, ColorPart part) {
  std::uint8_t ink = InkForm(attr, part);
  return PaletteColor(IndexOfInk(ink));
}

MixLevel MixLevelOf(bool set0, bool set1, bool bright0, bool bright1) {
  return kMixLevelTable[ComponentLevel(set0, bright0)][ComponentLevel(set1, bright1)];
}

int MixLevelIntensity(MixLevel level) { return kMixIntensities[std::clamp(level, 0, 5)]; }

int MixComponent(bool set0, bool set1, bool bright0, bool bright1) {
  return kMixIntensities[MixLevelOf(set0, set1, bright0, bright1)];
}

Rgb MixColor(std::uint8_t ink0, std::uint8_t ink1) {
  bool b0 = ink0 & 0x40, b1 = ink1 & 0x40;
  auto mix = [&](std::uint8_t bit) { return MixComponent(ink0 & bit, ink1 & bit, b0, b1); };
  return MakeRgb(mix(kRed), mix(kGreen), mix(kBlue));
}

MixLevels MixLevelsOf(std::uint8_t color0, std::uint8_t color1, ColorPart part) {
  std::uint8_t c0 = InkForm(color0, part), c1 = InkForm(color1, part);
  bool b0 = c0 & 0x40, b1 = c1 & 0x40;
  auto level = [&](std::uint8_t bit) { return MixLevelOf(c0 & bit, c1 & bit, b0, b1); };
  return {level(kRed), level(kGreen), level(kBlue)};
}

ColorPair ColorsFromMixLevels(MixLevels levels, bool brightAllowed, ColorPart part) {
  // What each level contributes to frame 0 and frame 1, as (colour bit?, bright?) pairs.
  struct Contribution {
    bool on0, bright0, on1, bright1;
  };
  constexpr std::array<Contribution, 6> kContributions = {{{false, false, false, false},
                                                           {false, false, true, false},
                                                           {true, false, true, false},
                                                           {true, true, false, false},
                                                           {true, false, true, true},
                                                           {true, true, true, true}}};
  std::uint8_t f0 = 0, f1 = 0;
  auto add = [&](MixLevel level, std::uint8_t bit) {
    const Contribution& c = kContributions[std::clamp(level, 0, 5)];
    if (c.on0) f0 |= bit | (c.bright0 ? 0x40 : 0);
    if (c.on1) f1 |= bit | (c.bright1 ? 0x40 : 0);
  };
  add(levels.red, kRed);
  add(levels.green, kGreen);
  add(levels.blue, kBlue);
  if (!brightAllowed) {
    f0 &= 0x07;
    f1 &= 0x07;
  }
  if (part == ColorPart::Paper) {
    return {InkToPaper(f0), InkToPaper(f1)};
  }
  return {f0, f1};
}

}  // namespace tinto

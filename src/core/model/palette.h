#pragma once
// The 16-colour palette, colour names and the static mix of two frames' colours.
// Colours as single numbers are 0x00BBGGRR (red in the low byte).

#include <array>
#include <cstdint>
#include <string>

namespace tinto {

using ColorIndex = int;  // 0..15: bit 0 blue, bit 1 red, bit 2 green, bit 3 bright
using MixLevel = int;    // 0..5, see MixComponent
using Rgb = std::uint32_t;

constexpr int kNormalIntensity = 177;
constexpr int kBrightIntensity = 254;

constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

enum class ColorPart { Ink, Paper };

// Index outside 0..15 uses its low four bits.
Rgb PaletteColor(ColorIndex index);
std::string ColorName(ColorIndex index);
// "Blk".."Wht", prefixed with "Br." when bright and the colour value is not black.
std::string ShortColorName(std::uint8_t attr, ColorPart part);

// Colour of the ink or paper of an attribute byte, as in the palette.
Rgb AttrColor(std::uint8_t attr, ColorPart part);

// Intensity that one component mixes to: 0, 127, 177, 199, 223 or 254.
int MixComponent(bool set0, bool set1, bool bright0, bool bright1);
// Mix level 0..5 of one component's pair of frame levels.
MixLevel MixLevelOf(bool set0, bool set1, bool bright0, bool bright1);
// Intensity of a mix level; levels outside 0..5 are clamped.
int MixLevelIntensity(MixLevel level);

// Colours in ink form (colour in bits 0-2, bright in bit 6).
Rgb MixColor(std::uint8_t ink0, std::uint8_t ink1);
// Paper form (bits 3-5 and 6) to ink form.
constexpr std::uint8_t PaperToInk(std::uint8_t paper) {
  return static_cast<std::uint8_t>(((paper & 0x38) >> 3) | (paper & 0x40));
}
// Ink form (bits 0-2 and 6; higher bits ignored) to paper form.
constexpr std::uint8_t InkToPaper(int ink) {
  return static_cast<std::uint8_t>(((ink & 0x07) << 3) | (ink & 0x40));
}
// Palette index 0..15 (bit 3 bright) to ink form, and back.
constexpr std::uint8_t InkOfIndex(int index) {
  return static_cast<std::uint8_t>(((index & 8) << 3) | (index & 7));
}
constexpr int IndexOfInk(std::uint8_t ink) { return (ink & 7) | ((ink & 0x40) ? 8 : 0); }

struct MixLevels {
  MixLevel red;
  MixLevel green;
  MixLevel blue;
  bool operator==(const MixLevels&) const = default;
};

// Levels of two ink (or two paper) colours given in the form that `part` names.
MixLevels MixLevelsOf(std::uint8_t color0, std::uint8_t color1, ColorPart part);

struct ColorPair {
  std::uint8_t frame0;
  std::uint8_t frame1;
  bool operator==(const ColorPair&) const = default;
};

// The frame-0 and frame-1 colours (ink or paper form) that produce the given levels.
ColorPair ColorsFromMixLevels(MixLevels levels, bool brightAllowed, ColorPart part);

}  // namespace tinto

#pragma once
// What a viewer sees of one colour component of the static two-frame mix, in linear light and in
// the perceptual (sRGB-encoded) scale the Perceptual conversion compares colours in.

#include <array>

namespace tinto {

// Index of a pair of frame brights: bright0 + 2 * bright1.
constexpr int BrightPairIndex(bool bright0, bool bright1) {
  return (bright0 ? 1 : 0) + (bright1 ? 2 : 0);
}
// Index of a component lit or not in each frame: lit0 + 2 * lit1.
constexpr int LitPairIndex(bool lit0, bool lit1) { return (lit0 ? 1 : 0) + (lit1 ? 2 : 0); }

struct MixLight {
  // [BrightPairIndex][LitPairIndex], each 0..1.
  std::array<std::array<float, 4>, 4> linear;
  std::array<std::array<float, 4>, 4> perceived;
};

// The six mixed intensities of every combination, from the program's own mix rule.
const MixLight& MixLightTable();

// How much a pixel flickers when frame 0 shows colour0 and frame 1 colour1 (colour numbers 0..7,
// bright per BrightPairIndex): the difference of the two frame colours' luma in linear light,
// 0..1. Indexed [BrightPairIndex][colour0 * 8 + colour1].
using FrameFlickerTable = std::array<std::array<float, 64>, 4>;
const FrameFlickerTable& FrameFlicker();
// The least flicker of any pair of frame colours that shows the same mixed colour.
const FrameFlickerTable& MixFlicker();

// sRGB byte to linear light, 0..1.
float LinearOfByte(int value);
// Linear light to the sRGB scale, 0..1; values outside 0..1 are clamped first.
float PerceivedOfLinear(float linear);

}  // namespace tinto

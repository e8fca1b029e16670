#include "core/import/mix_light.h"

#include <algorithm>
#include <cmath>

#include "core/model/palette.h"

namespace tinto {
namespace {

constexpr int kPerceivedSteps = 4096;

double LinearOfUnit(double c) {
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double EncodedOfLinear(double c) {
  return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

MixLight MakeMixLight() {
  MixLight table{};
  for (int bright = 0; bright < 4; ++bright)
    for (int lit = 0; lit < 4; ++lit) {
      const int value = MixComponent(lit & 1, lit & 2, bright & 1, bright & 2);
      table.linear[bright][lit] = static_cast<float>(LinearOfUnit(value / 255.0));
      table.perceived[bright][lit] = static_cast<float>(value / 255.0);
    }
  return table;
}

// Linear-light luma of a frame colour (0..7: blue 1, red 2, green 4), normal or bright.
double FrameLuma(int colour, bool bright) {
  const double on = LinearOfUnit((bright ? kBrightIntensity : kNormalIntensity) / 255.0);
  return on * ((colour & 2 ? 0.2126 : 0) + (colour & 4 ? 0.7152 : 0) + (colour & 1 ? 0.0722 : 0));
}

FrameFlickerTable MakeFrameFlicker() {
  FrameFlickerTable table{};
  for (int bright = 0; bright < 4; ++bright)
    for (int pair = 0; pair < 64; ++pair)
      table[bright][pair] = static_cast<float>(
          std::fabs(FrameLuma(pair >> 3, bright & 1) - FrameLuma(pair & 7, bright & 2)));
  return table;
}

int MixKey(int bright, int pair) {
  int key = 0;
  for (int bit : {2, 4, 1})
    key = key * 6 + MixLevelOf((pair >> 3) & bit, pair & bit, bright & 1, bright & 2);
  return key;
}

FrameFlickerTable MakeMixFlicker() {
  const FrameFlickerTable frame = MakeFrameFlicker();
  std::array<float, 216> least;
  least.fill(2.0f);
  for (int bright = 0; bright < 4; ++bright)
    for (int pair = 0; pair < 64; ++pair)
      least[MixKey(bright, pair)] = std::min(least[MixKey(bright, pair)], frame[bright][pair]);
  FrameFlickerTable table{};
  for (int bright = 0; bright < 4; ++bright)
    for (int pair = 0; pair < 64; ++pair) table[bright][pair] = least[MixKey(bright, pair)];
  return table;
}

struct EncodingTables {
  std::array<float, 256> linearOfByte;
  std::array<float, kPerceivedSteps + 1> perceivedOfLinear;
};

EncodingTables MakeEncodingTables() {
  EncodingTables tables;
  for (int v = 0; v < 256; ++v)
    tables.linearOfByte[v] = static_cast<float>(LinearOfUnit(v / 255.0));
  for (int i = 0; i <= kPerceivedSteps; ++i)
    tables.perceivedOfLinear[i] = static_cast<float>(EncodedOfLinear(double(i) / kPerceivedSteps));
  return tables;
}

const EncodingTables& Encoding() {
  static const EncodingTables tables = MakeEncodingTables();
  return tables;
}

}  // namespace

const MixLight& MixLightTable() {
  static const MixLight table = MakeMixLight();
  return table;
}

const FrameFlickerTable& FrameFlicker() {
  static const FrameFlickerTable table = MakeFrameFlicker();
  return table;
}

const FrameFlickerTable& MixFlicker() {
  static const FrameFlickerTable table = MakeMixFlicker();
  return table;
}

float LinearOfByte(int value) { return Encoding().linearOfByte[value & 0xFF]; }

float PerceivedOfLinear(float linear) {
  // Linear interpolation in a fine table: exact enough for choosing colours, and no pow per pixel.
  const float position = std::clamp(linear, 0.0f, 1.0f) * kPerceivedSteps;
  const int index = std::min(static_cast<int>(position), kPerceivedSteps - 1);
  const float fraction = position - static_cast<float>(index);
  const auto& table = Encoding().perceivedOfLinear;
  return table[index] + fraction * (table[index + 1] - table[index]);
}

}  // namespace tinto

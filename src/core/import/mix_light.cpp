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

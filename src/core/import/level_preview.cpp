#include "core/import/level_preview.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/import/import_previews.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

using LevelTable = std::array<std::uint8_t, 256>;

// Levels of every source value for one frame, one table per channel.
struct FrameLevels {
  LevelTable red, green, blue;
};

LevelTable MakeLevelTable(int threshold, int hth) {
  LevelTable table;
  for (int v = 0; v < 256; ++v)
    table[v] = static_cast<std::uint8_t>(PlainChannelLevel(v, threshold, hth));
  return table;
}

FrameLevels MakeFrameLevels(ChannelThresholds t, int hth) {
  return {MakeLevelTable(t.red, hth), MakeLevelTable(t.green, hth), MakeLevelTable(t.blue, hth)};
}

void PutLevels(const FrameLevels& levels, const std::uint8_t* in, std::uint8_t* out) {
  out[0] = levels.blue[in[0]];
  out[1] = levels.green[in[1]];
  out[2] = levels.red[in[2]];
}

}  // namespace

int PlainChannelLevel(int value, int threshold, int hth) {
  if (value >= threshold) return kBrightIntensity;
  const double h = std::max(hth, 1) / 50.0;
  return value >= threshold / h ? kNormalIntensity : 0;
}

bool ComputeLevelPreview(const Bitmap24& source, const FittedImportOptions& options,
                         Bitmap24& dest1, Bitmap24& dest2) {
  if (source.Empty()) return false;
  SizePreviews(options, dest1, dest2);
  const FrameLevels levels0 = MakeFrameLevels(FrameThresholds(*options, 0), options->HTH);
  const FrameLevels levels1 = MakeFrameLevels(FrameThresholds(*options, 1), options->HTH);
  const int width = std::min(source.Width(), dest1.Width());
  const int height = std::min(source.Height(), dest1.Height());
  for (int y = 0; y < dest1.Height(); ++y) {
    std::uint8_t* out0 = dest1.Row(y);
    std::uint8_t* out1 = dest2.Row(y);
    const int covered = y < height ? width : 0;
    for (int x = 0; x < covered; ++x) {
      const std::uint8_t* in = source.Row(y) + 3 * x;
      PutLevels(levels0, in, out0 + 3 * x);
      PutLevels(levels1, in, out1 + 3 * x);
    }
    std::fill(out0 + 3 * covered, out0 + dest1.Stride(), 0);
    std::fill(out1 + 3 * covered, out1 + dest2.Stride(), 0);
  }
  return true;
}

}  // namespace tinto

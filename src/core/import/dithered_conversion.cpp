#include "core/import/dithered_conversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "core/import/cell_colors.h"
#include "core/import/dither.h"
#include "core/import/import_bands.h"
#include "core/import/import_previews.h"
#include "core/import/ink_split_table.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

using ValueMap = std::array<std::uint8_t, 256>;
using LitMasks = std::array<DitherPattern, 256>;   // lit pixels of a cell per channel value
using BlockValues = std::array<std::uint8_t, 64>;  // indexed by PatternBit

// One 8x8 block of source values, with per-row sums for the cell brightness.
struct SourceBlock {
  BlockValues red, green, blue;
  std::array<int, 8> redSum, greenSum, blueSum;
};

// The pixels of a block that have each colour number, one mask per colour.
using ColorMasks = std::array<DitherPattern, 8>;

struct FrameDither {
  LitMasks red, green, blue;
};

// Preview bytes of an attribute's paper (0) and ink (1): blue, green, red and a spare byte.
using PreviewColors = std::array<std::array<std::uint8_t, 4>, 2>;

// Everything fixed for one conversion.
struct DitherSetup {
  ValueMap sourceMap;  // the Bright-off shift, or the identity
  FrameDither frames[2];
  std::array<PreviewColors, 128> previewColors;  // by attribute; bit 7 is never set
  std::array<std::uint8_t, 64> inkSides;         // InkSideMask by paper * 8 + ink
  bool brightPerCell;
  int nonBrightLimit;  // a cell is non-bright when every channel mean is at most this
};

struct FrameOutput {
  ImportResult& result;
  FrameIndex frame;
  Bitmap24& preview;
};

// Number of set bits in each byte of `pixels`, byte by byte: each row's pixel count at once.
constexpr std::uint64_t RowBitCounts(std::uint64_t pixels) {
  pixels -= (pixels >> 1) & 0x5555555555555555u;
  pixels = (pixels & 0x3333333333333333u) + ((pixels >> 2) & 0x3333333333333333u);
  return (pixels + (pixels >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
}

constexpr std::uint8_t RowByte(DitherPattern pixels, int row) {
  return static_cast<std::uint8_t>(pixels >> (8 * row));
}

LitMasks MakeLitMasks(const DitherPatterns& patterns, int threshold, int step) {
  LitMasks masks;
  for (int v = 0; v < 256; ++v)
    // A threshold of 255 switches the channel off whatever the value.
    masks[v] = threshold < 255 ? patterns[DitherPatternIndex(RampCount(v, threshold, step))] : 0;
  return masks;
}

void MakeSetup(const ImportOptions& options, DitherSetup& setup) {
  const DitherPatterns patterns;
  const int step = 4 - options.Contrast;
  for (FrameIndex f = 0; f < 2; ++f) {
    const ChannelThresholds t = FrameThresholds(options, f);
    setup.frames[f] = {MakeLitMasks(patterns, t.red, step), MakeLitMasks(patterns, t.green, step),
                       MakeLitMasks(patterns, t.blue, step)};
  }
  for (int v = 0; v < 256; ++v)
    setup.sourceMap[v] =
        static_cast<std::uint8_t>(options.Bright ? v : std::clamp(v + options.HTH - 128, 0, 255));
  setup.brightPerCell = options.Bright;
  setup.nonBrightLimit = 256 - options.HTH;
  for (int pair = 0; pair < 64; ++pair) setup.inkSides[pair] = InkSideMask(pair / 8, pair % 8);
  for (int attr = 0; attr < 128; ++attr) {
    PreviewColors& colors = setup.previewColors[attr];
    colors = {};
    PutPreviewPixel(colors[0].data(), AttrColor(static_cast<std::uint8_t>(attr), ColorPart::Paper));
    PutPreviewPixel(colors[1].data(), AttrColor(static_cast<std::uint8_t>(attr), ColorPart::Ink));
  }
}

void LoadBlock(const Bitmap24& source, int column, int charRow, const ValueMap& map,
               SourceBlock& block) {
  if (column >= source.Width() / 8 || charRow >= source.Height() / 8) {
    // Not wholly inside the source: converted as black source pixels.
    block.red.fill(map[0]);
    block.green.fill(map[0]);
    block.blue.fill(map[0]);
    block.redSum.fill(8 * map[0]);
    block.greenSum = block.blueSum = block.redSum;
    return;
  }
  for (int y = 0; y < 8; ++y) {
    const std::uint8_t* in = source.Row(8 * charRow + y) + 24 * column;
    int red = 0, green = 0, blue = 0;
    for (int x = 0; x < 8; ++x, in += 3) {
      const int i = PatternBit(x, y);
      red += block.red[i] = map[in[2]];
      green += block.green[i] = map[in[1]];
      blue += block.blue[i] = map[in[0]];
    }
    block.redSum[y] = red;
    block.greenSum[y] = green;
    block.blueSum[y] = blue;
  }
}

ColorMasks ColorMasksOf(DitherPattern red, DitherPattern green, DitherPattern blue) {
  ColorMasks masks;
  for (int c = 0; c < 8; ++c)
    masks[c] = (c & 1 ? blue : ~blue) & (c & 2 ? red : ~red) & (c & 4 ? green : ~green);
  return masks;
}

// Both frames in one pass over the block, as they share its source values.
std::array<ColorMasks, 2> DitherBlock(const SourceBlock& block, const DitherSetup& setup) {
  const FrameDither& dither0 = setup.frames[0];
  const FrameDither& dither1 = setup.frames[1];
  DitherPattern red0 = 0, green0 = 0, blue0 = 0, red1 = 0, green1 = 0, blue1 = 0;
  for (int i = 0; i < 64; ++i) {
    const DitherPattern bit = DitherPattern{1} << i;
    const int red = block.red[i], green = block.green[i], blue = block.blue[i];
    red0 |= dither0.red[red] & bit;
    green0 |= dither0.green[green] & bit;
    blue0 |= dither0.blue[blue] & bit;
    red1 |= dither1.red[red] & bit;
    green1 |= dither1.green[green] & bit;
    blue1 |= dither1.blue[blue] & bit;
  }
  return {ColorMasksOf(red0, green0, blue0), ColorMasksOf(red1, green1, blue1)};
}

bool CellIsBright(const DitherSetup& setup, const SourceBlock& block, int firstRow, int rowCount) {
  if (!setup.brightPerCell) return true;
  int red = 0, green = 0, blue = 0;
  for (int y = firstRow; y < firstRow + rowCount; ++y) {
    red += block.redSum[y];
    green += block.greenSum[y];
    blue += block.blueSum[y];
  }
  // mean <= limit, kept exact in integers
  const int limit = setup.nonBrightLimit * rowCount * 8;
  return red > limit || green > limit || blue > limit;
}

void WriteCell(FrameOutput& out, const PreviewColors& colors, int column, int charRow, int firstRow,
               int rowCount, DitherPattern inkPixels, std::uint8_t attr) {
  for (int r = firstRow; r < firstRow + rowCount; ++r) {
    const int y = 8 * charRow + r;
    const std::uint8_t bits = RowByte(inkPixels, r);
    std::uint8_t* pixel = out.preview.Row(y) + 24 * column;
    // Four-byte stores whose spare byte the next pixel overwrites: one store per pixel instead of
    // three on the hottest path of the conversion. The last pixel's spare would leave the cell.
    for (int x = 0; x < 7; ++x) std::memcpy(pixel + 3 * x, colors[(bits >> (7 - x)) & 1].data(), 4);
    std::memcpy(pixel + 21, colors[bits & 1].data(), 3);
    out.result.PixelByte(out.frame, y, column) = bits;
    out.result.AttrByte(out.frame, y, column) = attr;
  }
}

// Pixel counts of every cell of the block, byte `first` holding the count of the cell that starts
// at block row `first`.
std::uint64_t CellBitCounts(DitherPattern pixels, CellLayout layout) {
  const std::uint64_t rows = RowBitCounts(pixels);
  switch (layout) {
    case CellLayout::Cell8x1:
      return rows;
    case CellLayout::Cell8x2:
      return (rows + (rows >> 8)) & 0x00FF00FF00FF00FFu;
    case CellLayout::Cell8x8:
      break;
  }
  return (rows * 0x0101010101010101u) >> 56;
}

void ConvertBlock(const DitherSetup& setup, const SourceBlock& block, const ColorMasks& colors,
                  CellLayout layout, FrameOutput& out, int column, int charRow) {
  std::array<std::uint64_t, 8> cellCounts;
  for (int c = 0; c < 8; ++c) cellCounts[c] = CellBitCounts(colors[c], layout);
  const int rowsPerCell = RowsPerCell(layout);
  for (int first = 0; first < 8; first += rowsPerCell) {
    ColorCounts counts;
    for (int c = 0; c < 8; ++c) counts.Set(c, RowByte(cellCounts[c], first));
    const CellColors choice =
        layout == CellLayout::Cell8x8 ? ChooseBlockColors(counts) : ChooseCellColors(counts);
    const std::uint8_t inkSide = setup.inkSides[choice.paper * 8 + choice.ink];
    DitherPattern inkPixels = 0;
    for (int c = 0; c < 8; ++c) inkPixels |= (inkSide >> c) & 1 ? colors[c] : 0;
    const bool bright = CellIsBright(setup, block, first, rowsPerCell);
    const std::uint8_t attr = CellAttribute(choice, bright);
    WriteCell(out, setup.previewColors[attr], column, charRow, first, rowsPerCell, inkPixels, attr);
  }
}

}  // namespace

bool ConvertDithered(const Bitmap24& source, const FittedImportOptions& fitted,
                     ImportResult& result, Bitmap24& dest1, Bitmap24& dest2) {
  if (source.Empty() || fitted->DY < 8) return false;
  SizePreviews(fitted, dest1, dest2);
  ClearPreview(dest1);
  ClearPreview(dest2);
  DitherSetup setup;
  MakeSetup(*fitted, setup);
  FrameOutput outputs[2] = {{result, 0, dest1}, {result, 1, dest2}};
  const ImportBands bands = BandsOf(fitted);
  const int charRows = fitted->DY / 8;
  SourceBlock block;
  // Frames share the source block; each cell's output depends only on its own pixels, so the
  // order of bands, cells and frames does not change the result.
  for (int b = 0; b < bands.count; ++b) {
    const ImportBand& band = bands.bands[b];
    for (int charRow = 0; charRow < charRows; ++charRow)
      for (int column = band.start; column < band.start + band.width; ++column) {
        LoadBlock(source, column, charRow, setup.sourceMap, block);
        const std::array<ColorMasks, 2> colors = DitherBlock(block, setup);
        for (FrameOutput& out : outputs)
          ConvertBlock(setup, block, colors[out.frame], band.layout, out, column, charRow);
      }
  }
  return true;
}

}  // namespace tinto

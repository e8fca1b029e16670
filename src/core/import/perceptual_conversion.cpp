#include "core/import/perceptual_conversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/import/cell_mix_colors.h"
#include "core/import/cell_palette_search.h"
#include "core/import/diffusion_rows.h"
#include "core/import/halftone_refine.h"
#include "core/import/import_bands.h"
#include "core/import/import_previews.h"
#include "core/import/mix_light.h"
#include "core/import/steady_palette.h"
#include "core/model/palette.h"

namespace tinto {
namespace {

// Share of a pixel's error passed on while the cells are chosen: less than all of it keeps each
// cell's colours near its own pixels; the refinement afterwards sets the final texture.
constexpr float kDiffusion = 0.8f;

// A neighbouring cell's colours are taken over when they serve a cell within this share of the
// cost of its own best: neighbours then share colours across flat and gently changing parts, so
// that the refinement can lay one texture across the cell border.
constexpr float kNeighbourTolerance = 0.05f;

// What a pixel's flicker (the least any pair of frame colours showing its colour has) costs at
// weight 1, in the units of the squared colour distance.
constexpr float kFlickerCost = 0.04f;

CellMixColors ColorsOf(const CellPalette& palette) {
  const MixLight& mix = MixLightTable();
  const FrameFlickerTable& flicker = MixFlicker();
  const int bright = BrightPairIndex(palette.bright[0], palette.bright[1]);
  CellMixColors colors;
  for (int choice = 0; choice < 4; ++choice) {
    const int color0 = choice & 1 ? palette.ink[0] : palette.paper[0];
    const int color1 = choice & 2 ? palette.ink[1] : palette.paper[1];
    for (int c = 0; c < 3; ++c) {
      const int lit = LitPairIndex(color0 & kChannelBits[c], color1 & kChannelBits[c]);
      colors.perceived[choice][c] = mix.perceived[bright][lit];
      colors.linear[choice][c] = mix.linear[bright][lit];
    }
    colors.flicker[choice] = flicker[bright][color0 * 8 + color1];
  }
  for (int f = 0; f < 2; ++f)
    colors.attrs[f] = static_cast<std::uint8_t>(palette.ink[f] | palette.paper[f] << 3 |
                                                (palette.bright[f] ? kBrightBit : 0));
  return colors;
}

CellPalette PaletteOf(const CellMixColors& colors) {
  CellPalette palette;
  for (int f = 0; f < 2; ++f) {
    palette.ink[f] = colors.attrs[f] & 7;
    palette.paper[f] = (colors.attrs[f] >> 3) & 7;
    palette.bright[f] = (colors.attrs[f] & kBrightBit) != 0;
  }
  return palette;
}

PerceivedColor Perceived(const LinearColor& color) {
  return {PerceivedOfLinear(color[0]), PerceivedOfLinear(color[1]), PerceivedOfLinear(color[2])};
}

// A target's distance to one of the cell's colours, that colour's flicker counted in.
float ChoiceCost(const CellMixColors& colors, int choice, const PerceivedColor& target,
                 float flickerCost) {
  return WeightedDistance(target, colors.perceived[choice]) + flickerCost * colors.flicker[choice];
}

// Sum over the targets of the cost of the cheapest of the cell's colours.
float PaletteCost(const CellMixColors& colors, const PerceivedColor* targets, int count,
                  float flickerCost) {
  float cost = 0;
  for (int k = 0; k < count; ++k) {
    float nearest = ChoiceCost(colors, 0, targets[k], flickerCost);
    for (int choice = 1; choice < 4; ++choice)
      nearest = std::min(nearest, ChoiceCost(colors, choice, targets[k], flickerCost));
    cost += nearest;
  }
  return cost;
}

int NearestChoice(const CellMixColors& colors, const PerceivedColor& target, float flickerCost) {
  int best = 0;
  float bestDistance = ChoiceCost(colors, 0, target, flickerCost);
  for (int choice = 1; choice < 4; ++choice) {
    const float distance = ChoiceCost(colors, choice, target, flickerCost);
    if (distance < bestDistance) {
      best = choice;
      bestDistance = distance;
    }
  }
  return best;
}

class PerceptualScan {
 public:
  PerceptualScan(const Bitmap24& source, const FittedImportOptions& options, ImportResult& result)
      : m_width(options->DX * 8),
        m_height(options->DY),
        m_result(result),
        m_error(m_width),
        m_flickerCost(static_cast<float>(options->FlickerWeight) / 100.0f * kFlickerCost),
        m_search(m_flickerCost) {
    LoadSource(source);
    const ImportBands bands = BandsOf(options);
    for (int b = 0; b < bands.count; ++b)
      for (int c = 0; c < bands.bands[b].width; ++c)
        m_rowsPerCell[bands.bands[b].start + c] = RowsPerCell(bands.bands[b].layout);
    m_plan.width = m_width;
    m_plan.height = m_height;
    m_plan.choice.assign(m_plan.source.size(), 0);
    m_plan.cellOf.assign(m_plan.source.size(), 0);
    m_plan.flickerCost = m_flickerCost;
    m_plan.improvePalette = [this](const PerceivedColor* targets, int count,
                                   const CellMixColors& start) {
      return ColorsOf(m_search.Improve(targets, count, PaletteOf(start)));
    };
  }

  void Run() {
    for (int y = 0; y < m_height; ++y) {
      m_error.NextRow();
      // Serpentine: alternate rows run right to left, so the error does not drift one way.
      const int step = y % 2 == 0 ? 1 : -1;
      for (int i = 0; i < m_width; ++i) ConvertPixel(step > 0 ? i : m_width - 1 - i, y, step);
    }
    RefineHalftone(m_plan);
    if (m_flickerCost > 0) SteadyCells();
    Write();
  }

 private:
  void LoadSource(const Bitmap24& source) {
    m_plan.source.assign(static_cast<std::size_t>(m_width) * m_height, {});
    const int width = std::min(source.Width(), m_width);
    const int height = std::min(source.Height(), m_height);
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* in = source.Row(y);
      LinearColor* out = &m_plan.source[static_cast<std::size_t>(y) * m_width];
      for (int x = 0; x < width; ++x, in += 3)
        out[x] = {LinearOfByte(in[2]), LinearOfByte(in[1]), LinearOfByte(in[0])};
    }
  }

  void Write() {
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x) {
        const std::size_t at = static_cast<std::size_t>(y) * m_width + x;
        const CellMixColors& cell = m_plan.cells[m_plan.cellOf[at]];
        for (FrameIndex f = 0; f < 2; ++f) {
          if ((m_plan.choice[at] >> f) & 1) m_result.PixelByte(f, y, x / 8) |= PixelMask(x);
          m_result.AttrByte(f, y, x / 8) = cell.attrs[f];
        }
      }
  }

  void SteadyCells() {
    std::vector<std::array<int, 4>> uses(m_plan.cells.size(), std::array<int, 4>{});
    for (std::size_t at = 0; at < m_plan.choice.size(); ++at)
      ++uses[m_plan.cellOf[at]][m_plan.choice[at]];
    for (std::size_t cell = 0; cell < m_plan.cells.size(); ++cell)
      m_plan.cells[cell] = ColorsOf(LeastFlickerPalette(PaletteOf(m_plan.cells[cell]), uses[cell]));
  }

  const LinearColor& Source(int x, int y) const {
    return m_plan.source[static_cast<std::size_t>(y) * m_width + x];
  }

  // What the cell's pixels should show, as far as the diffusion has reached them: the rows
  // below the next one have not received any error yet.
  void ChooseCell(int column, int top, int step) {
    const int bottom = std::min(top + m_rowsPerCell[column], m_height);
    std::array<PerceivedColor, kMaxCellPixels> targets;
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 8 * column; x < 8 * column + 8; ++x) {
        LinearColor color = Source(x, y);
        if (y - top < 2) {
          const LinearColor& error = y == top ? m_error.This(x) : m_error.Below(x);
          for (int c = 0; c < 3; ++c) color[c] += error[c];
        }
        targets[count++] = Perceived(color);
      }
    std::array<CellPalette, 2> starts;
    int startCount = 0;
    for (const int neighbour : NeighbourCells(column, top, step))
      if (neighbour >= 0) starts[startCount++] = PaletteOf(m_plan.cells[neighbour]);
    CellMixColors chosen =
        ColorsOf(m_search.Choose(targets.data(), count, starts.data(), startCount));
    float limit =
        (1 + kNeighbourTolerance) * PaletteCost(chosen, targets.data(), count, m_flickerCost);
    for (const int neighbour : NeighbourCells(column, top, step)) {
      if (neighbour < 0) continue;
      const float cost = PaletteCost(m_plan.cells[neighbour], targets.data(), count, m_flickerCost);
      if (cost <= limit) {
        limit = cost;
        chosen = m_plan.cells[neighbour];
      }
    }
    m_cellIndex[column] = static_cast<int>(m_plan.cells.size());
    m_plan.cells.push_back(chosen);
  }

  // The cell above and the one the scan has just left, each -1 when there is none.
  std::array<int, 2> NeighbourCells(int column, int top, int step) const {
    const int previous = column - step;
    return {top > 0 ? m_cellIndex[column] : -1,
            previous >= 0 && previous < m_width / 8 ? m_cellIndex[previous] : -1};
  }

  void ConvertPixel(int x, int y, int step) {
    const int column = x / 8;
    const bool entersCell = x % 8 == (step > 0 ? 0 : 7);
    if (entersCell && y % m_rowsPerCell[column] == 0) ChooseCell(column, y, step);
    const CellMixColors& cell = m_plan.cells[m_cellIndex[column]];
    LinearColor wanted = Source(x, y);
    for (int c = 0; c < 3; ++c) wanted[c] = std::clamp(wanted[c] + m_error.This(x)[c], 0.0f, 1.0f);
    const int choice = NearestChoice(cell, Perceived(wanted), m_flickerCost);
    const std::size_t at = static_cast<std::size_t>(y) * m_width + x;
    m_plan.choice[at] = static_cast<std::uint8_t>(choice);
    m_plan.cellOf[at] = m_cellIndex[column];
    LinearColor error;
    for (int c = 0; c < 3; ++c) error[c] = kDiffusion * (wanted[c] - cell.linear[choice][c]);
    m_error.Diffuse(error, x, step);
  }

  int m_width;
  int m_height;
  ImportResult& m_result;
  HalftonePlan m_plan;
  DiffusionRows m_error;
  std::array<int, kRowBytes> m_rowsPerCell{};
  std::array<int, kRowBytes> m_cellIndex{};  // per column: its current cell in m_plan.cells
  float m_flickerCost;
  CellPaletteSearch m_search;
};

void PaintFrame(const ImportResult& result, FrameIndex f, Bitmap24& preview) {
  for (int y = 0; y < preview.Height(); ++y) {
    std::uint8_t* out = preview.Row(y);
    for (int x = 0; x < preview.Width(); ++x, out += 3) {
      const bool ink = result.PixelByte(f, y, x / 8) & PixelMask(x);
      PutPreviewPixel(
          out, AttrColor(result.AttrByte(f, y, x / 8), ink ? ColorPart::Ink : ColorPart::Paper));
    }
  }
}

}  // namespace

bool ConvertPerceptual(const Bitmap24& source, const FittedImportOptions& options,
                       ImportResult& result, Bitmap24& dest1, Bitmap24& dest2) {
  if (source.Empty()) return false;
  SizePreviews(options, dest1, dest2);
  PerceptualScan(source, options, result).Run();
  PaintFrame(result, 0, dest1);
  PaintFrame(result, 1, dest2);
  return true;
}

}  // namespace tinto

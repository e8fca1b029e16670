#include "core/model/renderer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tinto {
namespace {

// Eight pixels of one byte column are 24 output bytes, handled as three 64-bit words: a
// colour repeated eight times, and a mask that is 0xFFFFFF over every set pixel. A byte column
// is then (ink & mask) | (paper & ~mask), with no branch per pixel.
struct Run24 {
  std::uint64_t w[3];
};

Run24 RepeatColor(Rgb color) {
  std::uint8_t bytes[24];
  for (int i = 0; i < 8; ++i) {
    bytes[3 * i] = static_cast<std::uint8_t>(BlueOf(color));
    bytes[3 * i + 1] = static_cast<std::uint8_t>(GreenOf(color));
    bytes[3 * i + 2] = static_cast<std::uint8_t>(RedOf(color));
  }
  Run24 run;
  std::memcpy(run.w, bytes, sizeof bytes);
  return run;
}

struct Tables {
  std::array<Run24, 256> masks;
  std::array<Run24, 16> palette;  // by colour index (bright in bit 3)
  std::array<Run24, 256> mixes;   // by colour index of frame 0 * 16 + frame 1
  Run24 white, black, grey199, grey254;

  Tables() {
    for (int b = 0; b < 256; ++b) {
      std::uint8_t bytes[24];
      for (int i = 0; i < 8; ++i) std::memset(bytes + 3 * i, (b & (0x80 >> i)) ? 0xFF : 0, 3);
      std::memcpy(masks[b].w, bytes, sizeof bytes);
    }
    for (int i = 0; i < 16; ++i) palette[i] = RepeatColor(PaletteColor(i));
    for (int i0 = 0; i0 < 16; ++i0)
      for (int i1 = 0; i1 < 16; ++i1)
        mixes[i0 * 16 + i1] = RepeatColor(MixColor(InkOf(i0), InkOf(i1)));
    white = RepeatColor(MakeRgb(255, 255, 255));
    black = RepeatColor(0);
    grey199 = RepeatColor(MakeRgb(199, 199, 199));
    grey254 = RepeatColor(MakeRgb(254, 254, 254));
  }

  static std::uint8_t InkOf(int index) {
    return static_cast<std::uint8_t>((index & 7) | ((index & 8) ? 0x40 : 0));
  }
};

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

int InkIndex(std::uint8_t attr) { return (attr & 7) | ((attr & 0x40) >> 3); }
int PaperIndex(std::uint8_t attr) { return ((attr >> 3) & 7) | ((attr & 0x40) >> 3); }

// Word by word and unrolled, so that runs stay in registers: a run assembled on the stack and
// read back with wider loads stalls on store forwarding.
void Store(std::uint8_t* out, const Run24& run) {
  std::memcpy(out, &run.w[0], 8);
  std::memcpy(out + 8, &run.w[1], 8);
  std::memcpy(out + 16, &run.w[2], 8);
}

std::uint64_t SelectWord(std::uint64_t mask, std::uint64_t set, std::uint64_t clear) {
  return (set & mask) | (clear & ~mask);
}

Run24 Select(const Run24& mask, const Run24& set, const Run24& clear) {
  return {{SelectWord(mask.w[0], set.w[0], clear.w[0]), SelectWord(mask.w[1], set.w[1], clear.w[1]),
           SelectWord(mask.w[2], set.w[2], clear.w[2])}};
}

// The four colours a cell's pixel can mix to, by which frames have the pixel set.
struct CellMix {
  Run24 both, only0, only1, none;
};

CellMix MixOfCell(const Tables& t, std::uint8_t a0, std::uint8_t a1, bool attributes) {
  if (!attributes) return {t.grey254, t.grey199, t.grey199, t.black};
  auto mix = [&](int i0, int i1) { return t.mixes[i0 * 16 + i1]; };
  return {mix(InkIndex(a0), InkIndex(a1)), mix(InkIndex(a0), PaperIndex(a1)),
          mix(PaperIndex(a0), InkIndex(a1)), mix(PaperIndex(a0), PaperIndex(a1))};
}

Run24 MixRun(const CellMix& mix, const Run24& m0, const Run24& m1) {
  return Select(m0, Select(m1, mix.both, mix.only0), Select(m1, mix.only1, mix.none));
}

// Row start when the row and the span's columns lie inside the bitmap, else null.
std::uint8_t* RowIfFits(const BitmapView& v, int row, int columnEnd) {
  bool fits = !v.Empty() && row < v.height && columnEnd * 8 <= v.width;
  return fits ? v.Row(row) : nullptr;
}

// Every output byte may alias the tables and the buffers, so a column's runs are all computed
// before its first store, and the row pointers are held in locals.
void RenderRowSpan(const ScreenBuffers& screen, RenderOptions options, const DisplayBitmaps& bm,
                   int y, int columnBegin, int columnEnd) {
  const Tables& t = GetTables();
  std::uint8_t* image1 = RowIfFits(bm.image1, y, columnEnd);
  std::uint8_t* image2 = RowIfFits(bm.image2, y, columnEnd);
  std::uint8_t* preview1 = RowIfFits(bm.preview1, y, columnEnd);
  std::uint8_t* preview2 = RowIfFits(bm.preview2, y, columnEnd);
  const std::uint8_t* pixels = screen.Pixels().data() + y * kRowBytes;
  const std::uint8_t* attrs = screen.Attrs().data() + y * kRowBytes;
  for (int c = columnBegin; c < columnEnd; ++c) {
    std::uint8_t a0 = attrs[c], a1 = attrs[kPlaneBytes + c];
    Run24 m0 = t.masks[pixels[c]];
    Run24 m1 = t.masks[pixels[kPlaneBytes + c]];
    Run24 frame0 = options.attributes
                       ? Select(m0, t.palette[InkIndex(a0)], t.palette[PaperIndex(a0)])
                       : Select(m0, t.white, t.black);
    Run24 frame1 = options.attributes
                       ? Select(m1, t.palette[InkIndex(a1)], t.palette[PaperIndex(a1)])
                       : Select(m1, t.white, t.black);
    Run24 mix0 = frame0, mix1 = frame1;
    if (options.noFlic) mix0 = mix1 = MixRun(MixOfCell(t, a0, a1, options.attributes), m0, m1);
    std::ptrdiff_t offset = 24 * c;
    if (image1) Store(image1 + offset, frame0);
    if (image2) Store(image2 + offset, frame1);
    if (preview1) Store(preview1 + offset, mix0);
    if (preview2) Store(preview2 + offset, mix1);
  }
}

}  // namespace

Rgb FramePixelColor(const ScreenBuffers& screen, FrameIndex f, int x, int y, bool attributes) {
  bool set = screen.Pixel(f, x, y);
  if (!attributes) return set ? MakeRgb(255, 255, 255) : 0;
  return AttrColor(screen.Attr(f, x, y), set ? ColorPart::Ink : ColorPart::Paper);
}

Rgb MixedPixelColor(const ScreenBuffers& screen, int x, int y, bool attributes) {
  bool s0 = screen.Pixel(0, x, y), s1 = screen.Pixel(1, x, y);
  if (!attributes) {
    int grey = MixComponent(s0, s1, s0, s1);
    return MakeRgb(grey, grey, grey);
  }
  std::uint8_t a0 = screen.Attr(0, x, y), a1 = screen.Attr(1, x, y);
  std::uint8_t c0 = s0 ? (a0 & 0x47) : PaperToInk(a0);
  std::uint8_t c1 = s1 ? (a1 & 0x47) : PaperToInk(a1);
  return MixColor(c0, c1);
}

void RenderScreen(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                  RenderOptions options, const DisplayBitmaps& bitmaps) {
  for (int y = 0; y < geometry.DY(); ++y)
    RenderRowSpan(screen, options, bitmaps, y, 0, geometry.DX());
}

void RenderBlock(const ScreenBuffers& screen, const ScreenGeometry& geometry, RenderOptions options,
                 const DisplayBitmaps& bitmaps, int x, int y) {
  int column = x / 8;
  if (column >= geometry.DX()) return;
  int top = y & ~7;
  int bottom = std::min(top + 8, geometry.DY());
  for (int row = top; row < bottom; ++row)
    RenderRowSpan(screen, options, bitmaps, row, column, column + 1);
}

}  // namespace tinto

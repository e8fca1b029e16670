#include "core/model/renderer.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::MakeGeometry;
using test::RandomScreen;

constexpr Rgb kSentinel = MakeRgb(1, 2, 3);

// Display bitmaps of 256 x 192 (unless given) filled with the sentinel colour.
struct Bitmaps : DisplayBitmapSet {
  explicit Bitmaps(int width = 256, int height = 192) : DisplayBitmapSet(width, height) {
    for (Bitmap24* b : All()) b->Fill(kSentinel);
  }
  std::vector<Bitmap24*> All() { return {&image1, &image2, &preview1, &preview2}; }
};

struct ColorCase {
  bool attributes;
  int x;
  Rgb image1, image2, mixed;
};

class RenderScreenColors : public ::testing::TestWithParam<ColorCase> {};

// Pixel 10 of row 5 is set in frame 0 only, pixel 11 in both; the cell's attribute is 0x4A
// (bright red ink, bright blue paper) in both frames.
TEST_P(RenderScreenColors, GiveInkForSetAndPaperForClearPixelsOrWhiteOnBlack) {
  const ColorCase& c = GetParam();
  ScreenBuffers s;
  s.SetPixel(0, 10, 5);
  s.SetPixel(0, 11, 5);
  s.SetPixel(1, 11, 5);
  s.SetAttr(0, 10, 5, 0x4A);
  s.SetAttr(1, 10, 5, 0x4A);
  Bitmaps b(16, 8);
  RenderScreen(s, MakeGeometry(2, 8), {c.attributes, true}, b.Views());
  EXPECT_EQ(b.image1.Pixel(c.x, 5), c.image1);
  EXPECT_EQ(b.image2.Pixel(c.x, 5), c.image2);
  EXPECT_EQ(b.preview1.Pixel(c.x, 5), c.mixed);
  EXPECT_EQ(b.preview2.Pixel(c.x, 5), c.mixed);
}

constexpr Rgb kWhite = MakeRgb(255, 255, 255), kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kBrightRed = MakeRgb(254, 0, 0), kBrightBlue = MakeRgb(0, 0, 254);

INSTANTIATE_TEST_SUITE_P(
    Pixels, RenderScreenColors,
    ::testing::Values(ColorCase{false, 10, kWhite, kBlack, MakeRgb(199, 199, 199)},
                      ColorCase{false, 11, kWhite, kWhite, MakeRgb(254, 254, 254)},
                      ColorCase{false, 12, kBlack, kBlack, kBlack},
                      ColorCase{true, 10, kBrightRed, kBrightBlue, MakeRgb(199, 0, 199)},
                      ColorCase{true, 11, kBrightRed, kBrightRed, kBrightRed},
                      ColorCase{true, 9, kBrightBlue, kBrightBlue, kBrightBlue}));

// Attribute mode, "Attributes", "No Flic": the fast paths against the per-pixel reference
// colours, and nothing written outside the picture or the block.
class RendererMatchesReference : public ::testing::TestWithParam<std::tuple<AttrMode, bool, bool>> {
 protected:
  // Checks every pixel of every bitmap: the reference inside the area, the sentinel outside.
  void ExpectRendered(Bitmaps& b, const ScreenBuffers& s, int left, int top, int right,
                      int bottom) {
    auto [mode, attributes, noFlic] = GetParam();
    for (int y = 0; y < 192; ++y)
      for (int x = 0; x < 256; ++x) {
        const bool inside = x >= left && x < right && y >= top && y < bottom;
        Rgb frame0 = inside ? FramePixelColor(s, 0, x, y, attributes) : kSentinel;
        Rgb frame1 = inside ? FramePixelColor(s, 1, x, y, attributes) : kSentinel;
        Rgb mixed = inside ? MixedPixelColor(s, x, y, attributes) : kSentinel;
        ASSERT_EQ(b.image1.Pixel(x, y), frame0) << x << "," << y;
        ASSERT_EQ(b.image2.Pixel(x, y), frame1) << x << "," << y;
        ASSERT_EQ(b.preview1.Pixel(x, y), noFlic ? mixed : frame0) << x << "," << y;
        ASSERT_EQ(b.preview2.Pixel(x, y), noFlic ? mixed : frame1) << x << "," << y;
      }
  }
  ScreenGeometry Geometry(int dx, int dy) const { return MakeGeometry(dx, dy, Mode()); }
  AttrMode Mode() const { return std::get<0>(GetParam()); }
  RenderOptions Options() const { return {std::get<1>(GetParam()), std::get<2>(GetParam())}; }
};

TEST_P(RendererMatchesReference, WholePicture) {
  for (auto [dx, dy] : {std::pair{32, 192}, std::pair{13, 77}, std::pair{1, 1}}) {
    ScreenBuffers s = RandomScreen(static_cast<unsigned>(dx * dy));
    Bitmaps b;
    RenderScreen(s, Geometry(dx, dy), Options(), b.Views());
    ExpectRendered(b, s, 0, 0, dx * 8, dy);
  }
}

// The block of (x, y), cut at DY 190 near the bottom.
TEST_P(RendererMatchesReference, BlocksAtCornersAndInside) {
  ScreenBuffers s = RandomScreen(4);
  for (auto [x, y] :
       {std::pair{0, 0}, std::pair{255, 189}, std::pair{131, 97}, std::pair{100, 188}}) {
    Bitmaps b;
    RenderBlock(s, Geometry(32, 190), Options(), b.Views(), x, y);
    ExpectRendered(b, s, x & ~7, y & ~7, (x & ~7) + 8, std::min((y & ~7) + 8, 190));
  }
}

INSTANTIATE_TEST_SUITE_P(Options, RendererMatchesReference,
                         ::testing::Combine(::testing::Values(AttrMode::Mode8x1, AttrMode::Mode8x2),
                                            ::testing::Bool(), ::testing::Bool()));

// Views of `width` x `height` pixels inside memory with padding after every row and after the
// last one, all holding a guard byte.
struct GuardedViews {
  static constexpr std::uint8_t kGuard = 0xC3;
  static constexpr int kRowPadding = 5;
  static constexpr int kTailPadding = 64;

  GuardedViews(int width, int height) : width(width), height(height) {
    stride = width * 3 + kRowPadding;
    for (auto& m : memory)
      m.assign(static_cast<std::size_t>(stride * height + kTailPadding), kGuard);
  }
  DisplayBitmaps Views() {
    auto view = [&](int i) { return BitmapView{memory[i].data(), width, height, stride}; };
    return {view(0), view(1), view(2), view(3)};
  }
  // Counts guard bytes that changed: row padding and the tail.
  int DamagedGuards() const {
    int damaged = 0;
    for (const auto& m : memory)
      for (std::size_t i = 0; i < m.size(); ++i) {
        bool inRow = i < static_cast<std::size_t>(stride * height) && int(i % stride) < width * 3;
        if (!inRow && m[i] != kGuard) ++damaged;
      }
    return damaged;
  }

  int width, height, stride;
  std::vector<std::uint8_t> memory[4];
};

// Bitmaps without memory are skipped too.
TEST(Renderer, NeverWritesOutsideBitmapsSmallerThanThePicture) {
  ScreenBuffers s = RandomScreen(5);
  for (auto [width, height] :
       {std::pair{100, 50}, std::pair{256, 10}, std::pair{8, 192}, std::pair{3, 1}}) {
    GuardedViews guarded(width, height);
    for (RenderOptions options : {RenderOptions{true, true}, RenderOptions{false, false}})
      for (const DisplayBitmaps& views : {guarded.Views(), DisplayBitmaps{}}) {
        RenderScreen(s, MakeGeometry(32, 192), options, views);
        for (auto [x, y] :
             {std::pair{255, 191}, std::pair{96, 40}, std::pair{0, 0}, std::pair{104, 8}})
          RenderBlock(s, MakeGeometry(32, 192), options, views, x, y);
      }
    EXPECT_EQ(guarded.DamagedGuards(), 0) << width << "x" << height;
  }
}

}  // namespace
}  // namespace tinto

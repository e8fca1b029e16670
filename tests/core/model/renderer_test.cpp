#include "core/model/renderer.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

constexpr Rgb kSentinel = MakeRgb(1, 2, 3);

using test::MakeGeometry;

ScreenBuffers RandomScreen(unsigned seed) {
  std::mt19937 random(seed);
  ScreenBuffers s;
  for (std::uint8_t& b : s.Pixels()) b = static_cast<std::uint8_t>(random());
  for (std::uint8_t& b : s.Attrs()) b = static_cast<std::uint8_t>(random());
  return s;
}

struct Bitmaps {
  Bitmap24 image1, image2, preview1, preview2;

  Bitmaps(int width, int height, Rgb fill = kSentinel)
      : image1(width, height),
        image2(width, height),
        preview1(width, height),
        preview2(width, height) {
    for (Bitmap24* b : All()) b->Fill(fill);
  }
  std::vector<Bitmap24*> All() { return {&image1, &image2, &preview1, &preview2}; }
  DisplayBitmaps Views() {
    return {image1.View(), image2.View(), preview1.View(), preview2.View()};
  }
};

TEST(RenderScreen, WithoutAttributesSetPixelsAreWhiteAndMixToGreys) {
  ScreenBuffers s;
  s.SetPixel(0, 10, 5);  // frame 0 only
  s.SetPixel(0, 11, 5);  // both frames
  s.SetPixel(1, 11, 5);
  s.SetAttr(0, 10, 5, 0x4A);
  Bitmaps b(16, 8);
  RenderScreen(s, MakeGeometry(2, 8), {false, true}, b.Views());
  EXPECT_EQ(b.image1.Pixel(10, 5), MakeRgb(255, 255, 255));
  EXPECT_EQ(b.image2.Pixel(10, 5), MakeRgb(0, 0, 0));
  EXPECT_EQ(b.preview1.Pixel(10, 5), MakeRgb(199, 199, 199));
  EXPECT_EQ(b.preview2.Pixel(10, 5), MakeRgb(199, 199, 199));
  EXPECT_EQ(b.preview1.Pixel(11, 5), MakeRgb(254, 254, 254));
  EXPECT_EQ(b.preview1.Pixel(12, 5), MakeRgb(0, 0, 0));
}

TEST(RenderScreen, AttributesGiveInkForSetAndPaperForClearPixels) {
  ScreenBuffers s;
  s.SetPixel(0, 10, 5);
  s.SetAttr(0, 10, 5, 0x4A);  // bright red ink, bright blue paper
  s.SetAttr(1, 10, 5, 0x4A);
  Bitmaps b(16, 8);
  RenderScreen(s, MakeGeometry(2, 8), {true, true}, b.Views());
  EXPECT_EQ(b.image1.Pixel(10, 5), MakeRgb(254, 0, 0));
  EXPECT_EQ(b.image2.Pixel(10, 5), MakeRgb(0, 0, 254));
  EXPECT_EQ(b.preview1.Pixel(10, 5), MakeRgb(199, 0, 199));
  EXPECT_EQ(b.preview2.Pixel(10, 5), MakeRgb(199, 0, 199));
  EXPECT_EQ(b.image1.Pixel(9, 5), MakeRgb(0, 0, 254));  // same cell, pixel clear
  EXPECT_EQ(b.preview1.Pixel(9, 5), MakeRgb(0, 0, 254));
}

TEST(RenderScreen, WithoutNoFlicThePreviewsCopyTheFrames) {
  ScreenBuffers s = RandomScreen(1);
  Bitmaps b(256, 192);
  RenderScreen(s, MakeGeometry(32, 192), {true, false}, b.Views());
  EXPECT_TRUE(b.preview1 == b.image1);
  EXPECT_TRUE(b.preview2 == b.image2);
  EXPECT_FALSE(b.image1 == b.image2);
}

TEST(RenderScreen, SmallestPictureFillsEightByOnePixels) {
  ScreenBuffers s = RandomScreen(2);
  Bitmaps exact(8, 1);
  RenderScreen(s, MakeGeometry(1, 1), {true, true}, exact.Views());
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(exact.image1.Pixel(x, 0), FramePixelColor(s, 0, x, 0, true));
  Bitmaps larger(16, 4);
  RenderScreen(s, MakeGeometry(1, 1), {true, true}, larger.Views());
  for (Bitmap24* bitmap : larger.All())
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 16; ++x)
        EXPECT_EQ(bitmap->Pixel(x, y) == kSentinel, x >= 8 || y >= 1) << x << "," << y;
}

TEST(RenderBlock, NearTheBottomRendersOnlyRowsOfThePicture) {
  ScreenBuffers s = RandomScreen(3);
  Bitmaps b(256, 192);
  RenderBlock(s, MakeGeometry(32, 190), {true, true}, b.Views(), 100, 188);
  for (Bitmap24* bitmap : b.All())
    for (int y = 0; y < 192; ++y)
      for (int x = 0; x < 256; ++x) {
        bool inBlock = x >= 96 && x < 104 && y >= 184 && y <= 189;
        ASSERT_EQ(bitmap->Pixel(x, y) == kSentinel, !inBlock) << x << "," << y;
      }
}

// Attribute mode, "Attributes", "No Flic".
class RendererMatchesReference : public ::testing::TestWithParam<std::tuple<AttrMode, bool, bool>> {
 protected:
  void ExpectPixel(Bitmaps& b, const ScreenBuffers& s, int x, int y) {
    auto [mode, attributes, noFlic] = GetParam();
    Rgb frame0 = FramePixelColor(s, 0, x, y, attributes);
    Rgb frame1 = FramePixelColor(s, 1, x, y, attributes);
    Rgb mixed = MixedPixelColor(s, x, y, attributes);
    ASSERT_EQ(b.image1.Pixel(x, y), frame0) << x << "," << y;
    ASSERT_EQ(b.image2.Pixel(x, y), frame1) << x << "," << y;
    ASSERT_EQ(b.preview1.Pixel(x, y), noFlic ? mixed : frame0) << x << "," << y;
    ASSERT_EQ(b.preview2.Pixel(x, y), noFlic ? mixed : frame1) << x << "," << y;
  }
  RenderOptions Options() const { return {std::get<1>(GetParam()), std::get<2>(GetParam())}; }
};

TEST_P(RendererMatchesReference, WholeScreen) {
  for (auto [dx, dy] : {std::pair{32, 192}, std::pair{13, 77}}) {
    ScreenBuffers s = RandomScreen(static_cast<unsigned>(dx * dy));
    Bitmaps b(dx * 8, dy);
    RenderScreen(s, MakeGeometry(dx, dy, std::get<0>(GetParam())), Options(), b.Views());
    for (int y = 0; y < dy; ++y)
      for (int x = 0; x < dx * 8; ++x) ExpectPixel(b, s, x, y);
  }
}

TEST_P(RendererMatchesReference, BlocksAtCornersAndInside) {
  ScreenBuffers s = RandomScreen(4);
  for (auto [x, y] :
       {std::pair{0, 0}, std::pair{255, 191}, std::pair{131, 97}, std::pair{7, 190}}) {
    Bitmaps b(256, 192);
    RenderBlock(s, MakeGeometry(32, 192, std::get<0>(GetParam())), Options(), b.Views(), x, y);
    for (int row = y & ~7; row < (y & ~7) + 8; ++row)
      for (int column = x & ~7; column < (x & ~7) + 8; ++column) ExpectPixel(b, s, column, row);
    EXPECT_EQ(b.image1.Pixel((x & ~7) ^ 8, y), kSentinel);
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

TEST(Renderer, NeverWritesOutsideBitmapsSmallerThanThePicture) {
  ScreenBuffers s = RandomScreen(5);
  for (auto [width, height] :
       {std::pair{100, 50}, std::pair{256, 10}, std::pair{8, 192}, std::pair{3, 1}}) {
    GuardedViews guarded(width, height);
    for (RenderOptions options : {RenderOptions{true, true}, RenderOptions{false, false}}) {
      RenderScreen(s, MakeGeometry(32, 192), options, guarded.Views());
      for (auto [x, y] :
           {std::pair{255, 191}, std::pair{96, 40}, std::pair{0, 0}, std::pair{104, 8}})
        RenderBlock(s, MakeGeometry(32, 192), options, guarded.Views(), x, y);
    }
    EXPECT_EQ(guarded.DamagedGuards(), 0) << width << "x" << height;
  }
}

TEST(Renderer, EmptyBitmapsAreSkipped) {
  ScreenBuffers s = RandomScreen(6);
  DisplayBitmaps none;
  RenderScreen(s, MakeGeometry(32, 192), {true, true}, none);
  RenderBlock(s, MakeGeometry(32, 192), {true, true}, none, 0, 0);
  SUCCEED();
}

}  // namespace
}  // namespace tinto

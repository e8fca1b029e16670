#include "core/model/renderer.h"

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::MakeGeometry;
using test::Points;
using test::RandomScreen;

constexpr Rgb kSentinel = MakeRgb(1, 2, 3);

// Display bitmaps of 256 x 192 (unless given) filled with the sentinel colour.
struct Bitmaps : DisplayBitmapSet {
  explicit Bitmaps(int width = 256, int height = 192) : DisplayBitmapSet(width, height) {
    for (Bitmap24* b : {&image1, &image2, &preview1, &preview2}) b->Fill(kSentinel);
  }
};

// Pixel 10 of row 5 is set in frame 0 only, pixel 9 in neither; the cell's attribute is 0x4A
// (bright red ink, bright blue paper) in both frames. Equal frames mix to their own colour.
TEST(RenderScreen, GivesInkForSetAndPaperForClearPixelsOrWhiteOnBlack) {
  constexpr Rgb kWhite = MakeRgb(255, 255, 255), kBlack = 0;
  constexpr Rgb kBrightRed = MakeRgb(254, 0, 0), kBrightBlue = MakeRgb(0, 0, 254);
  // Attributes, x -> frame 0, frame 1 and the mix in both previews ("No Flic").
  const std::tuple<bool, int, Rgb, Rgb, Rgb> cases[] = {
      {false, 10, kWhite, kBlack, MakeRgb(199, 199, 199)},
      {true, 10, kBrightRed, kBrightBlue, MakeRgb(199, 0, 199)},
      {true, 9, kBrightBlue, kBrightBlue, kBrightBlue}};
  ScreenBuffers s;
  test::Put(
      s, test::Bytes(test::Pix(0, 5, 1, 0x20), test::Att(0, 5, 1, 0x4A), test::Att(1, 5, 1, 0x4A)));
  for (auto [attributes, x, image1, image2, mixed] : cases) {
    Bitmaps b(16, 8);
    RenderScreen(s, MakeGeometry(2, 8), {attributes, true}, b.Views());
    EXPECT_EQ((std::vector<Rgb>{b.image1.Pixel(x, 5), b.image2.Pixel(x, 5), b.preview1.Pixel(x, 5),
                                b.preview2.Pixel(x, 5)}),
              (std::vector<Rgb>{image1, image2, mixed, mixed}))
        << attributes << " " << x;
  }
}

// The first pixel, from the top row down, that differs from the per-pixel reference colours
// inside [left, right) x [top, bottom) or from the sentinel outside; "" when none does.
std::string FirstWrongPixel(Bitmaps& b, const ScreenBuffers& s, RenderOptions options, int left,
                            int top, int right, int bottom) {
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) {
      const bool inside = x >= left && x < right && y >= top && y < bottom;
      const Rgb frame0 = inside ? FramePixelColor(s, 0, x, y, options.attributes) : kSentinel;
      const Rgb frame1 = inside ? FramePixelColor(s, 1, x, y, options.attributes) : kSentinel;
      const Rgb mixed = inside ? MixedPixelColor(s, x, y, options.attributes) : kSentinel;
      if (b.image1.Pixel(x, y) != frame0 || b.image2.Pixel(x, y) != frame1 ||
          b.preview1.Pixel(x, y) != (options.noFlic ? mixed : frame0) ||
          b.preview2.Pixel(x, y) != (options.noFlic ? mixed : frame1))
        return std::to_string(x) + "," + std::to_string(y);
    }
  return "";
}

// Attribute mode, "Attributes", "No Flic": the fast paths against the per-pixel reference
// colours, and nothing written outside the picture or the block (cut at DY 190 near the bottom).
TEST(Renderer, WholePictureAndBlocksMatchTheReferenceColours) {
  for (AttrMode mode : {AttrMode::Mode8x1, AttrMode::Mode8x2})
    for (RenderOptions options : {RenderOptions{false, false}, RenderOptions{false, true},
                                  RenderOptions{true, false}, RenderOptions{true, true}}) {
      SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " attributes "
                                      << options.attributes << " no flic " << options.noFlic);
      for (auto [dx, dy] : Points{{32, 192}, {13, 77}, {1, 1}}) {
        ScreenBuffers s = RandomScreen(static_cast<unsigned>(dx * dy));
        Bitmaps b;
        RenderScreen(s, MakeGeometry(dx, dy, mode), options, b.Views());
        EXPECT_EQ(FirstWrongPixel(b, s, options, 0, 0, dx * 8, dy), "") << dx << "x" << dy;
      }
      ScreenBuffers s = RandomScreen(4);
      for (auto [x, y] : Points{{0, 0}, {255, 189}, {131, 97}, {100, 188}}) {
        Bitmaps b;
        RenderBlock(s, MakeGeometry(32, 190, mode), options, b.Views(), x, y);
        const int left = x & ~7, top = y & ~7;
        EXPECT_EQ(FirstWrongPixel(b, s, options, left, top, left + 8, std::min(top + 8, 190)), "")
            << "block of " << x << "," << y;
      }
    }
}

// Views of `width` x `height` pixels inside memory with padding after every row and after the
// last one, all holding a guard byte.
struct GuardedViews {
  static constexpr std::uint8_t kGuard = 0xC3;
  GuardedViews(int width, int height) : width(width), height(height), stride(width * 3 + 5) {
    for (auto& m : memory) m.assign(static_cast<std::size_t>(stride * height + 64), kGuard);
  }
  DisplayBitmaps Views() {
    auto view = [&](int i) { return BitmapView{memory[i].data(), width, height, stride}; };
    return {view(0), view(1), view(2), view(3)};
  }
  // Counts guard bytes that changed: row padding and the tail.
  int DamagedGuards() const {
    int damaged = 0;
    for (const auto& m : memory)
      for (int i = 0; i < static_cast<int>(m.size()); ++i)
        damaged += (i >= stride * height || i % stride >= width * 3) && m[i] != kGuard;
    return damaged;
  }

  int width, height, stride;
  std::vector<std::uint8_t> memory[4];
};

// Bitmaps without memory are skipped too.
TEST(Renderer, NeverWritesOutsideBitmapsSmallerThanThePicture) {
  ScreenBuffers s = RandomScreen(5);
  for (auto [width, height] : Points{{100, 50}, {256, 10}, {8, 192}, {3, 1}}) {
    GuardedViews guarded(width, height);
    for (RenderOptions options : {RenderOptions{true, true}, RenderOptions{false, false}})
      for (const DisplayBitmaps& views : {guarded.Views(), DisplayBitmaps{}}) {
        RenderScreen(s, MakeGeometry(32, 192), options, views);
        for (auto [x, y] : Points{{255, 191}, {96, 40}, {0, 0}, {104, 8}})
          RenderBlock(s, MakeGeometry(32, 192), options, views, x, y);
      }
    EXPECT_EQ(guarded.DamagedGuards(), 0) << width << "x" << height;
  }
}

}  // namespace
}  // namespace tinto

#include "core/import/perceptual_conversion.h"

#include "core/import/conversion_test_helpers.h"
#include "core/model/model_test_helpers.h"
#include "core/model/renderer.h"

namespace tinto {
namespace {

ImportOptions PerceptualOptions(int dx, int dy, int mltLeft, int mltWidth, bool tintoMode) {
  // clang-format off
  return {.Method = ImportMethod::Perceptual, .TintoMode = tintoMode, .DX = dx, .DY = dy,
          .MLTLeft = mltLeft, .MLTWidth = mltWidth};
  // clang-format on
}

using test::Convert;
using test::Converted;

// DX, DY, MLT window, 8x2 mode; rows per cell outside and inside the window. Every row of a cell
// carries the cell's attribute, bit 7 stays clear, nothing is written beyond DX by DY, and the
// previews show each frame exactly as the renderer shows the result.
TEST(PerceptualConversion, KeepsEveryCellToOneAttributePerFrame) {
  const int cases[][7] = {{32, 192, 0, 18, 0, 8, 1},
                          {20, 45, 5, 6, 0, 8, 1},    // 8x8 cells both sides, a short last row
                          {12, 31, 0, 18, 1, 2, 2}};  // 8x2 everywhere, the window means nothing
  for (auto [dx, dy, mltLeft, mltWidth, tintoMode, rowsOutside, rowsInside] : cases) {
    SCOPED_TRACE(testing::Message() << dx << "x" << dy);
    const Converted c = Convert(test::BusyPicture(200, 150, 7),
                                PerceptualOptions(dx, dy, mltLeft, mltWidth, tintoMode));
    for (FrameIndex f = 0; f < 2; ++f)
      for (int row = 0; row < kScreenHeight; ++row)
        for (int column = 0; column < kRowBytes; ++column) {
          const std::uint8_t attr = c.result.AttrByte(f, row, column);
          if (row >= dy || column >= dx) {
            EXPECT_EQ(attr | c.result.PixelByte(f, row, column), 0);
            continue;
          }
          EXPECT_EQ(attr & 0x80, 0);
          const bool inside = column >= mltLeft && column < mltLeft + mltWidth;
          const int rows = inside ? rowsInside : rowsOutside;
          EXPECT_EQ(attr, c.result.AttrByte(f, row - row % rows, column)) << row << "," << column;
        }
    for (int y = 0; y < dy; ++y)
      for (int x = 0; x < dx * 8; ++x) {
        ASSERT_EQ(c.dest1.Pixel(x, y), FramePixelColor(c.screen, 0, x, y, true));
        ASSERT_EQ(c.dest2.Pixel(x, y), FramePixelColor(c.screen, 1, x, y, true));
      }
  }
}

// Colours the static mix shows exactly: (199, 0, 199) is bright red in one frame and bright blue
// in the other; (127, 127, 0) normal yellow over black; (223, 223, 223) bright white over white.
// A flat picture of such a colour comes out as that colour at every pixel.
TEST(PerceptualConversion, ShowsAFlatMixableColourExactly) {
  for (Rgb color : {MakeRgb(199, 0, 199), MakeRgb(127, 127, 0), MakeRgb(223, 223, 223),
                    MakeRgb(0, 0, 0), MakeRgb(254, 254, 254)}) {
    const Converted c = Convert(test::Filled(64, 24, color), PerceptualOptions(8, 24, 2, 3, false));
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 64; ++x)
        ASSERT_EQ(MixedPixelColor(c.screen, x, y, true), color) << std::hex << color;
  }
}

TEST(PerceptualConversion, ConvertsBeyondTheSourceAsBlack) {
  const Converted c =
      Convert(test::Filled(8, 8, MakeRgb(254, 254, 254)), PerceptualOptions(2, 16, 0, 1, false));
  EXPECT_EQ(MixedPixelColor(c.screen, 3, 3, true), MakeRgb(254, 254, 254));
  EXPECT_EQ(MixedPixelColor(c.screen, 12, 3, true), MakeRgb(0, 0, 0));
  EXPECT_EQ(MixedPixelColor(c.screen, 3, 12, true), MakeRgb(0, 0, 0));
}

}  // namespace
}  // namespace tinto

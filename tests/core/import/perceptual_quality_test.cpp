// How close the Perceptual conversion comes to small pictures of three kinds, each with a ceiling
// a little above what the method reaches: a broken error diffusion (its sign flipped, or none)
// breaks through them.

#include "core/import/conversion_test_helpers.h"
#include "core/import/diffusion_rows.h"
#include "core/model/model_test_helpers.h"
#include "core/quality/flicker.h"
#include "core/quality/picture_score.h"

namespace tinto {
namespace {

constexpr int kWidth = 64, kHeight = 48, kMltWidth = 4;  // half 8x1 cells, half 8x8

Bitmap24 Picture(Rgb (*colour)(int x, int y)) { return test::Painted(kWidth, kHeight, colour); }

Rgb Gradient(int x, int y) { return MakeRgb(x * 4, y * 5, 255 - x * 2); }

// Dark blue and light orange either side of a slanted border, crossed by a white line.
Rgb Edge(int x, int y) {
  if (x == 40) return MakeRgb(250, 250, 250);
  return x + y / 2 < 36 ? MakeRgb(30, 40, 90) : MakeRgb(240, 180, 120);
}

struct Seen {
  PictureScore score;
  FlickerFigures flicker;
};

Seen Convert(const Bitmap24& source, int flickerWeight = ImportOptions{}.FlickerWeight) {
  const ImportOptions options{.Method = ImportMethod::Perceptual,
                              .DX = kWidth / 8,
                              .DY = kHeight,
                              .MLTLeft = 0,
                              .MLTWidth = kMltWidth,
                              .FlickerWeight = flickerWeight};
  const ScreenBuffers screen = test::Convert(source, options).screen;
  const ScreenGeometry geometry =
      test::MakeGeometry(options.DX, kHeight, AttrMode::Mode8x1, 0, kMltWidth);
  return {ScoreReference(source).Score(StaticMix(screen, geometry)),
          MeasureFlicker(screen, geometry)};
}

// Reached now: 6.48, 8.78 and 10.10. With the error's sign flipped: 7.45, 9.39, 13.02; with no
// diffusion at all: 7.63, 9.24, 13.02.
TEST(PerceptualQuality, BlurredErrorStaysUnderItsCeiling) {
  EXPECT_LT(Convert(Picture(Gradient)).score.de00Blur, 7.0);
  EXPECT_LT(Convert(test::BusyPicture(kWidth, kHeight, 7)).score.de00Blur, 9.1);
  EXPECT_LT(Convert(Picture(Edge)).score.de00Blur, 11.0);
}

// Weight 0 reaches 0.274 flicker at 6.02 blurred error; the default 0.166 at 6.48.
TEST(PerceptualQuality, DefaultFlickerWeightCutsFlickerForALittleError) {
  const Seen none = Convert(Picture(Gradient), 0), standard = Convert(Picture(Gradient));
  EXPECT_LT(standard.flicker.mean, 0.67 * none.flicker.mean);
  EXPECT_LT(standard.score.de00Blur, none.score.de00Blur + 0.6);
}

// An error of (16, 32, -16) at x = 2 of a row five wide, scanned left to right and then right to
// left: 7, 3, 5 and 1 sixteenths, mirrored.
TEST(DiffusionRows, PassesFloydSteinbergSharesOnInScanOrder) {
  DiffusionRows rows(5);
  rows.Diffuse({16, 32, -16}, 2, 1);
  EXPECT_EQ(rows.This(3), (LinearColor{7, 14, -7}));
  EXPECT_EQ(rows.Below(1), (LinearColor{3, 6, -3}));
  EXPECT_EQ(rows.Below(2), (LinearColor{5, 10, -5}));
  EXPECT_EQ(rows.Below(3), (LinearColor{1, 2, -1}));
  EXPECT_EQ(rows.This(1), LinearColor{});
  rows.NextRow();
  EXPECT_EQ(rows.This(1), (LinearColor{3, 6, -3}));
  EXPECT_EQ(rows.Below(2), LinearColor{});
  rows.Diffuse({16, 0, 0}, 0, -1);  // at the left edge the spare entries take what falls off
  EXPECT_EQ(rows.Below(0)[0], 5);
  EXPECT_EQ(rows.Below(1)[0], 3);
  EXPECT_EQ(rows.This(1)[0], 3);
}

}  // namespace
}  // namespace tinto

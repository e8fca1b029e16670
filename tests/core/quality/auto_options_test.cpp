#include "core/quality/auto_options.h"

#include "core/import/conversion_test_helpers.h"
#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

// A small photo-like picture: two gradients and a darker disc.
Bitmap24 SmallPhoto() {
  return test::Painted(64, 48, [](int x, int y) {
    const bool disc = (x - 40) * (x - 40) + (y - 20) * (y - 20) < 120;
    return disc ? MakeRgb(150, 60, 30) : MakeRgb(3 * x, 40 + 4 * y, 200 - 2 * y);
  });
}

constexpr ImportOptions kSmallPicture{
    .Stretch = false, .DX = 8, .DY = 48, .MLTLeft = 2, .MLTWidth = 4};

PictureScore ScoreOf(const Bitmap24& photo, const ScoreReference& reference,
                     const ImportOptions& options) {
  const ScreenBuffers screen = test::Convert(photo, options).screen;
  return reference.Score(StaticMix(screen, test::MakeGeometry(options.DX, options.DY)));
}

// The cat photo of a user's report (9.40 / 0.649 with Perceptual, 5.97 / 0.172 classic), a
// result within the margin, NaNs (a picture too small for SSIM) and ties.
TEST(AutoOptions, TakesTheLeastErrorAmongResultsThatKeepTheStructure) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const std::pair<std::vector<AutoScore>, std::size_t> cases[] = {
      {{{9.40, 0.649}, {5.97, 0.172}}, 0}, {{{5.97, 0.172}, {9.40, 0.649}, {8.10, 0.61}}, 2},
      {{{7.0, 0.60}, {6.0, 0.5501}}, 1},   {{{7.0, 0.60}, {6.0, 0.5499}}, 0},
      {{{7.0, kNan}, {6.0, kNan}}, 1},     {{{7.0, 0.3}, {6.0, kNan}}, 1},
      {{{6.0, 0.5}, {6.0, 0.5}}, 0},
  };
  for (const auto& [scores, choice] : cases) EXPECT_EQ(ChooseAutoResult(scores), choice);
}

// The choice is an ordinary conversion with the options it names, never far behind the structure
// of the perceptual result it also saw, and chosen over that result only with less error or
// more structure.
TEST(AutoOptions, ChoosesAnOrdinaryConversionThatKeepsTheStructure) {
  const Bitmap24 photo = SmallPhoto();
  const FittedImportOptions start = FitImportOptions(kSmallPicture);
  const ScoreReference reference(PhotoAtPictureSize(photo, start));
  const AutoOptions found = FindAutoOptions(photo, reference, start);
  EXPECT_EQ(std::tuple(found.options->DX, found.options->MLTLeft, found.options->MLTWidth),
            std::tuple(start->DX, start->MLTLeft, start->MLTWidth));
  const PictureScore chosen = ScoreOf(photo, reference, *found.options);
  EXPECT_EQ(chosen.de00Blur, found.de00Blur);
  EXPECT_EQ(chosen.ssimY, found.ssimY);
  ImportOptions perceptual = *start;
  perceptual.Method = ImportMethod::Perceptual;
  const PictureScore other = ScoreOf(photo, reference, perceptual);
  EXPECT_GE(found.ssimY, other.ssimY - kAutoSsimMargin);
  if (found.options->Method == ImportMethod::Classic) {
    EXPECT_TRUE(found.options->Dither);
    EXPECT_TRUE(found.de00Blur <= other.de00Blur || found.ssimY > other.ssimY);
  }
}

}  // namespace
}  // namespace tinto

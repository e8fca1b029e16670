#include "core/quality/auto_options.h"

#include "core/import/convert_import.h"
#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

// A small photo-like picture: two gradients and a darker disc.
Bitmap24 SmallPhoto() {
  Bitmap24 photo(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const bool disc = (x - 40) * (x - 40) + (y - 20) * (y - 20) < 120;
      photo.SetPixel(x, y, disc ? MakeRgb(150, 60, 30) : MakeRgb(3 * x, 40 + 4 * y, 200 - 2 * y));
    }
  return photo;
}

constexpr ImportOptions kSmallPicture{.DX = 8, .DY = 48, .MLTLeft = 2, .MLTWidth = 4};

double ErrorOf(const Bitmap24& photo, const ScoreReference& reference, ImportOptions options) {
  ImportResult result;
  Bitmap24 dest1, dest2;
  ConvertImport(photo, options, result, dest1, dest2);
  ScreenBuffers screen;
  screen.LoadScreen(result.pixels, result.attrs);
  return reference.BlurredError(StaticMix(screen, test::MakeGeometry(options.DX, options.DY)));
}

TEST(AutoOptions, ChoosesAnOrdinaryConversionNoWorseThanTheStart) {
  const Bitmap24 photo = SmallPhoto();
  const ImportOptions start = kSmallPicture;
  const ScoreReference reference(PhotoAtPictureSize(photo, /*stretch=*/false, start));
  const AutoOptions found = FindAutoOptions(photo, reference, start);
  EXPECT_TRUE(found.options.Dither);
  EXPECT_EQ(std::tuple(found.options.DX, found.options.MLTLeft, found.options.MLTWidth),
            std::tuple(start.DX, start.MLTLeft, start.MLTWidth));
  EXPECT_EQ(ErrorOf(photo, reference, found.options), found.de00Blur);
  ImportOptions dithered = start;
  dithered.Dither = true;
  EXPECT_LT(found.de00Blur, ErrorOf(photo, reference, dithered));
}

TEST(AutoOptions, PhotoAtPictureSizeCutsOrResizes) {
  const Bitmap24 photo = SmallPhoto();
  const ImportOptions options{.DX = 4, .DY = 20, .MLTLeft = 2, .MLTWidth = 4};
  const Bitmap24 cut = PhotoAtPictureSize(photo, /*stretch=*/false, options);
  ASSERT_EQ(std::pair(cut.Width(), cut.Height()), std::pair(32, 20));
  EXPECT_EQ(cut.Pixel(31, 19), photo.Pixel(31, 19));
  const Bitmap24 resized = PhotoAtPictureSize(photo, /*stretch=*/true, options);
  ASSERT_EQ(std::pair(resized.Width(), resized.Height()), std::pair(32, 20));
  EXPECT_NE(resized.Pixel(31, 19), photo.Pixel(31, 19));
}

}  // namespace
}  // namespace tinto

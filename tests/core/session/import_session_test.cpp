#include "core/session/import_session.h"

#include "core/import/resampler.h"
#include "core/import/source_picture.h"
#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

// A gradient whose parts all convert differently.
Bitmap24 Gradient(int width, int height) {
  Bitmap24 picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.SetPixel(x, y, MakeRgb((x * 7) & 255, (y * 5) & 255, (x + y) & 255));
  return picture;
}

ScreenBuffers ScreenOf(const ImportResult& result) {
  ScreenBuffers screen;
  screen.LoadScreen(result.pixels, result.attrs);
  return screen;
}

// Without a picture there is nothing to show, crop or convert, and the result stays.
TEST(ImportSession, WithoutAPictureNothingChanges) {
  ImportSession session;
  EXPECT_FALSE(session.Convert());
  EXPECT_FALSE(session.Prepare());
  EXPECT_FALSE(session.Crop({0, 0, 8, 8}));
  EXPECT_FALSE(session.PreviewLevels());
  EXPECT_FALSE(session.Score().has_value());
  EXPECT_EQ(session.Result().attrs, ScreenBlock{});
  EXPECT_EQ(session.FitSizeToPicture(), FittedImportOptions());
}

// 100 x 50 without Stretch: DX 12, DY 50, the window pulled into DX, the picture itself shown.
TEST(ImportSession, WithoutStretchTheSizeFollowsThePicture) {
  ImportSession session;
  session.SetPicture(Gradient(100, 50));
  session.SetOptions({.Stretch = false, .MLTLeft = 3});
  EXPECT_EQ(std::tuple(session.FitSizeToPicture()->DX, session.Options()->DY,
                       session.Options()->MLTLeft, session.Options()->MLTWidth),
            std::tuple(12, 50, 0, 12));
  ASSERT_TRUE(session.Prepare());
  EXPECT_EQ(session.Shown(), &session.Picture());
}

struct PrepareStep {
  int seed;  // a new picture when it differs from the previous step's
  bool stretch;
  int dx, dy;
  int filter;
};

// Every Prepare shows exactly what resampling the current picture afresh shows, whatever was
// kept from the step before.
TEST(ImportSession, TheKeptResampledCopyIsNeverStale) {
  const PrepareStep steps[] = {
      {1, true, 4, 24, 5}, {1, true, 4, 24, 5}, {1, true, 5, 24, 5},  {1, true, 5, 30, 5},
      {1, true, 5, 30, 1}, {2, true, 5, 30, 1}, {2, false, 5, 30, 1}, {2, true, 5, 30, 1},
  };
  ImportSession session;
  int seed = 0;
  for (const PrepareStep& step : steps) {
    if (step.seed != seed) session.SetPicture(Gradient(50 + (seed = step.seed), 40));
    session.SetOptions(
        {.Stretch = step.stretch, .Filter = step.filter, .DX = step.dx, .DY = step.dy});
    ASSERT_TRUE(session.Prepare());
    Bitmap24 expected = Gradient(50 + step.seed, 40);
    if (step.stretch) {
      Bitmap24 resampled(step.dx * 8, step.dy);
      ASSERT_TRUE(Stretch(expected, resampled, kResampleFilters[step.filter]));
      expected = resampled;
    }
    ASSERT_NE(session.Shown(), nullptr);
    EXPECT_EQ(*session.Shown(), expected) << "seed " << step.seed << " dx " << step.dx;
  }
}

// The crop comes from the shown (resampled) bitmap and becomes the picture; the old picture's
// conversion stays as the result until the next one, but has no score any more.
TEST(ImportSession, CropReplacesThePictureWithPartOfTheShownOne) {
  ImportSession session;
  session.SetPicture(Gradient(100, 50));
  session.SetOptions({.DX = 4, .DY = 20});
  ASSERT_TRUE(session.Convert());
  const ImportResult converted = session.Result();
  const Bitmap24 shown = *session.Shown();
  EXPECT_FALSE(session.Crop({40, 0, 50, 8}));
  ASSERT_TRUE(session.Crop({8, 4, 24, 12}));
  EXPECT_EQ(session.Picture(), CropBitmap(shown, 8, 4, 24, 12));
  EXPECT_EQ(std::pair(session.Options()->DX, session.Options()->DY), std::pair(4, 20));
  EXPECT_EQ(session.Result().attrs, converted.attrs);
  EXPECT_FALSE(session.Score().has_value());
}

// With Stretch the readout is `tinto score` of the written picture; without, the picture's part
// that was converted is the photo. A Realtime step leaves both the result and its score.
TEST(ImportSession, ScoreComparesWithThePhotoTheConversionRead) {
  for (bool stretch : {false, true}) {
    ImportSession session;
    session.SetPicture(Gradient(70, 40));
    session.SetOptions({.Stretch = stretch, .DX = 6, .DY = 30, .MLTLeft = 1, .MLTWidth = 3});
    ASSERT_TRUE(session.Convert());
    const ScreenBuffers screen = ScreenOf(session.Result());
    const ScreenGeometry geometry = ImportGeometry(*session.Options());
    const PictureScore expected = stretch
                                      ? ScorePicture(session.Picture(), screen, geometry)
                                      : ScoreReference(CropBitmap(session.Picture(), 0, 0, 48, 30))
                                            .Score(StaticMix(screen, geometry));
    const std::optional<PictureScore> score = session.Score();
    ASSERT_TRUE(score.has_value());
    EXPECT_EQ(std::tuple(score->de00, score->de00Blur, score->ssimY),
              std::tuple(expected.de00, expected.de00Blur, expected.ssimY))
        << stretch;
    ImportOptions moved = *session.Options();
    moved.LR = 10;
    session.SetOptions(moved);
    ASSERT_TRUE(session.PreviewLevels());
    EXPECT_EQ(ScreenOf(session.Result()).Attrs(), screen.Attrs());
    EXPECT_EQ(session.Score()->de00Blur, expected.de00Blur);
  }
}

// Auto's choice becomes the options, and the result is what converting with them gives.
TEST(ImportSession, AutoConvertsWithWhatItChose) {
  ImportSession session;
  session.SetPicture(Gradient(64, 48));
  session.SetOptions({.Stretch = false});
  session.FitSizeToPicture();
  AutoOptions found;
  ASSERT_TRUE(session.RunAuto(found));
  EXPECT_EQ(session.Options(), found.options);
  ImportSession again;
  again.SetPicture(Gradient(64, 48));
  again.SetOptions(*found.options);
  ASSERT_TRUE(again.Convert());
  EXPECT_EQ(again.Result().attrs, session.Result().attrs);
  EXPECT_EQ(again.Result().pixels, session.Result().pixels);
  EXPECT_EQ(session.Score()->de00Blur, found.de00Blur);
}

}  // namespace
}  // namespace tinto

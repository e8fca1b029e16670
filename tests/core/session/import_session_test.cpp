#include "core/session/import_session.h"

#include "core/import/resampler.h"
#include "core/import/source_picture.h"
#include "core/model/model_test_helpers.h"
#include "core/session/import_section.h"
#include "support/temp_dir.h"
#include "support/test_common.h"

namespace tinto {
namespace {

// A gradient whose parts all convert differently.
Bitmap24 Gradient(int width, int height) {
  return test::Painted(width, height, [](int x, int y) {
    return MakeRgb((x * 7) & 255, (y * 5) & 255, (x + y) & 255);
  });
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

// Every Prepare shows exactly what resampling the current picture afresh shows, whatever was
// kept from the step before.
TEST(ImportSession, TheKeptResampledCopyIsNeverStale) {
  // Picture (a new one when it differs from the previous step's), stretch, DX, DY, filter.
  const int steps[][5] = {
      {1, true, 4, 24, 5}, {1, true, 4, 24, 5}, {1, true, 5, 24, 5},  {1, true, 5, 30, 5},
      {1, true, 5, 30, 1}, {2, true, 5, 30, 1}, {2, false, 5, 30, 1}, {2, true, 5, 30, 1},
  };
  ImportSession session;
  int seed = 0;
  for (auto [picture, stretch, dx, dy, filter] : steps) {
    if (picture != seed) session.SetPicture(Gradient(50 + (seed = picture), 40));
    session.SetOptions({.Stretch = stretch != 0, .Filter = filter, .DX = dx, .DY = dy});
    ASSERT_TRUE(session.Prepare());
    Bitmap24 expected = Gradient(50 + picture, 40);
    if (stretch) {
      Bitmap24 resampled(dx * 8, dy);
      ASSERT_TRUE(Stretch(expected, resampled, kResampleFilters[filter]));
      expected = resampled;
    }
    ASSERT_NE(session.Shown(), nullptr);
    EXPECT_EQ(*session.Shown(), expected) << "picture " << picture << " dx " << dx;
  }
}

// With Stretch the readout is `tinto score` of the written picture; without, the picture's part
// that was converted is the photo. A Realtime step leaves both the result and its score.
TEST(ImportSession, ScoreComparesWithThePhotoTheConversionRead) {
  for (bool stretch : {false, true}) {
    ImportSession session;
    session.SetPicture(Gradient(70, 40));
    session.SetOptions({.Stretch = stretch, .DX = 6, .DY = 30, .MLTLeft = 1, .MLTWidth = 3});
    ASSERT_TRUE(session.Convert());
    ScreenBuffers screen;
    screen.LoadScreen(session.Result().pixels, session.Result().attrs);
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
    EXPECT_EQ(session.Result().attrs, screen.Attrs());
    EXPECT_EQ(session.Score()->de00Blur, expected.de00Blur);
  }
}

// The section's keys in the file's order: the options' keys with the dialog's own between them,
// then "Method"; they read back as written. (The rules for missing and damaged keys are tested
// through the dialog, which clamps what it reads.)
TEST(ImportSection, WritesTheOptionsAndTheDialogKeysInTheFilesOrder) {
  test::TempDir dir;
  IniFile ini(dir.File("TintoEditor.ini"));
  ImportOptions options;
  options.Stretch = false;
  options.Method = ImportMethod::Perceptual;
  const DialogKey dialogKeys[] = {
      {&setting::kImportLowLink, 8, 1},   {&setting::kImportHiLink, 9, 0},
      {&setting::kImportRealTime, 10, 1}, {&setting::kImportMagnify, 14, 3},
      {&setting::kImportLeft, 17, 10},    {&setting::kImportTop, 18, 20},
      {&setting::kImportWidth, 19, 800},  {&setting::kImportHeight, 20, 600},
  };
  ASSERT_TRUE(WriteImportSection(ini, options, dialogKeys));
  EXPECT_EQ(test::ReadAll(ini.Path()),
            "[Import]\nLR=96\nLG=96\nLB=96\nHTH=128\nContrast=2\nHR=160\nHG=160\nHB=160\n"
            "Low Link=1\nHi Link=0\nRealTime=1\nStretch=0\nDX=18\nDY=192\nMagnify=3\n"
            "Dither=1\nTinto 8x2=0\nLeft=10\nTop=20\nWidth=800\nHeight=600\nMethod=Perceptual\n");
  EXPECT_EQ(ReadImportOptionKeys(ini, ImportOptions{}), options);
}

}  // namespace
}  // namespace tinto

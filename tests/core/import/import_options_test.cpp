#include "core/import/import_options.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

struct ClampCase {
  int ImportOptions::*field;
  int value;
  int expected;
};

class ClampImportOptionsTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampImportOptionsTest, KeepsEveryValueInItsControlsRange) {
  const ClampCase& c = GetParam();
  ImportOptions options;
  options.*c.field = c.value;
  EXPECT_EQ(ClampImportOptions(options).*c.field, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ClampImportOptionsTest,
    ::testing::Values(
        ClampCase{&ImportOptions::LR, -1, 0}, ClampCase{&ImportOptions::LG, 255, 255},
        ClampCase{&ImportOptions::LB, 256, 255}, ClampCase{&ImportOptions::HR, 0, 0},
        ClampCase{&ImportOptions::HG, -500, 0}, ClampCase{&ImportOptions::HB, 270, 255},
        ClampCase{&ImportOptions::HTH, 0, 1}, ClampCase{&ImportOptions::HTH, 1, 1},
        ClampCase{&ImportOptions::HTH, 256, 256}, ClampCase{&ImportOptions::HTH, 257, 256},
        ClampCase{&ImportOptions::Contrast, -1, 0}, ClampCase{&ImportOptions::Contrast, 4, 4},
        ClampCase{&ImportOptions::Contrast, 256, 4}, ClampCase{&ImportOptions::DX, 0, 1},
        ClampCase{&ImportOptions::DX, 33, 32}, ClampCase{&ImportOptions::DY, 0, 1},
        ClampCase{&ImportOptions::DY, 193, 192}, ClampCase{&ImportOptions::MLTLeft, -1, 0},
        ClampCase{&ImportOptions::MLTLeft, 32, 31}, ClampCase{&ImportOptions::MLTWidth, 0, 1},
        ClampCase{&ImportOptions::MLTWidth, 24, 18}));

struct FitCase {
  int dx, left, width, expectLeft, expectWidth;
};

class FitImportOptionsTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitImportOptionsTest, MovesTheMltWindowLeftThenNarrowsIt) {
  const FitCase& c = GetParam();
  ImportOptions options;
  options.DX = c.dx;
  options.MLTLeft = c.left;
  options.MLTWidth = c.width;
  ImportOptions fitted = FitImportOptions(options);
  EXPECT_EQ(fitted.MLTLeft, c.expectLeft);
  EXPECT_EQ(fitted.MLTWidth, c.expectWidth);
}

INSTANTIATE_TEST_SUITE_P(Windows, FitImportOptionsTest,
                         ::testing::Values(FitCase{10, 5, 18, 0, 10}, FitCase{20, 10, 8, 10, 8},
                                           FitCase{20, 15, 8, 12, 8}, FitCase{32, 31, 18, 14, 18},
                                           FitCase{0, 40, 30, 0, 1}, FitCase{99, 40, 30, 14, 18}));

}  // namespace
}  // namespace tinto

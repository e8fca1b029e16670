#include "core/import/import_options.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

// Every whole-number option set to `value`.
ImportOptions AllNumbers(int value) {
  ImportOptions o;
  o.LR = o.LG = o.LB = o.HR = o.HG = o.HB = o.HTH = o.Contrast = value;
  o.DX = o.DY = o.MLTLeft = o.MLTWidth = value;
  return o;
}

// The controls' ranges: thresholds 0..255, HTH 1..256, Contrast 0..4, DX 1..32, DY 1..192,
// MLT Left 0..31, MLT Width 1..18.
TEST(ClampImportOptions, KeepsEveryValueInItsControlsRange) {
  ImportOptions low = AllNumbers(0);
  low.HTH = low.DX = low.DY = low.MLTWidth = 1;
  EXPECT_EQ(ClampImportOptions(AllNumbers(-500)), low);
  ImportOptions high = AllNumbers(255);
  high.HTH = 256;
  high.Contrast = 4;
  high.DX = 32;
  high.DY = 192;
  high.MLTLeft = 31;
  high.MLTWidth = 18;
  EXPECT_EQ(ClampImportOptions(AllNumbers(1000)), high);
  EXPECT_EQ(ClampImportOptions(high), high);
  EXPECT_EQ(ClampImportOptions(low), low);
}

TEST(FitImportOptions, ClampsThenPullsTheMltWindowIntoDx) {
  ImportOptions options = AllNumbers(1000);
  options.DX = 10;
  options.MLTLeft = 5;
  ImportOptions fitted = FitImportOptions(options);
  EXPECT_EQ(fitted.MLTLeft, 0);
  EXPECT_EQ(fitted.MLTWidth, 10);
  EXPECT_EQ(fitted.HTH, 256);
}

}  // namespace
}  // namespace tinto

#include "app/dialogs/import/import_expert_fixture.h"
#include "app/dialogs/import/import_status_bar.h"

namespace tinto::test {
namespace {

using S = TImportSliders;
class ImportQualityTest : public ImportExpertTest {};

// The blurred colour error the status bar shows in any of its forms, or -1 when it shows none.
double ShownError(const TImportExpert& expert) {
  static const QRegularExpression pattern(
      QStringLiteral("^(?:(?:Blur )?dE )?(\\d+\\.\\d\\d)(?:  SSIM | / )0\\.\\d{3}$"));
  const QRegularExpressionMatch match = pattern.match(expert.PnStatus()->Quality()->text());
  return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
}

TEST_F(ImportQualityTest, ReadoutFollowsConversionsNotRealtimeSteps) {
  TImportExpert& expert = CreateShown();
  EXPECT_EQ(expert.PnStatus()->Quality()->text(), "");
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  const QString first = expert.PnStatus()->Quality()->text();
  ASSERT_GT(ShownError(expert), 0.0) << first.toStdString();
  Slider(S::kLR)->setSliderDown(true);
  Slider(S::kLR)->setValue(10);
  EXPECT_EQ(expert.PnStatus()->Quality()->text(), first);
  Slider(S::kLR)->setSliderDown(false);
  EXPECT_NE(expert.PnStatus()->Quality()->text(), first);
  // The design width has room for the short form only; a wide dialog spells it out.
  expert.resize(1200, expert.height());
  EXPECT_TRUE(expert.PnStatus()->Quality()->text().startsWith("Blur dE "));
  EXPECT_GT(ShownError(expert), 0.0);
}

// Auto leaves its options in the controls (and the classic method, whose options they are):
// converting again changes nothing.
TEST_F(ImportQualityTest, AutoLowersTheErrorAndShowsItsChoiceInTheControls) {
  TImportExpert& expert = CreateShown();
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  expert.CBDither()->setChecked(false);
  const double before = ShownError(expert);
  expert.Method()->setCurrentIndex(1);  // its options are not the perceptual method's
  EXPECT_FALSE(expert.Sliders()->Slider(0)->isEnabled() || expert.CBDither()->isEnabled());
  QTest::mouseClick(expert.Sliders()->Auto(), Qt::LeftButton);
  EXPECT_TRUE(expert.Sliders()->Slider(0)->isEnabled() && expert.CBDither()->isEnabled());
  EXPECT_TRUE(expert.CBDither()->isChecked());
  EXPECT_EQ(expert.Method()->currentIndex(), 0);
  const double found = ShownError(expert);
  EXPECT_LT(found, before);
  const ImportResult result = expert.Result();
  expert.ConvertImport();
  EXPECT_EQ(expert.Result().attrs, result.attrs);
  EXPECT_EQ(ShownError(expert), found);
}

TEST_F(ImportQualityTest, MethodChoiceConvertsAgainAndClassicComesBackUnchanged) {
  TImportExpert& expert = CreateShown();
  QComboBox* method = expert.Method();
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  EXPECT_EQ(method->currentText() + method->itemText(1), "ClassicPerceptual");
  const ImportResult classic = expert.Result();
  method->setCurrentIndex(1);
  EXPECT_NE(expert.Result().attrs, classic.attrs);
  method->setCurrentIndex(0);
  EXPECT_EQ(expert.Result().attrs, classic.attrs);
}

}  // namespace
}  // namespace tinto::test

#include "app/dialogs/import/import_expert_fixture.h"
#include "app/dialogs/import/import_status_bar.h"

namespace tinto::test {
namespace {

class ImportQualityTest : public ImportExpertTest {};

// The blurred colour error the status bar shows in any of its forms, or -1 when it shows none.
double ShownError(const TImportExpert& expert) {
  static const QRegularExpression pattern(
      QString::fromUtf8("^(?:(?:Blur )?ΔE )?(\\d+\\.\\d\\d)(?: · SSIM | / )0\\.\\d{3}$"));
  const QRegularExpressionMatch match = pattern.match(expert.PnStatus()->Quality()->text());
  return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
}

// At the dialog's first size the figures carry their names, and the tooltip says what they are.
TEST_F(ImportQualityTest, ReadoutFollowsConversionsNotRealtimeSteps) {
  TImportExpert& expert = CreateShown();
  EXPECT_EQ(expert.PnStatus()->Quality()->text(), "");
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  const QString first = expert.PnStatus()->Quality()->text();
  ASSERT_GT(ShownError(expert), 0.0) << first.toStdString();
  EXPECT_TRUE(first.contains(QString::fromUtf8("ΔE ")) && first.contains("SSIM "))
      << first.toStdString();
  const QString tip = expert.PnStatus()->Quality()->toolTip();
  EXPECT_TRUE(tip.contains("lower is better") && tip.contains("higher is better"));
  Slider("LR")->setSliderDown(true);
  Slider("LR")->setValue(10);
  EXPECT_EQ(expert.PnStatus()->Quality()->text(), first);
  Slider("LR")->setSliderDown(false);
  EXPECT_NE(expert.PnStatus()->Quality()->text(), first);
  expert.resize(1200, expert.height());
  EXPECT_TRUE(expert.PnStatus()->Quality()->text().startsWith(QString::fromUtf8("Blur ΔE ")));
  EXPECT_GT(ShownError(expert), 0.0);
}

// Auto considers both methods from either: its choice is in the controls (the method too, and
// what it greys out), converting again changes nothing, the status bar names the method until
// a value changes.
TEST_F(ImportQualityTest, AutoShowsItsChoiceOfMethodAndOptions) {
  for (int startMethod : {0, 1}) {
    TImportExpert& expert = CreateShown();
    expert.OpenSourceFile(WritePicture("p.png", 64, 48));
    expert.Option<QCheckBox>("CBDither")->setChecked(false);
    QComboBox* method = expert.Option<QComboBox>("Method");
    method->setCurrentIndex(startMethod);
    QTest::mouseClick(expert.Sliders()->Auto(), Qt::LeftButton);
    const bool classic = method->currentIndex() == 0;
    EXPECT_EQ(expert.Session().Options()->Method,
              classic ? ImportMethod::Classic : ImportMethod::Perceptual);
    QLabel* message = expert.PnStatus()->Message();
    EXPECT_TRUE(message->isVisible());
    EXPECT_EQ(message->text(), "Auto chose " + method->currentText());
    EXPECT_EQ(Slider("LR")->isEnabled(), classic);
    EXPECT_TRUE(!classic || expert.Option<QCheckBox>("CBDither")->isChecked());
    const ImportResult result = expert.Result();
    const double error = ShownError(expert);
    expert.ConvertImport();
    EXPECT_EQ(expert.Result().attrs, result.attrs);
    EXPECT_EQ(ShownError(expert), error);
    Spin("MLTWidth")->setValue(4);
    EXPECT_FALSE(message->isVisible());
    EXPECT_TRUE(expert.PnStatus()->Label(0)->isVisible());
  }
}

TEST_F(ImportQualityTest, MethodChoiceConvertsAgainAndClassicComesBackUnchanged) {
  TImportExpert& expert = CreateShown();
  QComboBox* method = expert.Option<QComboBox>("Method");
  expert.OpenSourceFile(WritePicture("p.png", 64, 48));
  EXPECT_EQ(method->currentText() + method->itemText(1), "ClassicPerceptual");
  const ImportResult classic = expert.Result();
  method->setCurrentIndex(1);
  EXPECT_NE(expert.Result().attrs, classic.attrs);
  EXPECT_FALSE(Slider("LR")->isEnabled() || expert.Option<QCheckBox>("CBDither")->isEnabled());
  method->setCurrentIndex(0);
  EXPECT_EQ(expert.Result().attrs, classic.attrs);
}

}  // namespace
}  // namespace tinto::test

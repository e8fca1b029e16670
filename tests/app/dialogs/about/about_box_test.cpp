#include "app/dialogs/about/about_box.h"

#include "app/gui_test.h"
#include "app/skin/skin_data.h"
#include "app/widgets/caption_panel.h"
#include "app/widgets/lum_label.h"

namespace tinto::test {
namespace {

class AboutBoxTest : public ::testing::Test {
 protected:
  void TearDown() override { qApp->setStyleSheet({}); }

  // A skin of caption height 30 with the given information; an empty sheet keeps the look.
  void PutOn(const SkinInfo& info) { m_skin.Apply({info, QString(), 30}); }
  void ShowBox() {
    m_about.hide();
    m_about.show();
    QApplication::processEvents();
  }

  SkinData m_skin;
  bool m_skinEnabled = true;
  TAbout m_about{m_skin, [this] { return m_skinEnabled; }, nullptr, ProgramVersion{2, 7, 113}};
};

// The version line stands over its shadow. Asked for, the skin panel shows at once with the rows
// that have text, OK below it.
TEST_F(AboutBoxTest, VersionAndTheSkinPanelOnlyWhenAskedWithTheNonEmptyRows) {
  EXPECT_EQ(VersionLine({}), "v. 0.0 build 0");
  EXPECT_EQ(m_about.Label2()->text(), "v. 2.7 build 113");
  EXPECT_EQ(m_about.Label5()->text(), m_about.Label2()->text());
  PutOn({"Night", "", "example.org", "", "Dark"});
  ShowBox();
  TCaptionPanel* panel = m_about.SkinPanel();
  EXPECT_FALSE(panel->isVisible());
  m_about.ShowSkinInfo1Click();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_FALSE(m_about.ShowSkinInfo1()->isEnabled());
  for (int row = 0; row < 5; ++row)
    EXPECT_EQ(m_about.ValueLabel(row)->isVisibleTo(&m_about), row % 2 == 0) << row;
  panel->SetRolledUp(true);
  EXPECT_GT(m_about.OK()->y(), panel->y() + panel->height()) << "OK stays under the panel";
  panel->CloseButton()->click();
  EXPECT_FALSE(panel->isVisible());
  EXPECT_TRUE(m_about.ShowSkinInfo1()->isEnabled());
  PutOn({});
  m_about.ShowSkinInfo1Click();
  ShowBox();
  EXPECT_FALSE(panel->isVisible());
}

// The skin's information is plain text: markup in a hostile skin is shown, not acted on (an
// image named there would be read while the row is measured).
TEST_F(AboutBoxTest, SkinInformationIsShownAsPlainText) {
  TempDir dir;
  const QString picture = QString::fromStdString(dir.File("big.png"));
  ASSERT_TRUE(QImage(400, 400, QImage::Format_Mono).save(picture));
  const QString markup = QStringLiteral("<img src=\"%1\"><b>bold</b>").arg(picture);
  PutOn({markup, markup, markup, markup, markup});
  m_about.ShowSkinInfo1Click();
  ShowBox();
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(m_about.ValueLabel(row)->text(), markup);
    EXPECT_LT(m_about.ValueLabel(row)->height(), 200) << row;
  }
}

}  // namespace
}  // namespace tinto::test

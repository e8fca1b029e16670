#include "app/dialogs/about/about_box.h"

#include "app/gui_test.h"
#include "app/skin/skin_data.h"
#include "app/widgets/caption_panel.h"
#include "app/widgets/lum_label.h"

namespace tinto::test {
namespace {

int Bottom(const QWidget* widget) { return widget->y() + widget->height(); }

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

TEST_F(AboutBoxTest, VersionLineShowsMajorMinorAndBuildOverItsShadow) {
  EXPECT_EQ(VersionLine({}), "v. 0.0 build 0");
  EXPECT_EQ(m_about.Label2()->text(), "v. 2.7 build 113");
  EXPECT_EQ(m_about.Label5()->text(), m_about.Label2()->text());
}

// Asked for, the panel shows at once with the rows that have text, each right under the one
// before; OK stays under the panel as it rolls up and moves back up when the panel closes.
TEST_F(AboutBoxTest, SkinPanelShowsOnlyWhenAskedWithTheNonEmptyRowsStacked) {
  PutOn({"Night", "", "example.org", "", "Dark"});
  ShowBox();
  TCaptionPanel* panel = m_about.SkinPanel();
  EXPECT_FALSE(panel->isVisible());
  const int okAlone = m_about.OK()->y();
  m_about.ShowSkinInfo1Click();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_FALSE(m_about.ShowSkinInfo1()->isEnabled());
  int top = 30 + 3;
  for (int row = 0; row < 5; ++row) {
    ASSERT_EQ(m_about.ValueLabel(row)->isVisibleTo(&m_about), row % 2 == 0) << row;
    if (row % 2 != 0) continue;
    EXPECT_EQ(m_about.ValueLabel(row)->y(), top) << row;
    top += m_about.ValueLabel(row)->height() + 2;
  }
  EXPECT_EQ(panel->height(), top - 2 + 3);  // 3 below the last row
  EXPECT_GT(m_about.OK()->y(), Bottom(panel));
  panel->SetRolledUp(true);
  EXPECT_GT(m_about.OK()->y(), Bottom(panel));
  panel->CloseButton()->click();
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(m_about.OK()->y(), okAlone);
  EXPECT_EQ(m_about.height(), Bottom(m_about.OK()) + 5);
  EXPECT_TRUE(m_about.ShowSkinInfo1()->isEnabled());
  PutOn({});
  m_about.ShowSkinInfo1Click();
  ShowBox();
  EXPECT_FALSE(panel->isVisible());
}

}  // namespace
}  // namespace tinto::test

#include "app/dialogs/about/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

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

struct RowsCase {
  const char* what;
  SkinInfo info;
  std::array<bool, 5> shown;
};

// Empty rows leave no gap: each shown row sits right under the one before; the box ends under OK.
TEST_F(AboutBoxTest, SkinRowsStackUnderTheCaptionWithoutEmptyOnes) {
  const RowsCase cases[] = {
      {"full", {"Night", "Team", "example.org", "a@example.org", "Dark"}, {1, 1, 1, 1, 1}},
      {"no name", {"", "Team", "", "", "Dark"}, {0, 1, 0, 0, 1}},
  };
  m_about.ShowSkinInfo1Click();
  for (const RowsCase& c : cases) {
    SCOPED_TRACE(c.what);
    PutOn(c.info);
    ShowBox();
    int top = 30 + 3;
    for (int row = 0; row < 5; ++row) {
      ASSERT_EQ(m_about.ValueLabel(row)->isVisibleTo(&m_about), c.shown[row]) << row;
      if (!c.shown[row]) continue;
      EXPECT_EQ(m_about.ValueLabel(row)->y(), top) << row;
      top += m_about.ValueLabel(row)->height() + 2;
    }
    EXPECT_GT(m_about.OK()->y(), Bottom(m_about.SkinPanel()));
    EXPECT_EQ(m_about.height(), Bottom(m_about.OK()) + 5);
  }
}

TEST_F(AboutBoxTest, PanelShowsOnlyWhenAskedAndWithInformationAndClosingMovesOKUp) {
  PutOn({"Night", "Team", "", "", ""});
  ShowBox();
  EXPECT_FALSE(m_about.SkinPanel()->isVisible());
  EXPECT_EQ(m_about.OK()->y(), 136);
  m_about.ShowSkinInfo1Click();
  TCaptionPanel* panel = m_about.SkinPanel();
  EXPECT_TRUE(panel->isVisible());
  // Asked for, the information shows at once: the panel holds the name and author rows.
  EXPECT_EQ(panel->height(),
            30 + m_about.ValueLabel(0)->height() + 2 + m_about.ValueLabel(1)->height() + 2 + 6);
  EXPECT_FALSE(m_about.ShowSkinInfo1()->isEnabled());
  panel->SetRolledUp(true);
  EXPECT_EQ(m_about.OK()->y(), 136 + 30 + 8);
  panel->SetRolledUp(false);
  panel->CloseButton()->click();
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(m_about.OK()->y(), 136);
  EXPECT_TRUE(m_about.ShowSkinInfo1()->isEnabled());
  PutOn({});
  m_about.ShowSkinInfo1Click();
  ShowBox();
  EXPECT_FALSE(panel->isVisible());
}

}  // namespace
}  // namespace tinto::test

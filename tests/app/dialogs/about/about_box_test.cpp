#include "app/dialogs/about/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "app/skin/skin_data.h"
#include "app/widgets/caption_panel.h"
#include "app/widgets/lum_connect_label.h"

namespace tinto::test {
namespace {

int Bottom(const QWidget* widget) { return widget->y() + widget->height(); }

class AboutBoxTest : public ::testing::Test {
 protected:
  void TearDown() override { qApp->setStyleSheet({}); }

  // A skin of caption height 30 with the given information; an empty sheet keeps the look.
  void PutOn(const SkinInfo& info) { m_skin.Apply({info, QString(), 30}); }
  void ShowBox() {
    m_about.show();
    QApplication::processEvents();
  }

  SkinData m_skin;
  bool m_skinEnabled = true;
  TAbout m_about{m_skin, [this] { return m_skinEnabled; }, nullptr, ProgramVersion{2, 7, 113}};
};

TEST(VersionLine, ShowsMajorMinorAndBuild) {
  EXPECT_EQ(VersionLine({2, 7, 113}), "v. 2.7 build 113");
  EXPECT_EQ(VersionLine({}), "v. 0.0 build 0");
}

TEST_F(AboutBoxTest, VersionLineIsCentredOverItsShadow) {
  EXPECT_EQ(m_about.Label2()->text(), "v. 2.7 build 113");
  EXPECT_EQ(m_about.Label5()->text(), m_about.Label2()->text());
  EXPECT_EQ(m_about.Label2()->x(), (259 - m_about.Label2()->width()) / 2);
  EXPECT_EQ(m_about.Label5()->pos(), m_about.Label2()->pos() + QPoint(1, 1));
  EXPECT_FALSE(m_about.Label1()->isEnabled());
}

struct RowsCase {
  const char* what;
  SkinInfo info;
  std::array<bool, 5> shown;
};

// Rows stack 2 pixels apart from the caption height + 3; the panel is c + o + 6 high; OK sits
// 8 below it and the box ends 5 below OK.
TEST_F(AboutBoxTest, SkinRowsStackUnderTheCaptionWithoutEmptyOnes) {
  const RowsCase cases[] = {
      {"full", {"Night", "Team", "example.org", "a@example.org", "Dark"}, {1, 1, 1, 1, 1}},
      {"name only", {"Night", "", "", "", ""}, {1, 0, 0, 0, 0}},
      {"no name", {"", "Team", "", "", "Dark"}, {0, 1, 0, 0, 1}},
  };
  m_about.ShowSkinInfo1Click();
  for (const RowsCase& c : cases) {
    PutOn(c.info);
    m_about.hide();
    ShowBox();
    int offset = 0;
    int nameTop = 30 + 3;
    for (int row = 0; row < 5; ++row) {
      ASSERT_EQ(m_about.ValueLabel(row)->isVisibleTo(&m_about), c.shown[row]) << c.what << row;
      if (!c.shown[row]) continue;
      EXPECT_EQ(m_about.ValueLabel(row)->y(), nameTop + offset) << c.what << row;
      EXPECT_EQ(m_about.CaptionLabel(row)->y(), nameTop + offset) << c.what << row;
      offset += m_about.ValueLabel(row)->height() + (row < 4 ? 2 : 0);
    }
    TCaptionPanel* panel = m_about.SkinPanel();
    EXPECT_TRUE(panel->isVisible()) << c.what;
    EXPECT_EQ(panel->geometry(), QRect(9, 136, 241, 30 + offset + 6)) << c.what;
    EXPECT_EQ(m_about.OK()->y(), Bottom(panel) + 8) << c.what;
    EXPECT_EQ(m_about.height(), Bottom(m_about.OK()) + 5) << c.what;
  }
}

TEST_F(AboutBoxTest, PanelStaysHiddenUntilAskedOrWithoutInformation) {
  PutOn({"Night", "", "", "", ""});
  ShowBox();
  EXPECT_FALSE(m_about.SkinPanel()->isVisible());
  EXPECT_EQ(m_about.OK()->geometry(), QRect(92, 136, 75, 25));
  EXPECT_EQ(m_about.height(), 136 + 25 + 5);
  // Asked for, the information shows at once: the panel holds the name row.
  m_about.ShowSkinInfo1Click();
  EXPECT_EQ(m_about.SkinPanel()->height(), 30 + m_about.ValueLabel(0)->height() + 2 + 6);
  EXPECT_EQ(m_about.OK()->y(), Bottom(m_about.SkinPanel()) + 8);
  m_about.SkinPanel()->CloseButton()->click();
  PutOn({});
  m_about.ShowSkinInfo1Click();
  EXPECT_TRUE(m_about.SkinPanel()->isVisible());
  EXPECT_FALSE(m_about.ShowSkinInfo1()->isEnabled());
  m_about.hide();
  ShowBox();
  EXPECT_FALSE(m_about.SkinPanel()->isVisible());
  EXPECT_EQ(m_about.height(), Bottom(m_about.OK()) + 5);
}

TEST_F(AboutBoxTest, PlainLookUsesTheDefaultCaptionHeight) {
  PutOn({"Night", "", "", "", ""});
  m_skinEnabled = false;
  m_about.ShowSkinInfo1Click();
  ShowBox();
  EXPECT_EQ(m_about.ValueLabel(0)->y(), 22 + 3);
}

TEST_F(AboutBoxTest, RollingAndClosingThePanelMoveOK) {
  PutOn({"Night", "Team", "", "", ""});
  m_about.ShowSkinInfo1Click();
  ShowBox();
  TCaptionPanel* panel = m_about.SkinPanel();
  panel->SetRolledUp(true);
  EXPECT_EQ(panel->height(), 30);
  EXPECT_EQ(m_about.OK()->y(), 136 + 30 + 8);
  EXPECT_EQ(m_about.height(), 136 + 30 + 8 + 25 + 5);
  panel->SetRolledUp(false);
  panel->CloseButton()->click();
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(m_about.OK()->y(), 136);
  EXPECT_EQ(m_about.height(), 136 + 25 + 5);
  EXPECT_TRUE(m_about.ShowSkinInfo1()->isEnabled());
  m_about.hide();
  ShowBox();
  EXPECT_FALSE(panel->isVisible());
}

TEST_F(AboutBoxTest, LinkRowsCarryTheirAddresses) {
  PutOn({"Night", "", "example.org/skins", "a@example.org", ""});
  ShowBox();
  auto* url = static_cast<TLumConnectLabel*>(m_about.ValueLabel(2));
  auto* mail = static_cast<TLumConnectLabel*>(m_about.ValueLabel(3));
  EXPECT_EQ(ConnectUrl(url->AddressStyle(), url->Address()).toString(), "http://example.org/skins");
  EXPECT_EQ(ConnectUrl(mail->AddressStyle(), mail->Address()).toString(), "mailto:a@example.org");
}

}  // namespace
}  // namespace tinto::test

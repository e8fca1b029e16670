// The converted frames show through under every shipped skin: a skin's style sheet paints the
// backgrounds of plain widgets, and nothing of that kind may lie over the frames.

#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_expert_fixture.h"
#include "app/skin/skin_data.h"
#include "app/skin/skin_loader.h"
#include "app/widgets/kel_image.h"

namespace tinto::test {
namespace {

class ImportSkinsTest : public ImportExpertTest {
 protected:
  void TearDown() override { m_skin.SwitchOff(); }
  SkinData m_skin;
};

// The pane drawn as the screen shows it, with Dest1 up: the frame's colours (0, 177 or 254 a
// channel, none a skin's background) where the frame lies, red where the lines are; in Tinto
// mode there are no lines.
TEST_F(ImportSkinsTest, TheResultShowsInTheDestinationPaneUnderEverySkin) {
  for (const char* skin : {"", "classic.ini", "dark.ini", "maroon.ods"}) {
    SCOPED_TRACE(skin);
    if (*skin != '\0') {
      ASSERT_TRUE(LoadSkinFile(m_skin, QStringLiteral(TINTO_SHIPPED_SKINS "/") + skin));
    }
    ASSERT_EQ(m_skin.Active(), *skin != '\0');
    TImportExpert& expert = CreateShown("[Import]\nMagnify=2\nDX=4\n");
    expert.OpenSourceFile(WritePicture("p.png", 64, 48));
    Spin("MLTLeft")->setValue(2);
    expert.Timer().SetEnabled(false);
    TDestinationPane& pane = *expert.SBDestin();
    if (!pane.Dest1()->isVisible()) pane.SwapFrames();
    const QImage shown = pane.viewport()->grab().toImage();
    const Bitmap24& dest1 = expert.Session().Dest1();
    for (const QPoint picture : {QPoint(5, 10), QPoint(50, 30), QPoint(20, 40)}) {
      const Rgb converted = dest1.Pixel(picture.x(), picture.y());
      const QPoint at = pane.Dest1()->mapTo(pane.viewport(), picture * 2);
      EXPECT_EQ(QColor(shown.pixel(at)),
                QColor(RedOf(converted), GreenOf(converted), BlueOf(converted)))
          << picture.x() << "," << picture.y();
    }
    // The MLT window's lines at columns 2 and 2 + 4, magnified twice.
    for (int x : {32, 96})
      EXPECT_EQ(QColor(shown.pixel(pane.Dest1()->mapTo(pane.viewport(), QPoint(x, 7)))),
                QColor(Qt::red));
  }
  m_expert->Option<QCheckBox>("TintoMode")->setChecked(true);
  EXPECT_FALSE(m_expert->SBDestin()->Lines().has_value());
}

}  // namespace
}  // namespace tinto::test

// "&Import..." of the main window: OK makes the dialog's result an untitled, modified picture.

#include "app/dialogs/import/import_expert.h"
#include "app/main_form_fixture.h"

namespace tinto::test {
namespace {

struct ImportCase {
  bool picture, accept, tintoMode, modifiedBefore;
};

class ImportIntoDocumentTest : public MainFormTest,
                               public ::testing::WithParamInterface<ImportCase> {
 protected:
  void SetUp() override {
    CreateShown();
    const IniFile settings(SettingsPath());
    m_expert = new TImportExpert(settings, m_messages, {}, m_form.get());
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(qRgb(200, 40, 90));
    ASSERT_TRUE(image.save(QString::fromStdString(m_dir.File("p.png"))));
  }

  // The dialog's run as a user makes it: open a picture, tick the mode, press OK or Cancel.
  void ScriptRun(const ImportCase& c) {
    m_form->Flows()->SetImportRunner([this, c]() -> std::optional<ImportedPicture> {
      m_timerDuringRun = m_form->Timer().Enabled();
      m_expert->Start();
      if (c.picture) m_expert->OpenSourceFile(QString::fromStdString(m_dir.File("p.png")));
      m_expert->Option<QCheckBox>("TintoMode")->setChecked(c.tintoMode);
      (c.accept ? m_expert->OK() : m_expert->Cancel())->click();
      if (m_expert->result() != QDialog::Accepted) return std::nullopt;
      return m_expert->Picture();
    });
  }

  TImportExpert* m_expert = nullptr;
  bool m_timerDuringRun = true;
};

TEST_P(ImportIntoDocumentTest, OkReplacesThePictureAsAnUntitledModifiedDocument) {
  const ImportCase& c = GetParam();
  TEditorSession& session = m_form->Session();
  const std::string named = m_dir.File("named.tin");
  session.StartDocument(named);
  if (c.modifiedBefore) DrawPixel(session, 0, 0);
  const std::string titleBefore = m_form->windowTitle().toStdString();
  const ScreenBuffers screenBefore = session.Screen();
  ScriptRun(c);

  QTest::keyClick(m_form.get(), Qt::Key_I, Qt::ControlModifier);

  EXPECT_FALSE(m_timerDuringRun);
  EXPECT_TRUE(m_messages.Shown().empty());
  if (!c.accept) {
    EXPECT_EQ(m_form->windowTitle().toStdString(), titleBefore);
    EXPECT_EQ(session.Screen().Pixels(), screenBefore.Pixels());
    return;
  }
  const std::string untitled = session.Document().AbsoluteName(kUntitledName);
  EXPECT_EQ(m_form->windowTitle().toStdString(), "Tinto Editor - [" + untitled + "]*");
  EXPECT_TRUE(session.Document().Modified());
  EXPECT_EQ(session.Screen().Pixels(), m_expert->Result().pixels);
  EXPECT_EQ(session.Screen().Attrs(), m_expert->Result().attrs);
  const ScreenGeometry& g = session.Geometry();
  EXPECT_EQ(g.DX(), c.picture ? 8 : 18);
  EXPECT_EQ(g.DY(), c.picture ? 48 : 192);
  EXPECT_EQ(SizePanel(*m_form)->DX()->value(), g.DX());
  EXPECT_EQ(g.Mode(), c.tintoMode ? AttrMode::Mode8x2 : AttrMode::Mode8x1);
  EXPECT_EQ(m_form->Actions().Tinto8x2->isChecked(), c.tintoMode);
}

INSTANTIATE_TEST_SUITE_P(Runs, ImportIntoDocumentTest,
                         ::testing::Values(ImportCase{true, true, false, false},
                                           ImportCase{true, true, true, true},
                                           ImportCase{false, true, false, true},
                                           ImportCase{true, false, false, true}));

}  // namespace
}  // namespace tinto::test

// "&Import..." of the main window and the import dialog's place among the editor's windows.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/import/import_sliders.h"
#include "app/editor/document_flows.h"
#include "app/main_form_fixture.h"
#include "app/main_window/geometry_bar.h"
#include "app/shell/editor_windows.h"
#include "core/format/ini_file.h"

namespace tinto::test {
namespace {

struct ImportCase {
  bool picture;
  bool accept;
  bool tintoMode;
  bool modifiedBefore;
};

class ImportIntoDocumentTest : public MainFormTest,
                               public ::testing::WithParamInterface<ImportCase> {
 protected:
  void SetUp() override {
    CreateShown();
    const IniFile settings(SettingsPath());
    m_expert = new TImportExpert(settings, m_messages, {}, m_form.get());
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 5, 255 - x * 4));
    ASSERT_TRUE(image.save(QString::fromStdString(m_dir.File("p.png"))));
  }

  // The dialog's run as a user makes it: open a picture, tick the mode, press OK or Cancel.
  void ScriptRun(const ImportCase& c) {
    m_form->Flows()->SetImportRunner([this, c]() -> std::optional<ImportedPicture> {
      m_timerDuringRun = m_form->Timer().Enabled();
      m_expert->Start();
      if (c.picture) m_expert->OpenSourceFile(QString::fromStdString(m_dir.File("p.png")));
      m_expert->TintoMode()->setChecked(c.tintoMode);
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
  session.Rename(named);
  session.Screen().SetPixel(0, 0, 0);
  if (c.modifiedBefore) session.SetModified(true);
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
  EXPECT_EQ(m_form->SizePanel()->DX()->value(), g.DX());
  EXPECT_EQ(g.Mode(), c.tintoMode ? AttrMode::Mode8x2 : AttrMode::Mode8x1);
  EXPECT_EQ(m_form->Actions().Tinto8x2->isChecked(), c.tintoMode);
}

INSTANTIATE_TEST_SUITE_P(Runs, ImportIntoDocumentTest,
                         ::testing::Values(ImportCase{true, true, false, false},
                                           ImportCase{true, true, true, true},
                                           ImportCase{false, true, false, true},
                                           ImportCase{true, false, false, true}));

using ImportWindowsTest = MainFormTest;

TEST_F(ImportWindowsTest, TheImportDialogIsCreatedAfterTheChooserWhileTheWaitWindowShows) {
  std::vector<StartupStep> stepsWithDialog;
  EditorWindows windows(Options(), [&](StartupStep step) {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (qobject_cast<TImportExpert*>(widget) != nullptr) stepsWithDialog.push_back(step);
  });
  EXPECT_EQ(stepsWithDialog,
            (std::vector<StartupStep>{StartupStep::AboutCreated, StartupStep::WaitHidden}));
  EXPECT_EQ(windows.ImportExpert().parent(), &windows.MainForm());
}

TEST_F(ImportWindowsTest, TheClosePassWritesTheImportSectionAfterTheMainWindowsKeys) {
  EditorWindows windows(Options());
  windows.ImportExpert().Sliders()->Slider(TImportSliders::kLR)->setValue(7);
  windows.ShowMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows.MainForm()));
  ASSERT_TRUE(windows.MainForm().close());
  const std::string text = ReadAll(m_dir.File("TintoEditor.ini"));
  const std::string section =
      "[Import]\nLR=7\nLG=96\nLB=96\nHTH=128\nContrast=2\nHR=160\nHG=160\nHB=160\nLow Link=1\n"
      "Hi Link=1\nRealTime=1\nStretch=0\nDX=18\nDY=192\nMagnify=4\nDither=1\nTinto 8x2=0\nLeft=";
  const std::size_t at = text.find(section);
  ASSERT_NE(at, std::string::npos) << text;
  EXPECT_LT(text.find("[Dialogs]"), at);
}

}  // namespace
}  // namespace tinto::test

#include "app/shell/editor_windows.h"

#include "app/color/color_form.h"
#include "app/color/color_swatch.h"
#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/import/import_sliders.h"
#include "app/dialogs/preview/preview_form.h"
#include "app/main_form_fixture.h"
#include "app/widgets/wait_form.h"

namespace tinto::test {
namespace {

struct StepRecord {
  StartupStep step;
  bool waitVisible, importCreated;
  bool operator==(const StepRecord&) const = default;
};

template <typename T>
T* TopLevel() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* found = qobject_cast<T*>(widget)) return found;
  return nullptr;
}

using EditorWindowsTest = MainFormTest;

// The import dialog is created after the chooser, while the wait window shows.
TEST_F(EditorWindowsTest, StartsInOrderWithTheWaitWindowFirst) {
  std::vector<StepRecord> records;
  std::vector<QString> waitTexts;
  int visibleAtFirst = 0;
  EditorWindows windows(Options(), [&](StartupStep step) {
    TWait* wait = TopLevel<TWait>();
    records.push_back(
        {step, wait != nullptr && wait->isVisible(), TopLevel<TImportExpert>() != nullptr});
    waitTexts.push_back(wait != nullptr ? wait->Message() : QString());
    if (records.size() == 1)
      visibleAtFirst = std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible);
  });
  windows.ShowMainWindow();
  using enum StartupStep;
  EXPECT_EQ(records, (std::vector<StepRecord>{{WaitShown, true, false},
                                              {MainFormCreated, true, false},
                                              {ColorFormCreated, true, false},
                                              {AboutCreated, true, true},
                                              {WaitHidden, false, true},
                                              {MainFormShown, false, true}}));
  EXPECT_EQ(visibleAtFirst, 1);
  ASSERT_EQ(waitTexts.size(), 6u);
  EXPECT_EQ(waitTexts[0], "Loading. Please Wait.");
  EXPECT_EQ(waitTexts[4], "Please Wait. Skin Applying.");
  EXPECT_FALSE(windows.ColorForm().isVisible());
  EXPECT_EQ(windows.ColorForm().parent(), &windows.MainForm());
  EXPECT_EQ(windows.ImportExpert().parent(), &windows.MainForm());
}

// The main window's keys (with the chooser's VSync among them, "Static" never), then the
// import dialog's section, then the preview window's, last.
TEST_F(EditorWindowsTest, ClosePassWritesEachWindowsSectionInOrder) {
  EditorWindows windows(Options());
  ChildNamed<QCheckBox>(windows.ColorForm(), "VSync")->click();
  windows.ImportExpert().Sliders()->Slider("LR")->setValue(7);
  windows.PreviewForm().Magnify()->setValue(6);
  windows.ShowMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows.MainForm()));
  ASSERT_TRUE(windows.MainForm().close());
  const std::string text = Settings();
  EXPECT_NE(text.find("Magnify=4\nVSync=0\nBright=1\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Static"), std::string::npos);
  const std::size_t import = text.find(
      "[Import]\nLR=7\nLG=96\nLB=96\nHTH=128\nContrast=2\nHR=160\nHG=160\nHB=160\nLow Link=1\n"
      "Hi Link=1\nRealTime=1\nStretch=0\nDX=18\nDY=192\nMagnify=4\nDither=1\nTinto 8x2=0\nLeft=");
  ASSERT_NE(import, std::string::npos) << text;
  EXPECT_LT(text.find("[Dialogs]"), import);
  const std::size_t preview = text.find("\n[Preview]\nMagnify=6\nNo Flic=0\nMaximized=0\nLeft=");
  EXPECT_NE(preview, std::string::npos);
  EXPECT_LT(import, preview);
  EXPECT_EQ(text.find("[Preview]"), text.rfind("["));
}

// The chooser's "Static" ticks No Flic while the windows are created; the first activation
// applies the stored state. The chooser is a popup that never takes the activation from the
// main window: its close hands its "No Flic" to the main window at once, picked or cancelled,
// and the main flicker waits while it is open, as it does while the small preview opens the
// preview window modally. Each row: the chooser's "No Flic" clicked or not, then a swatch picked
// or Escape; then the main window's "No Flic" and the Ink 1 it is left with.
TEST_F(EditorWindowsTest, ClosingTheChooserAppliesItsNoFlicAtOnceAndTheFlickerWaitsMeanwhile) {
  struct Row {
    bool clickNoFlic, pick, mainNoFlic;
    int ink1;
  };
  const Row rows[] = {{true, false, true, 0x47},
                      {true, true, false, 0x41},
                      {false, false, false, 0x41},
                      {true, true, true, 0x02}};
  WriteSettings("[Main]\nStatic=0\n");
  EditorWindows windows(Options());
  TMainForm& form = windows.MainForm();
  EXPECT_TRUE(ColorPanel(form)->NoFlicChecked());
  windows.ShowMainWindow();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_FALSE(ColorPanel(form)->NoFlicChecked());
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.Timer().Enabled(); }, 1000));
  TPreviewForm& preview = windows.PreviewForm();
  bool previewSeen = false;
  QTimer::singleShot(0, &preview, [&] {
    previewSeen = preview.isVisible() && QApplication::activeModalWidget() == &preview &&
                  !form.Timer().Enabled();
    preview.reject();
  });
  QTest::mouseClick(KelImage(form, "Preview1"), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(previewSeen);
  EXPECT_TRUE(form.Timer().Enabled());
  TColorForm& chooser = windows.ColorForm();
  QCheckBox* mainNoFlic = ChildNamed<QCheckBox>(*ColorPanel(form), "NoFlic");
  int swatch = 1;
  for (const Row& row : rows) {
    bool pausedWhileOpen = false;
    QTimer::singleShot(0, &chooser, [&] {
      pausedWhileOpen = chooser.isVisible() && !form.Timer().Enabled();
      if (row.clickNoFlic) ChildNamed<QCheckBox>(chooser, "NoFlic")->click();
      if (!row.pick) {
        QTest::keyClick(&chooser, Qt::Key_Escape);
        return;
      }
      auto* target = ChildNamed<TColorSwatch>(chooser, swatch == 1 ? "C9" : "C2");
      SendMouse(target, QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton);
      SendMouse(target, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
    });
    QTimer::singleShot(5000, &chooser, [&] { chooser.close(); });  // never hang the suite
    QTest::mouseClick(ChildNamed(*ColorPanel(form), "Ink1Name"), Qt::LeftButton, {}, {3, 3});
    swatch += row.pick ? 1 : 0;
    EXPECT_TRUE(pausedWhileOpen);
    EXPECT_EQ(mainNoFlic->isChecked(), row.mainNoFlic);
    EXPECT_EQ(form.Timer().Enabled(), !row.mainNoFlic) << "the flicker follows at once";
    EXPECT_EQ(form.View().Ink1(), row.ink1);
  }
}

}  // namespace
}  // namespace tinto::test

#include "app/shell/editor_windows.h"

#include "app/color/color_form.h"
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
  EXPECT_EQ(windows.MainForm().ColorForm(), &windows.ColorForm());
  EXPECT_EQ(windows.ImportExpert().parent(), &windows.MainForm());
}

// The chooser's "Static" ticks No Flic while the windows are created; the first activation
// applies the stored state, and the small preview opens the preview window modally with the
// flicker stopped.
TEST_F(EditorWindowsTest, FirstActivationAppliesNoFlicAndTheSmallPreviewStopsTheFlicker) {
  WriteSettings("[Main]\nStatic=0\n");
  EditorWindows windows(Options());
  TMainForm& form = windows.MainForm();
  EXPECT_TRUE(form.ColorPanel()->NoFlicChecked());
  windows.ShowMainWindow();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_FALSE(form.ColorPanel()->NoFlicChecked());
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.Timer().Enabled(); }, 1000));
  TPreviewForm& preview = windows.PreviewForm();
  bool seenOpen = false;
  QTimer::singleShot(0, &preview, [&] {
    seenOpen = preview.isVisible() && QApplication::activeModalWidget() == &preview &&
               !form.Timer().Enabled();
    preview.reject();
  });
  QTest::mouseClick(form.Preview1(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(seenOpen);
  EXPECT_TRUE(form.Timer().Enabled());
}

// The main window's keys (with the chooser's VSync among them, "Static" never), then the
// import dialog's section, then the preview window's, last.
TEST_F(EditorWindowsTest, ClosePassWritesEachWindowsSectionInOrder) {
  EditorWindows windows(Options());
  windows.ColorForm().SetVSync(false);
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

}  // namespace
}  // namespace tinto::test

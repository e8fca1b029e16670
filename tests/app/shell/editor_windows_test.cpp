#include "app/shell/editor_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <iterator>
#include <utility>
#include <vector>

#include "app/color/color_form.h"
#include "app/color/color_panel.h"
#include "app/main_form_fixture.h"
#include "app/shell/wait_form.h"

namespace tinto::test {
namespace {

struct StepRecord {
  StartupStep step;
  bool waitVisible;
  QString waitText;
  int visibleWindows;
};

int VisibleTopLevelWindows() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible()) ++count;
  return count;
}

using EditorWindowsTest = MainFormTest;

TEST_F(EditorWindowsTest, StartsInOrderWithTheWaitWindowFirst) {
  std::vector<StepRecord> records;
  EditorWindows windows(Options(), [&](StartupStep step) {
    TWait* wait = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* w = qobject_cast<TWait*>(widget)) wait = w;
    records.push_back({step, wait != nullptr && wait->isVisible(),
                       wait != nullptr ? wait->Message() : QString(), VisibleTopLevelWindows()});
  });
  windows.ShowMainWindow();

  const std::pair<StartupStep, bool> expected[] = {
      {StartupStep::WaitShown, true},        {StartupStep::MainFormCreated, true},
      {StartupStep::ColorFormCreated, true}, {StartupStep::AboutCreated, true},
      {StartupStep::WaitHidden, false},      {StartupStep::MainFormShown, false}};
  ASSERT_EQ(records.size(), std::size(expected));
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].step, expected[i].first) << i;
    EXPECT_EQ(records[i].waitVisible, expected[i].second) << i;
  }
  EXPECT_EQ(records[0].waitText, "Loading. Please Wait.");
  EXPECT_EQ(records[0].visibleWindows, 1);
  EXPECT_EQ(records[4].waitText, "Please Wait. Skin Applying.");
  EXPECT_TRUE(windows.MainForm().isVisible());
  EXPECT_FALSE(windows.ColorForm().isVisible());
  EXPECT_EQ(windows.MainForm().ColorForm(), &windows.ColorForm());
}

TEST_F(EditorWindowsTest, FirstActivationAppliesTheChoosersNoFlicState) {
  WriteSettings("[Main]\nStatic=0\n");
  EditorWindows windows(Options());
  EXPECT_TRUE(windows.MainForm().ColorPanel()->NoFlicChecked());  // ticked while created
  windows.ShowMainWindow();
  windows.MainForm().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&windows.MainForm()));
  EXPECT_FALSE(windows.MainForm().ColorPanel()->NoFlicChecked());
  EXPECT_TRUE(QTest::qWaitFor([&] { return windows.MainForm().Timer().Enabled(); }, 1000));
}

TEST_F(EditorWindowsTest, CloseWritesTheChoosersVSync) {
  EditorWindows windows(Options());
  windows.ColorForm().SetVSync(false);
  windows.ShowMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows.MainForm()));
  ASSERT_TRUE(windows.MainForm().close());
  const std::string text = Settings();
  EXPECT_NE(text.find("Magnify=4\nVSync=0\nBright=1\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Static"), std::string::npos);
}

}  // namespace
}  // namespace tinto::test

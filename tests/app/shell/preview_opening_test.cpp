// The preview window as the main window opens it and as the close pass saves it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "app/dialogs/preview/preview_form.h"
#include "app/main_form_fixture.h"
#include "app/shell/editor_windows.h"
#include "app/widgets/kel_image.h"

namespace tinto::test {
namespace {

using PreviewOpeningTest = MainFormTest;

TEST_F(PreviewOpeningTest, SmallPreviewOpensItModallyWithTheFlickerStopped) {
  WriteSettings("[Main]\nStatic=0\n");  // the main window flickers
  EditorWindows windows(Options());
  windows.ShowMainWindow();
  TMainForm& form = windows.MainForm();
  form.activateWindow();
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

TEST_F(PreviewOpeningTest, ClosePassWritesThePreviewSectionLast) {
  EditorWindows windows(Options());
  windows.PreviewForm().Magnify()->setValue(6);
  windows.ShowMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows.MainForm()));
  ASSERT_TRUE(windows.MainForm().close());
  const std::string text = Settings();
  EXPECT_NE(text.find("\n[Preview]\nMagnify=6\nNo Flic=0\nMaximized=0\nLeft="), std::string::npos)
      << text;
  EXPECT_LT(text.find("[Dialogs]"), text.find("[Import]"));
  EXPECT_EQ(text.find("[Preview]"), text.rfind("["));
}

TEST_F(PreviewOpeningTest, FailingWriterStopsThePassAndKeepsTheWindowOpen) {
  TMainForm& form = CreateShown();
  int calls = 0;
  const auto writerGiving = [&calls](Status result) {
    return [&calls, result](IniFile&) {
      ++calls;
      return result;
    };
  };
  form.AddSettingsWriter(writerGiving(Status::Error("Unable to write to x")));
  form.AddSettingsWriter(writerGiving(Status::Ok()));
  EXPECT_FALSE(form.close());
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(m_messages.Shown().size(), 2u);  // the failure, then the question to close anyway
  EXPECT_EQ(m_messages.Shown()[0].text, "Unable to write to x");
}

}  // namespace
}  // namespace tinto::test

#include "app/dialogs/preview/preview_form.h"

#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "app/gui_test.h"
#include "app/widgets/kel_image.h"
#include "core/format/ini_file.h"

namespace tinto::test {
namespace {

const QRect kStoredBounds(30, 40, 500, 300);
const char* const kStoredBoundsText = "[Preview]\nLeft=30\nTop=40\nWidth=500\nHeight=300\n";

class PreviewFormTest : public WindowTest {
 protected:
  PreviewFormTest() { m_session.Geometry().SetDX(32); }

  TPreviewForm& Create(const std::string& settings = {}) {
    if (!settings.empty()) WriteSettings(settings);
    m_form = std::make_unique<TPreviewForm>(m_session, m_view, m_mainTimer, m_ini);
    return *m_form;
  }

  // Shown and active, as activation renders and starts the flicker.
  TPreviewForm& Show(TPreviewForm& form) {
    ShowActive(form);
    return form;
  }

  std::string Written() {
    std::filesystem::remove(m_dir.File("out.ini"));
    IniFile out(m_dir.File("out.ini"));
    EXPECT_TRUE(m_form->WriteSettings(out).IsOk());
    return ReadAll(m_dir.File("out.ini"));
  }

  IniFile m_ini{SettingsPath()};
  TEditorSession m_session;
  TViewState m_view;
  TAsyncTimer m_mainTimer;
  std::unique_ptr<TPreviewForm> m_form;
};

// With the stored No Flic it stands still; F, the key for No Flic, starts the flicker.
TEST_F(PreviewFormTest, StoredKeysReachTheWindowAndItFlickersOnlyWithNoFlicOff) {
  m_mainTimer.SetInterval(1);
  TPreviewForm& form =
      Create(std::string(kStoredBoundsText) + "Magnify=50\nNo Flic=1\nMaximized=1\n");
  Show(form);  // the controls' values come back in what is written
  EXPECT_TRUE(form.isMaximized());
  EXPECT_EQ(Written(), "[Preview]\nMagnify=20\nNo Flic=1\nMaximized=1\n");
  form.showNormal();
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.geometry() == kStoredBounds; }, 1000));
  EXPECT_EQ(Written(),
            "[Preview]\nMagnify=20\nNo Flic=1\nMaximized=0\nLeft=30\nTop=40\nWidth=500\n"
            "Height=300\n");
  EXPECT_EQ(form.Timer().Interval(), 1);
  QTest::qWait(100);
  EXPECT_TRUE(form.Prev2()->isHidden());
  QTest::keyClick(&form, Qt::Key_F);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Prev2()->isHidden(); }, 1000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.Prev2()->isHidden(); }, 1000));
  form.hide();
  EXPECT_FALSE(form.Timer().Enabled());
}

// The picture (1024 x 768 in a smaller viewport) follows the pointer; the core tests the edges.
TEST_F(PreviewFormTest, PanningFollowsThePointerWithTheMoveCursor) {
  TPreviewForm& form = Show(Create());
  SendMouse(form.Prev1(), QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(form.Prev1(), QEvent::MouseMove, {70, 80}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(form.ImagePlace(), (ImagePlacement{-30, -20, 1024, 768}));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::SizeAllCursor);
  SendMouse(form.Prev1(), QEvent::MouseButtonRelease, {0, 0}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PreviewFormTest, FullScreenSurvivesEscAndAltEnterReturnsToTheBounds) {
  TPreviewForm& form = Show(Create(kStoredBoundsText));
  QTest::keyClick(&form, Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier);
  EXPECT_TRUE(form.isFullScreen());
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  Show(form);
  EXPECT_TRUE(form.FullScreenView());
  // Reopened full screen, it says for two seconds how to leave.
  EXPECT_TRUE(form.FullScreenHint()->isVisible());
  EXPECT_TRUE(form.FullScreenHintTimer()->isActive());
  QMetaObject::invokeMethod(form.FullScreenHintTimer(), "timeout");
  EXPECT_FALSE(form.FullScreenHint()->isVisible());
  QTest::keyClick(&form, Qt::Key_Return, Qt::AltModifier);
  EXPECT_FALSE(form.isFullScreen());
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.geometry() == kStoredBounds; }, 1000));
}

// What a key, or the wheel (delta not 0), does to "Magnify" (4 at first); the window stays open.
TEST_F(PreviewFormTest, KeysAndWheelChangeMagnifyOnlyAsTheWindowSays) {
  struct Case {
    const char* name;
    bool fullScreen, spinFocused;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int wheelDelta, magnify;
  };
  constexpr auto kNone = Qt::NoModifier;
  constexpr auto kPad = Qt::KeypadModifier;
  const Case cases[] = {{"KeypadPlusInFullScreen", true, false, Qt::Key_Plus, kPad, 0, 5},
                        {"KeypadPlusInNormalView", false, false, Qt::Key_Plus, kPad, 0, 4},
                        {"ArrowTakenFromTheSpinEdit", false, true, Qt::Key_Up, kNone, 0, 4},
                        {"EnterDoesNotClose", false, false, Qt::Key_Return, kNone, 0, 4},
                        {"WheelUpZoomsOut", false, false, {}, kNone, 120, 3},
                        {"WheelDownZoomsIn", true, false, {}, kNone, -240, 6},
                        {"HalfNotchWaits", false, false, {}, kNone, 60, 4},
                        {"FocusedSpinEditKeepsTheWheel", false, true, {}, kNone, 120, 4}};
  for (const Case& c : cases) {
    TPreviewForm& form = Show(Create());
    if (c.fullScreen) QTest::keyClick(&form, Qt::Key_Return, Qt::AltModifier);
    if (c.spinFocused) form.Magnify()->setFocus();
    if (c.wheelDelta != 0) {
      QWheelEvent wheel(QPointF(5, 5), QPointF(form.Prev1()->mapToGlobal(QPoint(5, 5))), QPoint(),
                        QPoint(0, c.wheelDelta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                        false);
      QApplication::sendEvent(form.Prev1(), &wheel);
    } else {
      QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
    }
    EXPECT_EQ(form.Magnify()->value(), c.magnify) << c.name;
    EXPECT_TRUE(form.isVisible()) << c.name;
  }
}

}  // namespace
}  // namespace tinto::test

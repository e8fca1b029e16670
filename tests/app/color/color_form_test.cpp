#include "app/color/color_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <string>

#include "app/color/color_swatch.h"
#include "app/widgets/kel_image.h"
#include "core/format/ini_file.h"
#include "support/temp_dir.h"

namespace {

const QPoint kPointer(400, 300);

void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
  QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void MoveAndPress(QWidget* target, QPoint pos) {
  SendMouse(target, QEvent::MouseMove, pos, Qt::NoButton);
  SendMouse(target, QEvent::MouseButtonPress, pos, Qt::LeftButton);
}

// A press outside a popup closes it, as a click on another window would.
void PressOutside(TColorForm& form) {
  SendMouse(&form, QEvent::MouseButtonPress, QPoint(-20, -20), Qt::LeftButton);
}

QPoint CellCentre(int column, int row) { return {column * 15 + 7, row * 15 + 7}; }

class TColorFormTest : public testing::Test {
 protected:
  tinto::test::TempDir m_dir;
  tinto::IniFile m_settings{m_dir.File("TintoEditor.ini")};

  template <typename T>
  T* Child(TColorForm& form, const char* name) {
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
};

TEST_F(TColorFormTest, SwatchPicksThatColourForBothFrames) {
  TColorForm form(m_settings);
  form.BeginPick(kPointer, true);
  ASSERT_TRUE(form.Picking());
  MoveAndPress(Child<TColorSwatch>(form, "C9"), QPoint(12, 12));
  EXPECT_FALSE(form.Picking());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Result(), 0x4141);
}

TEST_F(TColorFormTest, GridCellPicksColumnForFrameZeroAndRowForFrameOne) {
  TColorForm form(m_settings);
  form.BeginPick(kPointer, true);
  TKelImage* ink = Child<TKelImage>(form, "Ink");
  SendMouse(ink, QEvent::MouseMove, CellCentre(10, 3), Qt::NoButton);
  EXPECT_EQ(Child<QLabel>(form, "CT1")->text(), "C1: Bright Red");
  EXPECT_EQ(Child<QLabel>(form, "CT2")->text(), "C2: Magenta");
  SendMouse(ink, QEvent::MouseButtonPress, CellCentre(10, 3), Qt::RightButton);
  EXPECT_EQ(form.Result(), 0x0342);
}

TEST_F(TColorFormTest, ClickOutsideCancelsEvenAfterPassingOverColours) {
  TColorForm form(m_settings);
  form.BeginPick(kPointer, true);
  SendMouse(Child<TKelImage>(form, "Ink"), QEvent::MouseMove, CellCentre(4, 4), Qt::NoButton);
  SendMouse(Child<TColorSwatch>(form, "C3"), QEvent::MouseMove, QPoint(3, 3), Qt::NoButton);
  PressOutside(form);
  EXPECT_FALSE(form.Picking());
  EXPECT_EQ(form.Result(), TColorForm::kCancelled);
}

TEST_F(TColorFormTest, EscapeCancels) {
  TColorForm form(m_settings);
  form.BeginPick(kPointer, true);
  SendMouse(Child<TColorSwatch>(form, "C5"), QEvent::MouseMove, QPoint(3, 3), Qt::NoButton);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_EQ(form.Result(), TColorForm::kCancelled);
}

TEST_F(TColorFormTest, ChooseWaitsForThePick) {
  TColorForm form(m_settings);
  QTimer::singleShot(0, &form, [&] { MoveAndPress(Child<TColorSwatch>(form, "C9"), {5, 5}); });
  QTimer::singleShot(5000, &form, [&] { form.close(); });  // never hang the suite
  EXPECT_EQ(form.Choose(kPointer, true), 0x4141);
}

TEST_F(TColorFormTest, ChooseReturnsCancelledWhenClosedWithoutAPick) {
  TColorForm form(m_settings);
  QTimer::singleShot(0, &form, [&] { PressOutside(form); });
  QTimer::singleShot(5000, &form, [&] { form.close(); });
  EXPECT_EQ(form.Choose(kPointer, true), TColorForm::kCancelled);
}

TEST_F(TColorFormTest, StaticDisplayShowsOnlyTheMixGridAndDisablesTheFlickerOptions) {
  TColorForm form(m_settings);
  form.BeginPick(kPointer, true);
  EXPECT_TRUE(Child<TKelImage>(form, "Ink")->isVisible());
  EXPECT_FALSE(Child<TKelImage>(form, "cMix1")->isVisible());
  EXPECT_FALSE(Child<TKelImage>(form, "cMix2")->isVisible());
  EXPECT_FALSE(Child<QSlider>(form, "Interval")->isEnabled());
  EXPECT_FALSE(Child<QCheckBox>(form, "VSync")->isEnabled());
  EXPECT_FALSE(Child<QLabel>(form, "Label1")->isEnabled());
  EXPECT_FALSE(form.Timer1().Enabled());
  form.close();
}

TEST_F(TColorFormTest, FlickerAlternatesTheTwoHalvesUntilClosed) {
  TColorForm form(m_settings);
  form.SetVSync(false);
  form.BeginPick(kPointer, false);
  EXPECT_TRUE(form.NoFlicChecked() == false);
  TKelImage* mix1 = Child<TKelImage>(form, "cMix1");
  TKelImage* mix2 = Child<TKelImage>(form, "cMix2");
  EXPECT_FALSE(Child<TKelImage>(form, "Ink")->isVisible());
  EXPECT_TRUE(mix2->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return mix1->isVisible() && !mix2->isVisible(); }, 5000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return mix2->isVisible() && !mix1->isVisible(); }, 5000));
  form.close();
  EXPECT_FALSE(form.Timer1().Enabled());
  EXPECT_TRUE(Child<TKelImage>(form, "Ink")->isVisibleTo(&form));
  EXPECT_TRUE(mix1->isHidden());
  EXPECT_TRUE(mix2->isHidden());
}

TEST_F(TColorFormTest, IntervalSliderSetsOnlyItsOwnTimerAndLabel) {
  TColorForm form(m_settings);
  form.BeginPick(kPointer, false);
  Child<QSlider>(form, "Interval")->setValue(20);
  EXPECT_EQ(form.Timer1().Interval(), 20);
  EXPECT_EQ(Child<QLabel>(form, "Label1")->text(), "Interval: 20 ms");
  form.close();
}

// Cell (10, 3) pairs bright red (frame 0) with magenta (frame 1): red mixes levels 2 and 1 to
// 223, blue levels 0 and 1 to 127.
TEST_F(TColorFormTest, GridImagesHoldTheMixAndBothFlickerHalves) {
  TColorForm form(m_settings);
  const QPoint pixel = CellCentre(10, 3);
  EXPECT_EQ(Child<TKelImage>(form, "Ink")->Picture()->pixelColor(pixel), QColor(223, 0, 127));
  EXPECT_EQ(Child<TKelImage>(form, "cMix1")->Picture()->pixelColor(pixel), QColor(177, 0, 177));
  EXPECT_EQ(Child<TKelImage>(form, "cMix2")->Picture()->pixelColor(pixel), QColor(254, 0, 0));
  EXPECT_EQ(Child<TKelImage>(form, "Ink")->Picture()->pixelColor(CellCentre(9, 9)),
            QColor(0, 0, 254));
}

TEST_F(TColorFormTest, MissingSettingsGiveTheDefaults) {
  TColorForm form(m_settings);
  EXPECT_TRUE(form.NoFlicChecked());
  EXPECT_TRUE(form.VSyncChecked());
  EXPECT_EQ(form.Timer1().Interval(), 5);
  EXPECT_EQ(Child<QSlider>(form, "Interval")->value(), 5);
}

TEST_F(TColorFormTest, ReadsItsSettingsAndClampsTheInterval) {
  tinto::test::WriteAll(m_settings.Path(),
                        "[Main]\r\nStatic=0\r\nVSync=0\r\nTimer Interval=250\r\n");
  TColorForm form(m_settings);
  EXPECT_FALSE(form.NoFlicChecked());
  EXPECT_FALSE(form.VSyncChecked());
  EXPECT_EQ(Child<QSlider>(form, "Interval")->value(), 100);
  EXPECT_EQ(form.Timer1().Interval(), 100);
  EXPECT_EQ(Child<QLabel>(form, "Label1")->text(), "Interval: 100 ms");
}

TEST_F(TColorFormTest, GarbageSettingsGiveTheDefaults) {
  using namespace std::string_literals;
  tinto::test::WriteAll(m_settings.Path(), "\x00\xff\n[Main]\nTimer Interval=abc\nStatic=zz\n"s);
  TColorForm form(m_settings);
  EXPECT_TRUE(form.NoFlicChecked());
  EXPECT_EQ(form.Timer1().Interval(), 5);
}

TEST_F(TColorFormTest, TakesTheMainWindowsNoFlicStateWhenOpened) {
  TColorForm form(m_settings);
  form.BeginPick(kPointer, false);
  EXPECT_FALSE(form.NoFlicChecked());
  form.close();
  form.BeginPick(kPointer, true);
  EXPECT_TRUE(form.NoFlicChecked());
  form.close();
}

TEST_F(TColorFormTest, LaysOutItsPanelsAroundTheGrid) {
  TColorForm form(m_settings);
  EXPECT_EQ(form.width(), 250);
  const QRect grid = Child<TKelImage>(form, "Ink")->geometry();
  EXPECT_EQ(grid, QRect(5, 5, 240, 240));
  const QCheckBox* vSync = Child<QCheckBox>(form, "VSync");
  const QCheckBox* noFlic = Child<QCheckBox>(form, "NoFlic");
  EXPECT_EQ(vSync->geometry().right() + 1, 245);
  EXPECT_EQ(noFlic->geometry().right() + 1, vSync->x() - 5);
  EXPECT_EQ(Child<QSlider>(form, "Interval")->y(), vSync->geometry().bottom() + 1 + 5);
  EXPECT_EQ(Child<QLabel>(form, "CT1")->x(), 15);
  EXPECT_EQ(Child<QLabel>(form, "CT2")->x(), 125);
}

struct PlacementCase {
  const char* name;
  QPoint pointer;
  QPoint expected;
};

class TColorFormPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(TColorFormPlacement, CentresOnThePointerAndKeepsTheRightEdgeOnScreen) {
  const QRect screen(0, 0, 1024, 768);
  EXPECT_EQ(TColorForm::PlaceAtPointer(GetParam().pointer, QSize(250, 400), screen),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TColorForm, TColorFormPlacement,
    testing::Values(PlacementCase{"Centred", {400, 300}, {275, 270}},
                    PlacementCase{"OddHalfTruncates", {401, 30}, {276, 0}},
                    PlacementCase{"TouchingTheRightEdge", {899, 300}, {774, 270}},
                    PlacementCase{"PulledInFromTheRightEdge", {1000, 300}, {774, 270}},
                    PlacementCase{"LeftEdgeIsNotPulledIn", {100, 10}, {-25, -20}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

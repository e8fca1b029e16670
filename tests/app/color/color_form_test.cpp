#include "app/color/color_form.h"

#include "app/color/color_swatch.h"
#include "app/editor/main_settings.h"
#include "app/editor/view_state.h"
#include "app/gui_test.h"
#include "app/widgets/kel_image.h"
#include "core/format/ini_file.h"

namespace tinto::test {
namespace {

const QPoint kPointer(400, 300);

void Hover(QWidget* target, QPoint pos) {
  SendMouse(target, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

void MoveAndPress(QWidget* target, QPoint pos) {
  Hover(target, pos);
  SendMouse(target, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}

// A press outside a popup closes it, as a click on another window would.
void PressOutside(TColorForm& form) {
  SendMouse(&form, QEvent::MouseButtonPress, {-20, -20}, Qt::LeftButton, Qt::LeftButton);
}

QPoint CellCentre(int column, int row) { return {column * 15 + 7, row * 15 + 7}; }

class TColorFormTest : public WindowTest {
 protected:
  template <typename T>
  T* Child(const char* name) {
    return ChildNamed<T>(*m_form, name);
  }
  // The view state as the main window reads it from `settings`, then the chooser on it.
  TColorForm& Form(const std::string& settings = {}) {
    if (!settings.empty()) WriteSettings(settings);
    m_form.reset();
    ScreenGeometry geometry;
    MainWindowSettings window;
    LoadMainSettings(m_settings, m_view, geometry, window);
    m_form = std::make_unique<TColorForm>(m_view, m_settings);
    return *m_form;
  }
  bool Ticked(const char* box) { return Child<QCheckBox>(box)->isChecked(); }

  IniFile m_settings{SettingsPath()};
  TViewState m_view;
  std::unique_ptr<TColorForm> m_form;
};

// Choose runs the window until a pick, a press outside it or Escape; passing over colours before
// cancelling picks nothing. A swatch gives its colour to both frames; grid cell (10, 3) gives its
// column (bright red) to frame 0 and its row (magenta) to frame 1, with either button.
TEST_F(TColorFormTest, ChooseReturnsThePickOrCancelled) {
  enum class End { Swatch, Cell, PressOutside, Escape };
  const std::pair<End, int> cases[] = {{End::Swatch, 0x4141},
                                       {End::Cell, 0x0342},
                                       {End::PressOutside, TColorForm::kCancelled},
                                       {End::Escape, TColorForm::kCancelled}};
  for (const auto& [ending, result] : cases) {
    const End end = ending;  // for the lambda below: not every compiler captures a binding
    TColorForm& form = Form();
    QTimer::singleShot(0, &form, [&] {
      TKelImage* ink = Child<TKelImage>("Ink");
      Hover(ink, CellCentre(4, 4));
      Hover(Child<TColorSwatch>("C3"), QPoint(3, 3));
      if (end == End::Swatch) MoveAndPress(Child<TColorSwatch>("C9"), QPoint(12, 12));
      if (end == End::Cell) {
        Hover(ink, CellCentre(10, 3));
        EXPECT_EQ(Child<QLabel>("CT1")->text(), "C1: Bright Red");
        EXPECT_EQ(Child<QLabel>("CT2")->text(), "C2: Magenta");
        SendMouse(ink, QEvent::MouseButtonPress, CellCentre(10, 3), Qt::RightButton,
                  Qt::RightButton);
      }
      if (end == End::PressOutside) PressOutside(form);
      if (end == End::Escape) QTest::keyClick(&form, Qt::Key_Escape);
    });
    QTimer::singleShot(5000, &form, [&] { form.close(); });  // never hang the suite
    EXPECT_EQ(form.Choose(kPointer), result);
    EXPECT_FALSE(form.Picking());
    EXPECT_FALSE(form.isVisible());
  }
}

// The stored display options show, the interval clamped. With the main window's No Flic the
// chooser takes it over and shows still halves; without, it alternates them until closed.
TEST_F(TColorFormTest, NoFlicShowsStillHalvesAndOtherwiseTheyAlternateUntilClosed) {
  TColorForm& form = Form("[Main]\nStatic=0\nVSync=0\nTimer Interval=250\n");
  EXPECT_FALSE(Ticked("NoFlic") || Ticked("VSync"));
  EXPECT_EQ(Child<QSlider>("Interval")->value(), 100);
  m_view.SetNoFlic(true);
  form.BeginPick(kPointer);
  EXPECT_TRUE(Ticked("NoFlic"));
  EXPECT_TRUE(m_view.MasterNoFlic());
  TKelImage* mix1 = Child<TKelImage>("cMix1");
  TKelImage* mix2 = Child<TKelImage>("cMix2");
  EXPECT_FALSE(mix1->isVisible());
  EXPECT_FALSE(form.Timer1().Enabled());
  form.close();
  m_view.SetNoFlic(false);
  form.BeginPick(kPointer);
  EXPECT_FALSE(Child<TKelImage>("Ink")->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return mix1->isVisible() && !mix2->isVisible(); }, 5000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return mix2->isVisible() && !mix1->isVisible(); }, 5000));
  Child<QSlider>("Interval")->setValue(20);
  EXPECT_EQ(form.Timer1().Interval(), 20);
  form.close();
  EXPECT_FALSE(form.Timer1().Enabled());
  EXPECT_TRUE(Child<TKelImage>("Ink")->isVisibleTo(&form));
}

// Centred on the pointer, an odd half truncated; pulled in from the right edge but not the left.
TEST(TColorForm, PlacedAtThePointerKeepsTheRightEdgeOnScreen) {
  const std::pair<QPoint, QPoint> cases[] = {
      {{401, 30}, {276, 0}}, {{1000, 300}, {774, 270}}, {{100, 10}, {-25, -20}}};
  for (const auto& [pointer, expected] : cases)
    EXPECT_EQ(TColorForm::PlaceAtPointer(pointer, QSize(250, 400), QRect(0, 0, 1024, 768)),
              expected)
        << pointer.x() << "," << pointer.y();
}

}  // namespace
}  // namespace tinto::test

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

// A swatch gives its colour to both frames; grid cell (10, 3) gives its column (bright red) to
// frame 0 and its row (magenta) to frame 1.
TEST_F(TColorFormTest, SwatchOrGridCellPicksAndCloses) {
  TColorForm& form = Form();
  form.BeginPick(kPointer);
  MoveAndPress(Child<TColorSwatch>("C9"), QPoint(12, 12));
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Result(), 0x4141);
  form.BeginPick(kPointer);
  TKelImage* ink = Child<TKelImage>("Ink");
  Hover(ink, CellCentre(10, 3));
  EXPECT_EQ(Child<QLabel>("CT1")->text(), "C1: Bright Red");
  EXPECT_EQ(Child<QLabel>("CT2")->text(), "C2: Magenta");
  SendMouse(ink, QEvent::MouseButtonPress, CellCentre(10, 3), Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(form.Result(), 0x0342);
}

// Choose runs the window until a pick (grid cell (10, 3): bright red and magenta), a press
// outside it or Escape; passing over colours before cancelling picks nothing.
TEST_F(TColorFormTest, ChooseReturnsThePickOrCancelled) {
  enum class End { Pick, PressOutside, Escape };
  for (const End end : {End::Pick, End::PressOutside, End::Escape}) {
    TColorForm& form = Form();
    QTimer::singleShot(0, &form, [&] {
      Hover(Child<TKelImage>("Ink"), CellCentre(4, 4));
      Hover(Child<TColorSwatch>("C3"), QPoint(3, 3));
      if (end == End::Pick) MoveAndPress(Child<TKelImage>("Ink"), CellCentre(10, 3));
      if (end == End::PressOutside) PressOutside(form);
      if (end == End::Escape) QTest::keyClick(&form, Qt::Key_Escape);
    });
    QTimer::singleShot(5000, &form, [&] { form.close(); });  // never hang the suite
    EXPECT_EQ(form.Choose(kPointer), end == End::Pick ? 0x0342 : TColorForm::kCancelled);
    EXPECT_FALSE(form.Picking());
  }
}

TEST_F(TColorFormTest, StaticDisplayShowsNoFlickerHalvesAndStopsTheTimer) {
  TColorForm& form = Form("[Main]\nStatic=0\n");
  m_view.SetNoFlic(true);
  form.BeginPick(kPointer);
  EXPECT_TRUE(Ticked("NoFlic")) << "the main window's state is taken over";
  EXPECT_TRUE(m_view.MasterNoFlic());
  EXPECT_FALSE(Child<TKelImage>("cMix1")->isVisible());
  EXPECT_FALSE(form.Timer1().Enabled());
  form.close();
}

TEST_F(TColorFormTest, FlickerAlternatesTheTwoHalvesUntilClosed) {
  TColorForm& form = Form("[Main]\nVSync=0\n");
  m_view.SetNoFlic(false);
  form.BeginPick(kPointer);
  TKelImage* mix1 = Child<TKelImage>("cMix1");
  TKelImage* mix2 = Child<TKelImage>("cMix2");
  EXPECT_FALSE(Child<TKelImage>("Ink")->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return mix1->isVisible() && !mix2->isVisible(); }, 5000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return mix2->isVisible() && !mix1->isVisible(); }, 5000));
  Child<QSlider>("Interval")->setValue(20);
  EXPECT_EQ(form.Timer1().Interval(), 20);
  form.close();
  EXPECT_FALSE(form.Timer1().Enabled());
  EXPECT_TRUE(Child<TKelImage>("Ink")->isVisibleTo(&form));
}

TEST_F(TColorFormTest, ShowsTheStoredDisplayOptionsWithDefaultsAndAClampedInterval) {
  // Settings text, then No Flic, VSync and the interval as the controls show them.
  const std::pair<std::string, std::string> cases[] = {
      {"", "1 1 5"},
      {"[Main]\nStatic=0\nVSync=0\nTimer Interval=250\n", "0 0 100"},
      {"[Main]\nTimer Interval=abc\nStatic=zz\n", "1 1 5"}};
  for (const auto& [text, shown] : cases) {
    Form(text);
    const int interval = Child<QSlider>("Interval")->value();
    EXPECT_EQ(std::to_string(Ticked("NoFlic")) + " " + std::to_string(Ticked("VSync")) + " " +
                  std::to_string(interval),
              shown)
        << text;
  }
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

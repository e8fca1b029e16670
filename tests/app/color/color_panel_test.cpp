#include "app/color/color_panel.h"

#include "app/color/color_swatch.h"
#include "app/editor/view_state.h"
#include "app/gui_test.h"
#include "app/widgets/click_label.h"

namespace {

struct Colors {
  int ink1, paper1, ink2, paper2;
  bool operator==(const Colors&) const = default;
};

constexpr int kCancelled = 65535;

class TColorPanelTest : public testing::Test {
 protected:
  Colors ColorsOf() const {
    return {m_panel.Ink1(), m_panel.Paper1(), m_panel.Ink2(), m_panel.Paper2()};
  }
  void SetColors(Colors colors) {
    m_panel.SetInk1(static_cast<std::uint8_t>(colors.ink1));
    m_panel.SetPaper1(static_cast<std::uint8_t>(colors.paper1));
    m_panel.SetInk2(static_cast<std::uint8_t>(colors.ink2));
    m_panel.SetPaper2(static_cast<std::uint8_t>(colors.paper2));
  }
  template <typename T = QWidget>
  T* Child(const char* name) {
    return tinto::test::ChildNamed<T>(m_panel, name);
  }
  int Slider(const char* name) { return Child<QSlider>(name)->value(); }
  // Clicks a name label or presses a mix swatch, as the user opens the chooser.
  void OpenChooserFrom(const char* control, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* target = Child(control);
    if (qobject_cast<TClickLabel*>(target) != nullptr)
      QTest::mouseClick(target, button, {}, QPoint(3, 3));
    else
      QTest::mousePress(target, button, {}, QPoint(3, 3));
  }

  TViewState m_view;
  TColorPanel m_panel{m_view};
};

// Level 3 lights a component bright in frame 0 only, or plain without "Bright"; level 1 lights
// it in frame 1 only. The start-up colours are bright white inks on black papers.
TEST_F(TColorPanelTest, SliderLevelsSetTheFrameColoursOfTheirPairAndFollowThem) {
  m_panel.SetBright(false);
  for (const char* slider : {"IT_G", "IT_B"}) Child<QSlider>(slider)->setValue(0);
  Child<QSlider>("IT_R")->setValue(3);
  EXPECT_EQ(ColorsOf(), (Colors{0x02, 0, 0, 0}));
  m_panel.SetBright(true);
  SetColors({0x47, 0, 0x47, 0});
  m_panel.RefreshPanel(true);
  Child<QSlider>("PT_R")->setValue(3);
  Child<QSlider>("PT_B")->setValue(1);
  EXPECT_EQ(ColorsOf(), (Colors{0x47, 0x50, 0x47, 0x08}));
  // Back the other way: a refresh and "Bright" move the sliders to the colours.
  SetColors({0x42, 0x38, 0x03, 0x70});
  m_panel.RefreshPanel(true);
  EXPECT_EQ(ColorsOf(), (Colors{0x42, 0x38, 0x03, 0x70}));
  // Ink red: bright in frame 0, normal in frame 1 -> 4; blue only in frame 1 -> 1.
  EXPECT_EQ(Slider("IT_R"), 4);
  EXPECT_EQ(Slider("IT_B"), 1);
  EXPECT_EQ(Slider("PT_G"), 4);  // normal in frame 0, bright in frame 1
  // "Bright" off strips the bright bits and rereads the sliders; on again restores nothing.
  SetColors({0x47, 0x78, 0x45, 0x48});
  Child<QCheckBox>("Bright")->click();
  EXPECT_EQ(ColorsOf(), (Colors{0x07, 0x38, 0x05, 0x08}));
  EXPECT_EQ(Slider("IT_G"), 2);
  Child<QCheckBox>("Bright")->click();
  EXPECT_EQ(ColorsOf(), (Colors{0x07, 0x38, 0x05, 0x08}));
}

// The chooser, told the No Flic state, answers bright red for frame 0 and magenta for frame 1;
// a name takes the frame-0 colour, a mix swatch the pair. A cancelled choice, or a mix swatch
// pressed with another button than the left, leaves every colour.
TEST_F(TColorPanelTest, TakesThePickedColourAndNothingWhenCancelled) {
  const std::pair<const char*, Colors> cases[] = {
      {"Ink1Name", {0x42, 0x00, 0x07, 0x00}},   {"Ink2Name", {0x07, 0x00, 0x42, 0x00}},
      {"Paper1Name", {0x07, 0x50, 0x07, 0x00}}, {"Paper2Name", {0x07, 0x00, 0x07, 0x50}},
      {"InkMix1", {0x42, 0x00, 0x03, 0x00}},    {"PaperMix1", {0x07, 0x50, 0x07, 0x18}}};
  int answer = 0x0342, calls = 0;
  m_panel.SetColorChooser([&](QPoint) {
    ++calls;
    return answer;
  });
  for (const auto& [control, expected] : cases) {
    SetColors({0x07, 0x00, 0x07, 0x00});
    OpenChooserFrom(control);
    EXPECT_EQ(ColorsOf(), expected) << control;
  }
  answer = kCancelled;
  for (const auto& [control, expected] : cases) OpenChooserFrom(control);
  OpenChooserFrom("InkMix1", Qt::RightButton);
  OpenChooserFrom("PaperMix1", Qt::MiddleButton);
  EXPECT_EQ(calls, 12);
  EXPECT_EQ(ColorsOf(), (Colors{0x07, 0x50, 0x07, 0x18}));  // as the last pick left them
  // Without "Bright" a chosen colour still keeps its bright bit.
  m_panel.SetBright(false);
  answer = 0x4747;
  OpenChooserFrom("InkMix1");
  EXPECT_EQ(m_panel.Ink1(), 0x47);
  EXPECT_EQ(m_panel.Ink2(), 0x47);
}

// A skin may give every widget a background; the name labels over the swatches must stay
// see-through, or the swatches vanish behind them.
TEST_F(TColorPanelTest, SwatchesShowThroughTheirNamesUnderASkin) {
  qApp->setStyleSheet(QStringLiteral("QWidget { background-color: #123456; color: #abcdef; }"));
  SetColors({0x42, 0x20, 0x42, 0x20});  // bright red inks, green papers
  m_panel.RefreshPanel(false);
  const QImage shot = m_panel.grab().toImage();
  qApp->setStyleSheet(QString());
  for (const char* name : {"Ink1", "Paper1"}) {
    const QWidget* swatch = Child(name);
    const QPoint inside = swatch->geometry().topLeft() + QPoint(3, 3);
    EXPECT_EQ(shot.pixelColor(inside), Child<TColorSwatch>(name)->Color()) << name;
  }
}

TEST_F(TColorPanelTest, MixSwatchesFlickerAndRefreshRestoresTheMixAndTheNamesContrast) {
  SetColors({0x42, 0x00, 0x01, 0x78});
  m_panel.RefreshPanel(false);
  auto* inkMix = Child<TColorSwatch>("InkMix1");
  // Bright red over blue mixes to red 199, blue 127.
  EXPECT_EQ(inkMix->Color(), QColor(199, 0, 127));
  m_panel.SwapMixSwatches();
  EXPECT_EQ(inkMix->Color(), QColor(254, 0, 0));
  m_panel.SwapMixSwatches();
  EXPECT_EQ(inkMix->Color(), QColor(0, 0, 177));
  m_panel.RefreshPanel(false);
  EXPECT_EQ(inkMix->Color(), QColor(199, 0, 127));
  // The names are written in letters that contrast with the swatch.
  SetColors({0x41, 0x40, 0x06, 0x28});
  m_panel.RefreshPanel(false);
  for (const auto& [name, text, letters] :
       {std::tuple{"Ink1Name", "Br.Blu", Qt::white}, std::tuple{"Ink2Name", "Yel", Qt::black}}) {
    EXPECT_EQ(Child<QLabel>(name)->text(), text);
    EXPECT_EQ(Child<QLabel>(name)->palette().color(QPalette::WindowText), QColor(letters));
  }
}

}  // namespace

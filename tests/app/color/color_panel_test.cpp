#include "app/color/color_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <cstdint>
#include <string>

#include "app/widgets/click_label.h"
#include "app/color/color_form.h"
#include "app/color/color_swatch.h"
#include "app/editor/view_state.h"
#include "app/widgets/kel_image.h"
#include "core/format/ini_file.h"
#include "support/temp_dir.h"

namespace {

struct Colors {
  int ink1;
  int paper1;
  int ink2;
  int paper2;
  bool operator==(const Colors&) const = default;
};

void PrintTo(const Colors& c, std::ostream* os) {
  *os << std::hex << "{ink1 0x" << c.ink1 << ", paper1 0x" << c.paper1 << ", ink2 0x" << c.ink2
      << ", paper2 0x" << c.paper2 << "}";
}

Colors ColorsOf(const TColorPanel& panel) {
  return {panel.Ink1(), panel.Paper1(), panel.Ink2(), panel.Paper2()};
}

void SetColors(TColorPanel& panel, Colors colors) {
  panel.SetInk1(static_cast<std::uint8_t>(colors.ink1));
  panel.SetPaper1(static_cast<std::uint8_t>(colors.paper1));
  panel.SetInk2(static_cast<std::uint8_t>(colors.ink2));
  panel.SetPaper2(static_cast<std::uint8_t>(colors.paper2));
}

template <typename T>
T* Child(QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

int SliderValue(TColorPanel& panel, const char* name) {
  return Child<QSlider>(panel, name)->value();
}

// Clicks a name label or presses a mix swatch, as the user opens the chooser.
void OpenChooserFrom(TColorPanel& panel, const char* control) {
  QWidget* target = Child<QWidget>(panel, control);
  if (qobject_cast<TClickLabel*>(target) != nullptr) {
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
  } else {
    QTest::mousePress(target, Qt::LeftButton, {}, QPoint(3, 3));
  }
}

struct SliderCase {
  const char* name;
  bool bright;
  Colors expected;
};

class TColorPanelInkSliders : public testing::TestWithParam<SliderCase> {};

TEST_P(TColorPanelInkSliders, RedThreeGivesBrightRedInFrameZeroOnly) {
  TViewState view;
  TColorPanel panel(view);
  panel.SetBright(GetParam().bright);
  Child<QSlider>(panel, "IT_G")->setValue(0);
  Child<QSlider>(panel, "IT_B")->setValue(0);
  Child<QSlider>(panel, "IT_R")->setValue(3);
  EXPECT_EQ(ColorsOf(panel), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(TColorPanel, TColorPanelInkSliders,
                         testing::Values(SliderCase{"BrightOn", true, {0x42, 0, 0, 0}},
                                         SliderCase{"BrightOff", false, {0x02, 0, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TColorPanel, PaperSlidersWritePaperForm) {
  TViewState view;
  TColorPanel panel(view);
  Child<QSlider>(panel, "PT_R")->setValue(3);
  Child<QSlider>(panel, "PT_B")->setValue(1);
  EXPECT_EQ(ColorsOf(panel), (Colors{0x47, 0x50, 0x47, 0x08}));
}

TEST(TColorPanel, RefreshMovesTheSlidersWithoutChangingTheColours) {
  TViewState view;
  TColorPanel panel(view);
  SetColors(panel, {0x42, 0x38, 0x03, 0x70});
  panel.RefreshPanel(true);
  EXPECT_EQ(ColorsOf(panel), (Colors{0x42, 0x38, 0x03, 0x70}));
  // Ink red: bright in frame 0, normal in frame 1 -> 4; blue only in frame 1 -> 1.
  EXPECT_EQ(SliderValue(panel, "IT_R"), 4);
  EXPECT_EQ(SliderValue(panel, "IT_G"), 0);
  EXPECT_EQ(SliderValue(panel, "IT_B"), 1);
  // Paper red and green: normal in frame 0, bright in frame 1 -> 4; blue only in frame 0 -> 1.
  EXPECT_EQ(SliderValue(panel, "PT_R"), 4);
  EXPECT_EQ(SliderValue(panel, "PT_G"), 4);
  EXPECT_EQ(SliderValue(panel, "PT_B"), 1);
}

TEST(TColorPanel, BrightOffStripsTheBrightBitsAndRereadsTheSliders) {
  TViewState view;
  TColorPanel panel(view);
  SetColors(panel, {0x47, 0x78, 0x45, 0x48});
  Child<QCheckBox>(panel, "Bright")->click();
  EXPECT_EQ(ColorsOf(panel), (Colors{0x07, 0x38, 0x05, 0x08}));
  EXPECT_EQ(SliderValue(panel, "IT_R"), 1);
  EXPECT_EQ(SliderValue(panel, "IT_G"), 2);
  EXPECT_EQ(SliderValue(panel, "PT_B"), 2);
  Child<QCheckBox>(panel, "Bright")->click();
  EXPECT_EQ(ColorsOf(panel), (Colors{0x07, 0x38, 0x05, 0x08}));
}

struct ChooserCase {
  const char* name;
  const char* control;
  Colors expected;
};

class TColorPanelChooser : public testing::TestWithParam<ChooserCase> {};

// The chooser answers bright red for frame 0 and magenta for frame 1.
TEST_P(TColorPanelChooser, TakesThePickedPair) {
  TViewState view;
  TColorPanel panel(view);
  SetColors(panel, {0x07, 0x00, 0x07, 0x00});
  panel.SetColorChooser([](QPoint, bool) { return 0x0342; });
  OpenChooserFrom(panel, GetParam().control);
  EXPECT_EQ(ColorsOf(panel), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TColorPanel, TColorPanelChooser,
    testing::Values(ChooserCase{"Ink1Name", "Ink1Name", {0x42, 0x00, 0x07, 0x00}},
                    ChooserCase{
                        "Ink2NameTakesTheFrameZeroColour", "Ink2Name", {0x07, 0x00, 0x42, 0x00}},
                    ChooserCase{"Paper1Name", "Paper1Name", {0x07, 0x50, 0x07, 0x00}},
                    ChooserCase{"Paper2Name", "Paper2Name", {0x07, 0x00, 0x07, 0x50}},
                    ChooserCase{"InkMix1", "InkMix1", {0x42, 0x00, 0x03, 0x00}},
                    ChooserCase{"PaperMix1", "PaperMix1", {0x07, 0x50, 0x07, 0x18}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TColorPanel, CancelledChoiceLeavesEveryColour) {
  TViewState view;
  TColorPanel panel(view);
  SetColors(panel, {0x41, 0x08, 0x02, 0x30});
  int calls = 0;
  panel.SetColorChooser([&](QPoint, bool) {
    ++calls;
    return 65535;
  });
  for (const char* control :
       {"Ink1Name", "Ink2Name", "Paper1Name", "Paper2Name", "InkMix1", "PaperMix1"}) {
    OpenChooserFrom(panel, control);
  }
  EXPECT_EQ(calls, 6);
  EXPECT_EQ(ColorsOf(panel), (Colors{0x41, 0x08, 0x02, 0x30}));
}

TEST(TColorPanel, BrightOffDoesNotFilterChosenColours) {
  TViewState view;
  TColorPanel panel(view);
  panel.SetBright(false);
  panel.SetColorChooser([](QPoint, bool) { return 0x4747; });
  OpenChooserFrom(panel, "InkMix1");
  EXPECT_EQ(panel.Ink1(), 0x47);
  EXPECT_EQ(panel.Ink2(), 0x47);
}

TEST(TColorPanel, MixSwatchesOpenTheChooserOnlyWithTheLeftButton) {
  TViewState view;
  TColorPanel panel(view);
  int calls = 0;
  panel.SetColorChooser([&](QPoint, bool) {
    ++calls;
    return 65535;
  });
  QTest::mousePress(Child<QWidget>(panel, "InkMix1"), Qt::RightButton, {}, QPoint(3, 3));
  QTest::mousePress(Child<QWidget>(panel, "PaperMix1"), Qt::MiddleButton, {}, QPoint(3, 3));
  EXPECT_EQ(calls, 0);
}

TEST(TColorPanel, HandsTheChooserItsNoFlicState) {
  TViewState view;
  TColorPanel panel(view);
  bool seen = true;
  panel.SetColorChooser([&](QPoint, bool noFlic) {
    seen = noFlic;
    return 65535;
  });
  panel.SetNoFlic(false);
  OpenChooserFrom(panel, "Ink1Name");
  EXPECT_FALSE(seen);
}

TEST(TColorPanel, NamesColoursInLettersThatContrastWithTheSwatch) {
  TViewState view;
  TColorPanel panel(view);
  SetColors(panel, {0x41, 0x40, 0x06, 0x28});
  panel.RefreshPanel(false);
  const auto* ink1 = Child<QLabel>(panel, "Ink1Name");
  EXPECT_EQ(ink1->text(), "Br.Blu");
  EXPECT_EQ(ink1->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(Child<QLabel>(panel, "Paper1Name")->text(), "Blk");
  const auto* ink2 = Child<QLabel>(panel, "Ink2Name");
  EXPECT_EQ(ink2->text(), "Yel");
  EXPECT_EQ(ink2->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(Child<QLabel>(panel, "Paper2Name")->text(), "Cyn");
}

TEST(TColorPanel, MixSwatchesFlickerBetweenTheFrameColoursAndRefreshRestoresTheMix) {
  TViewState view;
  TColorPanel panel(view);
  SetColors(panel, {0x42, 0x00, 0x01, 0x78});
  panel.RefreshPanel(false);
  auto* inkMix = Child<TColorSwatch>(panel, "InkMix1");
  auto* paperMix = Child<TColorSwatch>(panel, "PaperMix1");
  // Bright red over blue mixes to red 199, blue 127.
  EXPECT_EQ(inkMix->Color(), QColor(199, 0, 127));
  // Black and bright white papers: every component mixes levels 0 and 2 to 199.
  EXPECT_EQ(paperMix->Color(), QColor(199, 199, 199));
  panel.SwapMixSwatches();
  EXPECT_EQ(inkMix->Color(), QColor(254, 0, 0));
  EXPECT_EQ(paperMix->Color(), QColor(0, 0, 0));
  panel.SwapMixSwatches();
  EXPECT_EQ(inkMix->Color(), QColor(0, 0, 177));
  EXPECT_EQ(paperMix->Color(), QColor(254, 254, 254));
  panel.SwapMixSwatches();
  EXPECT_EQ(inkMix->Color(), QColor(254, 0, 0));
  panel.RefreshPanel(false);
  EXPECT_EQ(inkMix->Color(), QColor(199, 0, 127));
}

TEST(TColorPanel, CheckBoxAssignmentsRunTheirHandlers) {
  TViewState view;
  TColorPanel panel(view);
  int noFlicClicks = 0;
  int attribClicks = 0;
  QObject::connect(&panel, &TColorPanel::NoFlicClicked, [&] { ++noFlicClicks; });
  QObject::connect(&panel, &TColorPanel::AttribClicked, [&] { ++attribClicks; });
  panel.SetNoFlic(true);
  panel.SetAttributes(true);
  Child<QCheckBox>(panel, "NoFlic")->click();
  Child<QCheckBox>(panel, "cbAttrib")->click();
  EXPECT_EQ(noFlicClicks, 2);
  EXPECT_EQ(attribClicks, 2);
  EXPECT_FALSE(panel.NoFlicChecked());
  EXPECT_FALSE(panel.AttributesChecked());
}

TEST(TColorPanel, ArrangesCentredColumnsAndCheckBoxes) {
  TViewState view;
  TColorPanel panel(view);
  panel.ArrangeColumns(155, 91);
  for (const char* name : {"Ink1", "Ink2", "InkMix1", "Ink1Name", "IT_R", "IT_B"}) {
    EXPECT_EQ(Child<QWidget>(panel, name)->x(), 15) << name;
  }
  for (const char* name : {"Paper1", "Paper2", "PaperMix1", "Paper2Name", "PT_G"}) {
    EXPECT_EQ(Child<QWidget>(panel, name)->x(), 80) << name;
  }
  for (const char* name : {"NoFlic", "TransAttr", "Bright", "cbAttrib"}) {
    EXPECT_EQ(Child<QWidget>(panel, name)->geometry(),
              QRect(32, Child<QWidget>(panel, name)->y(), 91, 20))
        << name;
  }
}

// The whole road: a press on the ink mix opens the real chooser at the pointer, and a press on
// grid cell (10, 3) sets Ink 1 to bright red and Ink 2 to magenta.
TEST(TColorPanel, PicksAPairThroughTheColourChooser) {
  tinto::test::TempDir dir;
  const tinto::IniFile settings(dir.File("TintoEditor.ini"));
  TColorForm form(settings);
  TViewState view;
  TColorPanel panel(view);
  panel.SetColorChooser([&](QPoint pointer, bool noFlic) { return form.Choose(pointer, noFlic); });
  QTimer::singleShot(0, &form, [&] {
    auto* ink = form.findChild<TKelImage*>(QStringLiteral("Ink"));
    QMouseEvent move(QEvent::MouseMove, QPointF(157, 52), QPointF(157, 52), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(ink, &move);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(157, 52), QPointF(157, 52), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ink, &press);
  });
  QTimer::singleShot(5000, &form, [&] { form.close(); });
  OpenChooserFrom(panel, "InkMix1");
  EXPECT_EQ(panel.Ink1(), 0x42);
  EXPECT_EQ(panel.Ink2(), 0x03);
}

}  // namespace

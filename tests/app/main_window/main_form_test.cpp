#include "app/main_window/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <filesystem>
#include <initializer_list>
#include <utility>

#include "app/canvas/canvas_area.h"
#include "app/color/color_panel.h"
#include "app/main_window/colors_preview_panel.h"
#include "app/main_window/geometry_bar.h"
#include "app/widgets/kel_image.h"
#include "app/main_window/mode_bar.h"
#include "app/main_window/tool_palette.h"
#include "app/main_form_fixture.h"

namespace tinto::test {
namespace {

QRgb Bgr(QImage* image, int x, int y) { return image->pixel(x, y) & 0xFFFFFF; }

TEST_F(MainFormTest, TitleNamesUntitledFileInWorkingDirectory) {
  TMainForm& form = Create();
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(form.windowTitle().toStdString(), "Tinto Editor - [" + cwd + "/Untitled.tin]");
}

TEST_F(MainFormTest, StartsWithUndoExportAndClipboardCommandsDisabled) {
  TMainForm& form = Create();
  const TMainActions& a = form.Actions();
  for (QAction* action : {a.Undo1, a.Export1, a.Cut1, a.Copy1, a.Paste1})
    EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
  for (QAction* action : {a.New1, a.Open1, a.Save1, a.Save2, a.Import1, a.About1})
    EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
}

TEST_F(MainFormTest, UndoFollowsTheSnapshotRuleOfTheDocument) {
  TMainForm& form = Create();
  form.Session().SetModified(true);
  EXPECT_TRUE(form.Actions().Undo1->isEnabled());
  EXPECT_TRUE(form.windowTitle().endsWith("Untitled.tin]*"));
  form.Session().SetModified(false);
  EXPECT_FALSE(form.Actions().Undo1->isEnabled());
}

TEST_F(MainFormTest, ColorsPanelIsWidenedToFitTwoSwatchColumns) {
  TMainForm& form = Create();
  EXPECT_EQ(form.Panel4()->width(), 155);
}

TEST_F(MainFormTest, BarsKeepDesignWidthsAsMinimumsWhileSkinIsDisabled) {
  WriteSettings("[Skin]\nEnabled=0\n");
  TMainForm& form = Create();
  TModeBar* bar = form.Panel2();
  const int s1 = bar->S_1()->width();
  const int s2 = bar->S_2()->width();
  const int modes = bar->M_or()->width() + bar->M_xor()->width() + bar->M_cls()->width();
  EXPECT_GE(s1, 33);
  EXPECT_GE(s2, 33);
  for (QRadioButton* box : {bar->M_or(), bar->M_xor(), bar->M_cls()}) EXPECT_GE(box->width(), 41);
  EXPECT_GE(bar->Grid()->width(), 42);
  EXPECT_EQ(bar->ScrPanel()->width(), s1 + s2 + 15);
  EXPECT_EQ(bar->S_1()->x(), 5);
  EXPECT_EQ(bar->S_2()->x(), 5 + s1 + 5);
  EXPECT_EQ(bar->ModePanel()->geometry(), QRect(s1 + s2 + 15, 0, modes + 20, 28));
  EXPECT_EQ(bar->M_cls()->x(), 5 + bar->M_or()->width() + 5 + bar->M_xor()->width() + 5);
  EXPECT_EQ(bar->Grid()->x(), s1 + s2 + 15 + modes + 20 + 5);
  const QSize spin = bar->TMagnify()->size();
  EXPECT_GE(spin.width(), 41);
  EXPECT_GE(spin.height(), 20);
  EXPECT_EQ(bar->TMagnify()->y(), (28 - spin.height()) / 2);
  EXPECT_EQ(form.SizePanel()->DX()->size(), spin) << "all spin edits share one size";
  EXPECT_EQ(form.SizePanel()->DY()->size(), spin);
  EXPECT_EQ(form.SizePanel()->DX()->y(), (30 - spin.height()) / 2);
  const QRect gauge = form.Panel2()->ProgressBar1()->geometry();
  EXPECT_EQ(gauge.x(), bar->TMagnify()->x() + spin.width() + 5);
  EXPECT_EQ(gauge.width(), bar->width() - gauge.x() - 5);
}

// Room the style leaves for a check or radio box's caption at the box's present size.
int CaptionRoom(const QAbstractButton* box) {
  QStyleOptionButton option;
  option.initFrom(box);
  option.text = box->text();
  const auto element = qobject_cast<const QCheckBox*>(box) != nullptr
                           ? QStyle::SE_CheckBoxContents
                           : QStyle::SE_RadioButtonContents;
  return box->style()->subElementRect(element, &option, box).width();
}

class MainFormBarTextTest : public MainFormTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MainFormBarTextTest, NoCaptionOrLargestValueIsClipped) {
  WriteSettings(GetParam() ? "[Skin]\nEnabled=1\n" : "[Skin]\nEnabled=0\n");
  TMainForm& form = Create();
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  TModeBar* bar = form.Panel2();
  for (const QAbstractButton* box : std::initializer_list<const QAbstractButton*>{
           bar->S_1(), bar->S_2(), bar->M_or(), bar->M_xor(), bar->M_cls(), bar->Grid()})
    EXPECT_GE(CaptionRoom(box), box->fontMetrics().horizontalAdvance(box->text()))
        << box->text().toStdString();
  TGeometryBar* sizes = form.SizePanel();
  const std::pair<QSpinBox*, const char*> spins[] = {
      {sizes->DX(), "32"}, {sizes->DY(), "192"}, {bar->TMagnify(), "10"}};
  for (const auto& [spin, largest] : spins) {
    spin->setValue(spin->maximum());
    // The edit field is what the buttons and the frame leave; it draws its text 2 pixels in
    // from either side.
    const QLineEdit* field = spin->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), largest);
    EXPECT_GE(field->width() - 4, field->fontMetrics().horizontalAdvance(largest)) << largest;
  }
}

INSTANTIATE_TEST_SUITE_P(MainForm, MainFormBarTextTest, ::testing::Bool());

TEST_F(MainFormTest, BarsAreMeasuredWhileSkinIsEnabled) {
  TMainForm& form = Create();
  QCheckBox* grid = form.Panel2()->Grid();
  const int allowance = grid->sizeHint().width() - grid->fontMetrics().horizontalAdvance("Grid");
  EXPECT_EQ(grid->width(), grid->fontMetrics().horizontalAdvance("Grid") + allowance + 4);
  EXPECT_EQ(form.Panel2()->M_xor()->width(),
            grid->fontMetrics().horizontalAdvance("xor") + allowance + 4);
}

int Magnification(TMainForm& form) { return form.Panel2()->TMagnify()->value(); }
int DrawModeOf(TMainForm& form) { return form.View().DrawMode(); }
int EditedScreen(TMainForm& form) { return form.Panel2()->S_1()->isChecked() ? 1 : 2; }
int GridTicked(TMainForm& form) { return form.Panel2()->Grid()->isChecked() ? 1 : 0; }

struct ShortcutCase {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  int (*observe)(TMainForm&);
  int expected;
};

void PrintTo(const ShortcutCase& c, std::ostream* os) { *os << c.name; }

class MainFormShortcutTest : public MainFormTest,
                             public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(MainFormShortcutTest, ShortcutReachesItsCommand) {
  TMainForm& form = CreateShown();
  // A spin edit with the focus must not swallow plain-key shortcuts.
  QTest::keyClick(form.SizePanel()->DX(), GetParam().key, GetParam().modifiers);
  EXPECT_EQ(GetParam().observe(form), GetParam().expected);
}

// Start-up state without a settings file: magnification 4, xor, screen 1, grid ticked.
INSTANTIATE_TEST_SUITE_P(
    MainForm, MainFormShortcutTest,
    ::testing::Values(ShortcutCase{"Alt+0", Qt::Key_0, Qt::AltModifier, Magnification, 10},
                      ShortcutCase{"Alt+1", Qt::Key_1, Qt::AltModifier, Magnification, 1},
                      ShortcutCase{"Alt+7", Qt::Key_7, Qt::AltModifier, Magnification, 7},
                      ShortcutCase{"Z", Qt::Key_Z, Qt::NoModifier, DrawModeOf, 0},
                      ShortcutCase{"C", Qt::Key_C, Qt::NoModifier, DrawModeOf, 2},
                      ShortcutCase{"Ctrl+2", Qt::Key_2, Qt::ControlModifier, EditedScreen, 2},
                      ShortcutCase{"key left of 1", Qt::Key_QuoteLeft, Qt::NoModifier, GridTicked,
                                   0}));

TEST_F(MainFormTest, StartsWithTheFocusOnTheCanvasSoDigitsChangeNoSetting) {
  TMainForm& form = CreateShown();
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(form.Panel3()->MSB()));
  for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_5, Qt::Key_Return}) QTest::keyClick(&form, key);
  EXPECT_EQ(form.SizePanel()->DX()->value(), 32);
  EXPECT_EQ(form.Panel2()->TMagnify()->value(), 4);
}

TEST_F(MainFormTest, ArrowsInAnOpenMenuMoveToTheNextMenu) {
  TMainForm& form = CreateShown();
  QMenuBar* bar = form.menuBar();
  const QList<QAction*> menus = bar->actions();
  bar->setActiveAction(menus.at(0));
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  QTest::keyClick(popup, Qt::Key_Right);
  EXPECT_EQ(bar->activeAction(), menus.at(1));
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
  EXPECT_EQ(bar->activeAction(), menus.at(0));
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

struct MenuShortcutCase {
  const char* action;
  QKeyCombination keys;
  bool fires;  // false: the command is disabled and must not run
};

void PrintTo(const MenuShortcutCase& c, std::ostream* os) { *os << c.action; }

class MainFormMenuShortcutTest : public MainFormTest,
                                 public ::testing::WithParamInterface<MenuShortcutCase> {};

TEST_P(MainFormMenuShortcutTest, ShortcutTriggersItsMenuItemOnlyWhenEnabled) {
  TMainForm& form = CreateShown();
  auto* action = form.findChild<QAction*>(QString::fromLatin1(GetParam().action));
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->shortcut(), QKeySequence(GetParam().keys));
  QSignalSpy triggered(action, &QAction::triggered);
  QTest::keyClick(&form, GetParam().keys.key(), GetParam().keys.keyboardModifiers());
  EXPECT_EQ(triggered.count(), GetParam().fires ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, MainFormMenuShortcutTest,
    ::testing::Values(MenuShortcutCase{"Open1", QKeyCombination(Qt::Key_F3), true},
                      MenuShortcutCase{"Save1", QKeyCombination(Qt::Key_F2), true},
                      MenuShortcutCase{"Save2", Qt::ALT | Qt::Key_F2, true},
                      MenuShortcutCase{"Import1", Qt::CTRL | Qt::Key_I, true},
                      MenuShortcutCase{"About1", QKeyCombination(Qt::Key_F1), true},
                      MenuShortcutCase{"Undo1", Qt::CTRL | Qt::Key_Z, false},
                      MenuShortcutCase{"Cut1", Qt::CTRL | Qt::Key_X, false},
                      MenuShortcutCase{"Copy1", Qt::CTRL | Qt::Key_C, false},
                      MenuShortcutCase{"Paste1", Qt::CTRL | Qt::Key_V, false},
                      MenuShortcutCase{"Grid1", QKeyCombination(Qt::Key_QuoteLeft), true},
                      MenuShortcutCase{"N12", Qt::ALT | Qt::Key_1, true},
                      MenuShortcutCase{"N22", Qt::ALT | Qt::Key_2, true},
                      MenuShortcutCase{"N31", Qt::ALT | Qt::Key_3, true},
                      MenuShortcutCase{"N41", Qt::ALT | Qt::Key_4, true},
                      MenuShortcutCase{"N51", Qt::ALT | Qt::Key_5, true},
                      MenuShortcutCase{"N61", Qt::ALT | Qt::Key_6, true},
                      MenuShortcutCase{"N71", Qt::ALT | Qt::Key_7, true},
                      MenuShortcutCase{"N81", Qt::ALT | Qt::Key_8, true},
                      MenuShortcutCase{"N91", Qt::ALT | Qt::Key_9, true},
                      MenuShortcutCase{"N101", Qt::ALT | Qt::Key_0, true},
                      MenuShortcutCase{"N11", Qt::CTRL | Qt::Key_1, true},
                      MenuShortcutCase{"N21", Qt::CTRL | Qt::Key_2, true},
                      MenuShortcutCase{"Or1", QKeyCombination(Qt::Key_Z), true},
                      MenuShortcutCase{"Xor1", QKeyCombination(Qt::Key_X), true},
                      MenuShortcutCase{"Cls1", QKeyCombination(Qt::Key_C), true}));

TEST_F(MainFormTest, MagnifyItemsSetTheirOwnFactor) {
  TMainForm& form = Create();
  for (int factor = 1; factor <= 10; ++factor) {
    form.Actions().Magnify[factor - 1]->trigger();
    EXPECT_EQ(form.Panel2()->TMagnify()->value(), factor);
  }
}

TEST_F(MainFormTest, XThenCtrl1ReturnToXorOnScreenOne) {
  TMainForm& form = CreateShown();
  QTest::keyClick(&form, Qt::Key_C);
  QTest::keyClick(&form, Qt::Key_2, Qt::ControlModifier);
  QTest::keyClick(&form, Qt::Key_X);
  QTest::keyClick(&form, Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(form.View().DrawMode(), 1);
  EXPECT_TRUE(form.Panel2()->M_xor()->isChecked());
  EXPECT_TRUE(form.Panel2()->S_1()->isChecked());
  EXPECT_TRUE(form.Image_1()->isVisible());
  EXPECT_FALSE(form.Image_2()->isVisible());
}

TEST_F(MainFormTest, TintoModeItemsTickOneModeAtATime) {
  TMainForm& form = CreateShown();
  form.Actions().Tinto8x2->trigger();
  EXPECT_EQ(form.Session().Geometry().Mode(), AttrMode::Mode8x2);
  EXPECT_FALSE(form.Actions().Tinto8x1->isChecked());
  EXPECT_TRUE(form.Actions().Tinto8x2->isChecked());
  form.Actions().Tinto8x2->trigger();  // choosing the ticked item again keeps it ticked
  EXPECT_TRUE(form.Actions().Tinto8x2->isChecked());
  form.Actions().Tinto8x1->trigger();
  EXPECT_EQ(form.Session().Geometry().Mode(), AttrMode::Mode8x1);
  EXPECT_FALSE(form.Actions().Tinto8x2->isChecked());
}

TEST_F(MainFormTest, MagnificationSizesTheCanvasImages) {
  WriteSettings("[Size]\nDX=10\nDY=100\n");
  TMainForm& form = CreateShown();
  form.Panel2()->TMagnify()->setValue(3);
  EXPECT_EQ(form.Image_1()->size(), QSize(3 * 80, 300));
  EXPECT_EQ(form.Image_2()->size(), QSize(3 * 80, 300));
}

TEST_F(MainFormTest, NarrowingThePictureClampsTheMltWindowOnlyWhileShown) {
  TMainForm& form = Create();
  form.SizePanel()->DX()->setValue(10);
  EXPECT_EQ(form.SizePanel()->MLTWidth()->value(), 18);  // hidden: no reaction
  form.SizePanel()->DX()->setValue(32);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.SizePanel()->MLTLeft()->setValue(20);
  EXPECT_EQ(form.SizePanel()->MLTLeft()->value(), 14);  // moved left until 14 + 18 <= 32
  form.SizePanel()->DX()->setValue(10);
  EXPECT_EQ(form.SizePanel()->MLTLeft()->value(), 0);
  EXPECT_EQ(form.SizePanel()->MLTWidth()->value(), 10);
  EXPECT_EQ(form.Session().Geometry().Window(), (MltWindow{0, 10}));
  EXPECT_EQ(form.DisplayImage(0)->size(), QSize(80, 192));
}

TEST_F(MainFormTest, RendersFramesAndStaticMixIntoTheDisplayBitmaps) {
  WriteSettings("[Size]\nDX=1\nDY=1\n");
  TMainForm& form = CreateShown();
  ScreenBuffers& screen = form.Session().Screen();
  screen.SetAttr(0, 0, 0, 0x4A);
  screen.SetAttr(1, 0, 0, 0x4A);
  screen.SetPixel(0, 0, 0);
  form.ColorPanel()->SetNoFlic(true);
  EXPECT_EQ(form.DisplayImage(0)->size(), QSize(8, 1));
  EXPECT_EQ(Bgr(form.DisplayImage(0), 0, 0), qRgb(254, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(Bgr(form.DisplayImage(1), 0, 0), qRgb(0, 0, 254) & 0xFFFFFF);
  EXPECT_EQ(Bgr(form.DisplayImage(2), 0, 0), qRgb(199, 0, 199) & 0xFFFFFF);
  EXPECT_EQ(Bgr(form.DisplayImage(3), 0, 0), qRgb(199, 0, 199) & 0xFFFFFF);
}

TEST_F(MainFormTest, RenderingWaitsUntilTheWindowIsShown) {
  TMainForm& form = Create();
  form.Session().Screen().SetAttr(0, 0, 0, 0x07);
  form.Session().Screen().SetPixel(0, 0, 0);
  form.RenderScreen();
  EXPECT_EQ(Bgr(form.DisplayImage(0), 0, 0), 0u);
}

TEST_F(MainFormTest, NoFlicOffStartsFlickerAndSwapsThePreviews) {
  TMainForm& form = CreateShown();
  form.ColorPanel()->SetNoFlic(false);
  EXPECT_TRUE(form.Timer().Enabled());
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.Preview2()->isVisible(); }, 2000));
  EXPECT_NE(form.Preview1()->isVisible(), form.Preview2()->isVisible());
  form.ColorPanel()->SetNoFlic(true);
  EXPECT_FALSE(form.Timer().Enabled());
  EXPECT_TRUE(form.Preview1()->isVisible());
  EXPECT_FALSE(form.Preview2()->isVisible());
}

TEST_F(MainFormTest, RollingUpTheColorsPanelPausesFlicker) {
  TMainForm& form = CreateShown();
  form.ColorPanel()->SetNoFlic(false);
  form.Panel4()->SetRolledUp(true);
  EXPECT_FALSE(form.Timer().Enabled());
  form.Panel4()->SetRolledUp(false);
  EXPECT_TRUE(form.Timer().Enabled());
}

TEST_F(MainFormTest, ScreenTwoShowsSecondPreviewOnlyWhileFlickering) {
  TMainForm& form = CreateShown();
  form.ColorPanel()->SetNoFlic(false);
  form.Timer().SetEnabled(false);
  form.Panel2()->S_2()->setChecked(true);
  EXPECT_TRUE(form.Preview2()->isVisible());
  EXPECT_FALSE(form.Preview1()->isVisible());
  EXPECT_TRUE(form.Image_2()->isVisible());
  form.ColorPanel()->SetNoFlic(true);
  form.Panel2()->S_1()->setChecked(true);
  form.Panel2()->S_2()->setChecked(true);
  EXPECT_TRUE(form.Preview1()->isVisible());
  EXPECT_FALSE(form.Preview2()->isVisible());
}

}  // namespace
}  // namespace tinto::test

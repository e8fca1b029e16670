#include "app/main_window/main_form.h"

#include "app/canvas/canvas_area.h"
#include "app/main_form_fixture.h"

namespace tinto::test {
namespace {

// The focus starts on the canvas, so digits change no setting; a spin edit with the focus must
// not swallow the window's shortcuts: a digit with Alt, a plain letter. Start-up state without a
// settings file: magnification 4, xor.
TEST_F(MainFormTest, DigitsChangeNoSettingShortcutsReachTheirCommandsAndMenusTheirArrows) {
  TMainForm& form = CreateShown();
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(Panel3(form)->MSB()));
  for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_5, Qt::Key_Return}) QTest::keyClick(&form, key);
  EXPECT_EQ(SizePanel(form)->DX()->value(), 32);
  EXPECT_EQ(Panel2(form)->TMagnify()->value(), 4);
  QTest::keyClick(SizePanel(form)->DX(), Qt::Key_7, Qt::AltModifier);
  EXPECT_EQ(Panel2(form)->TMagnify()->value(), 7);
  QTest::keyClick(SizePanel(form)->DX(), Qt::Key_C);
  EXPECT_TRUE(Panel2(form)->M_cls()->isChecked());
  // Arrows in an open menu move to the next menu.
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

TEST_F(MainFormTest, NarrowingThePictureClampsTheMltWindowOnlyWhileShown) {
  TMainForm& form = Create();
  SizePanel(form)->DX()->setValue(10);
  EXPECT_EQ(SizePanel(form)->MLTWidth()->value(), 18);  // hidden: no reaction
  SizePanel(form)->DX()->setValue(32);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  SizePanel(form)->MLTLeft()->setValue(20);
  EXPECT_EQ(SizePanel(form)->MLTLeft()->value(), 14);  // moved left until 14 + 18 <= 32
  SizePanel(form)->DX()->setValue(10);
  EXPECT_EQ(SizePanel(form)->MLTLeft()->value(), 0);
  EXPECT_EQ(SizePanel(form)->MLTWidth()->value(), 10);
  EXPECT_EQ(form.Session().Geometry().Window(), (MltWindow{0, 10}));
}

// Bright red ink over bright blue paper, the pixel unset: paper.
TEST_F(MainFormTest, RendersOnlyOnceShown) {
  WriteSettings("[Size]\nDX=1\nDY=1\n");
  TMainForm& form = Create();
  form.Session().Screen().SetAttr(0, 0, 0, 0x4A);
  ColorPanel(form)->SetNoFlic(true);
  EXPECT_EQ(form.Session().Images().Image1()->pixel(0, 0) & 0xFFFFFF, 0u);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  ColorPanel(form)->SetNoFlic(true);
  EXPECT_EQ(form.Session().Images().Image1()->pixel(0, 0) & 0xFFFFFF, 0x0000FEu);
}

TEST_F(MainFormTest, NoFlicOffFlickersThePreviewsUntilRolledUpAndScreenTwoShowsTheSecond) {
  TMainForm& form = CreateShown();
  ColorPanel(form)->SetNoFlic(false);
  EXPECT_TRUE(form.Timer().Enabled());
  EXPECT_TRUE(QTest::qWaitFor([&] { return KelImage(form, "Preview2")->isVisible(); }, 2000));
  Panel4(form)->SetRolledUp(true);
  EXPECT_FALSE(form.Timer().Enabled());
  Panel4(form)->SetRolledUp(false);
  EXPECT_TRUE(form.Timer().Enabled());
  form.Timer().SetEnabled(false);
  Panel2(form)->S_2()->setChecked(true);  // screen 2 shows the second preview while flickering
  EXPECT_TRUE(KelImage(form, "Preview2")->isVisible());
  EXPECT_FALSE(KelImage(form, "Preview1")->isVisible());
  ColorPanel(form)->SetNoFlic(true);
  EXPECT_FALSE(form.Timer().Enabled());
  EXPECT_TRUE(KelImage(form, "Preview1")->isVisible());
  EXPECT_FALSE(KelImage(form, "Preview2")->isVisible());
}

// Editors on one settings file step aside from each other; a slot that is given up is taken
// again by the next editor.
TEST_F(MainFormTest, ASecondEditorOnTheSameSettingsOpensATitleBarLowerAndFurtherRight) {
  WriteSettings("[Main]\nLeft=100\nTop=120\nWidth=606\nHeight=446\n");
  TMainForm& first = Create();
  TMainForm second(Options());
  const int step = first.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &first);
  ASSERT_GT(step, 0);
  EXPECT_EQ(first.geometry().topLeft(), QPoint(100, 120));
  EXPECT_EQ(second.geometry().topLeft(), QPoint(100 + step, 120 + step));
  m_form.reset();
  EXPECT_EQ(TMainForm(Options()).geometry().topLeft(), QPoint(100, 120));
}

TEST(ToolPalette, OneToolIsDownAndOnlyThePencilShowsItsSize) {
  TViewState view;
  TToolPalette palette(view);
  palette.resize(TToolPalette::kDesignWidth, 300);
  palette.show();
  QSignalSpy changed(&palette, &TToolPalette::ToolChanged);
  QTest::mouseClick(palette.Button(tinto::ToolButton::Pick), Qt::LeftButton);
  QTest::mouseClick(palette.Button(tinto::ToolButton::Pick), Qt::LeftButton);
  EXPECT_EQ(palette.CurrentTool(), tinto::ToolButton::Pick) << "a second click keeps it down";
  EXPECT_FALSE(palette.pSize()->isVisible());
  QTest::mouseClick(palette.Button(tinto::ToolButton::Brush), Qt::LeftButton);  // disabled
  EXPECT_EQ(palette.CurrentTool(), tinto::ToolButton::Pick);
  palette.SelectTool(tinto::ToolButton::None);  // no tool
  palette.SelectTool(tinto::ToolButton::Pencil);
  EXPECT_TRUE(palette.pSize()->isVisible());
  EXPECT_EQ(changed.count(), 3);
}

}  // namespace
}  // namespace tinto::test

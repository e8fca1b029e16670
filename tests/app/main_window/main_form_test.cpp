#include "app/main_window/main_form.h"

#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <initializer_list>

#include "app/canvas/canvas_area.h"
#include "app/main_form_fixture.h"

namespace tinto::test {
namespace {

QRgb Rgb(QImage* image) { return image->pixel(0, 0) & 0xFFFFFF; }

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

// No check or radio caption, nor the largest value of a spin edit, is clipped.
void BarTextFits(TMainForm& form) {
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

// With the skin on or off.
TEST_F(MainFormTest, NoCaptionOrLargestValueIsClipped) {
  for (const char* skin : {"[Skin]\nEnabled=1\n", "[Skin]\nEnabled=0\n"}) {
    SCOPED_TRACE(skin);
    WriteSettings(skin);
    BarTextFits(Create());
    m_form.reset();
  }
}

int Magnification(TMainForm& form) { return form.Panel2()->TMagnify()->value(); }
int ClsTicked(TMainForm& form) { return form.Panel2()->M_cls()->isChecked() ? 1 : 0; }
int EditedScreen(TMainForm& form) { return form.Image_2()->isVisible() ? 2 : 1; }
int GridTicked(TMainForm& form) { return form.Panel2()->Grid()->isChecked() ? 1 : 0; }

// A spin edit with the focus must not swallow the window's shortcuts. Start-up state without a
// settings file: magnification 4, xor, screen 1, grid ticked.
TEST_F(MainFormTest, ShortcutsReachTheirCommandsFromASpinEdit) {
  TMainForm& form = CreateShown();
  const std::tuple<QKeyCombination, int (*)(TMainForm&), int> cases[] = {
      {Qt::ALT | Qt::Key_0, Magnification, 10},
      {Qt::ALT | Qt::Key_7, Magnification, 7},
      {QKeyCombination(Qt::Key_C), ClsTicked, 1},
      {Qt::CTRL | Qt::Key_2, EditedScreen, 2},
      {QKeyCombination(Qt::Key_QuoteLeft), GridTicked, 0}};  // the key left of 1
  for (const auto& [keys, observe, expected] : cases) {
    QTest::keyClick(form.SizePanel()->DX(), keys.key(), keys.keyboardModifiers());
    EXPECT_EQ(observe(form), expected) << keys.toCombined();
  }
}

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

TEST_F(MainFormTest, NarrowingThePictureClampsTheMltWindowOnlyWhileShownAndSizesTheCanvas) {
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
  form.Actions().Magnify[2]->trigger();
  EXPECT_EQ(form.Image_2()->size(), QSize(240, 576));
}

// Bright red over bright blue: each frame as it is, and the static mix in both previews.
TEST_F(MainFormTest, RendersTheFramesAndTheStaticMixOnlyOnceShown) {
  WriteSettings("[Size]\nDX=1\nDY=1\n");
  TMainForm& form = Create();
  ScreenBuffers& screen = form.Session().Screen();
  screen.SetAttr(0, 0, 0, 0x4A);
  screen.SetAttr(1, 0, 0, 0x4A);
  screen.SetPixel(0, 0, 0);
  form.RenderScreen();
  EXPECT_EQ(Rgb(form.DisplayImage(0)), 0u) << "rendering waits until the window is shown";
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.ColorPanel()->SetNoFlic(true);
  EXPECT_EQ(Rgb(form.DisplayImage(0)), qRgb(254, 0, 0) & 0xFFFFFF);
  EXPECT_EQ(Rgb(form.DisplayImage(1)), qRgb(0, 0, 254) & 0xFFFFFF);
  EXPECT_EQ(Rgb(form.DisplayImage(3)), qRgb(199, 0, 199) & 0xFFFFFF);
}

TEST_F(MainFormTest, NoFlicOffFlickersThePreviewsUntilRolledUpAndScreenTwoShowsTheSecond) {
  TMainForm& form = CreateShown();
  form.ColorPanel()->SetNoFlic(false);
  EXPECT_TRUE(form.Timer().Enabled());
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.Preview2()->isVisible(); }, 2000));
  form.Panel4()->SetRolledUp(true);
  EXPECT_FALSE(form.Timer().Enabled());
  form.Panel4()->SetRolledUp(false);
  EXPECT_TRUE(form.Timer().Enabled());
  form.Timer().SetEnabled(false);
  form.Panel2()->S_2()->setChecked(true);  // screen 2 shows the second preview while flickering
  EXPECT_TRUE(form.Preview2()->isVisible());
  EXPECT_FALSE(form.Preview1()->isVisible());
  form.ColorPanel()->SetNoFlic(true);
  EXPECT_FALSE(form.Timer().Enabled());
  EXPECT_TRUE(form.Preview1()->isVisible());
  EXPECT_FALSE(form.Preview2()->isVisible());
}

}  // namespace
}  // namespace tinto::test

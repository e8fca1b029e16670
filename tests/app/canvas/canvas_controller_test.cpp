#include "app/canvas/canvas_controller.h"

#include "app/canvas/canvas_area.h"
#include "app/canvas/status_bar.h"
#include "app/canvas/tool_cursors.h"
#include "app/canvas_fixture.h"

namespace tinto::test {
namespace {

using CanvasControllerTest = CanvasTest;

TEST_F(CanvasControllerTest, PencilDrawsIntoTheEditedFrameAndColoursTheCellsOfBoth) {
  TMainForm& form = Shown();
  Panel2(form)->S_2()->setChecked(true);
  Drag(form, {{8, 3}, {9, 3}, {10, 3}});
  const ScreenBuffers& screen = form.Session().Screen();
  EXPECT_EQ(screen.PixelByte(1, 3, 1), 0xE0);
  EXPECT_EQ(screen.PixelByte(0, 3, 1), 0x00);
  EXPECT_EQ(screen.AttrByte(0, 3, 1), 0x0A);  // the test colours: red on blue
  EXPECT_EQ(screen.AttrByte(1, 3, 1), 0x34);  // green on yellow
}

// The bars' draw mode (cls), size and Transparent reach the stroke; a stroke stops while the
// pointer is off the picture; in xor a second plot within one pixel would clear it again.
TEST_F(CanvasControllerTest, StrokesFollowTheBarsAndThePointer) {
  // Settings, the drag, then the pixel byte at (row, column) before and after it.
  const std::tuple<IniOverrides, std::vector<PixelPoint>, int, int, int, int> cases[] = {
      {{{"Main", "Draw Mode", "2"}, {"Main", "Pencil Size", "3"}}, {{17, 20}}, 20, 2, 0xFF, 0x1F},
      {{{"Size", "DX", "1"}}, {{6, 2}, {7, 2}, {8, 2}, {9, 3}, {7, 3}}, 2, 0, 0, 0x03},
      {{{"Main", "Transparent", "1"}}, {{40, 10}}, 10, 5, 0, 0x80},  // attributes stay 0
      {{{"Main", "Draw Mode", "1"}}, {{3, 3}, {3, 3}, {4, 3}}, 3, 0, 0, 0x18}};
  for (const auto& [settings, drag, row, column, before, after] : cases) {
    TMainForm& form = Shown(settings);
    form.Session().Screen().PixelByte(0, row, column) = static_cast<std::uint8_t>(before);
    Drag(form, drag);
    EXPECT_EQ(form.Session().Screen().PixelByte(0, row, column), after) << after;
    EXPECT_EQ(form.Session().Screen().AttrByte(1, 10, 5), 0) << "Transparent keeps attributes";
    m_form.reset();
  }
}

TEST_F(CanvasControllerTest, PickTakesTheFourColoursFromTheCellUnderThePointer) {
  TMainForm& form = Shown();
  form.Session().Screen().SetAttr(0, 17, 20, 0x7A);
  form.Session().Screen().SetAttr(1, 17, 20, 0x15);
  form.Session().Screen().SetAttr(0, 30, 21, 0x78);
  form.Session().Screen().SetAttr(1, 30, 21, 0x78);
  PnTools(form)->SelectTool(tinto::ToolButton::Pick);
  TColorPanel* panel = ColorPanel(form);
  const auto colours = [panel] {
    return std::array{panel->Ink1(), panel->Paper1(), panel->Ink2(), panel->Paper2()};
  };
  QTest::mousePress(KelImage(form, "Image_1"), Qt::LeftButton, {}, At(17, 20));
  EXPECT_EQ(colours(), (std::array<std::uint8_t, 4>{0x42, 0x78, 0x05, 0x10}));
  QTest::mouseMove(KelImage(form, "Image_1"), At(30, 21));
  QTest::mouseRelease(KelImage(form, "Image_1"), Qt::LeftButton, {}, At(30, 21));
  EXPECT_EQ(colours(), (std::array<std::uint8_t, 4>{0x40, 0x78, 0x40, 0x78}));
  EXPECT_EQ(panel->findChild<QSlider*>("IT_R")->value(), 0);  // no ink lit in either frame
  EXPECT_FALSE(form.Session().Document().Modified());
}

TEST_F(CanvasControllerTest, StatusBarShowsPositionAndColoursUnderThePointer) {
  TMainForm& form = Shown({{"Main", "Magnify", "1"}});
  form.Session().Screen().SetAttr(0, 255, 191, 0x7F);
  QTest::mouseMove(KelImage(form, "Image_1"), QPoint(255, 191));
  TStatusBar* bar = SB0(form);
  const QLabel* labels[] = {bar->XP(), bar->YP(), bar->XA(), bar->YA(), bar->IP(), bar->PP()};
  const char* texts[] = {"X: 255", "Y: 191", "XA: 31", "YA: 23", "Ink: Br.Wht", "Pap: Br.Wht"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(labels[i]->text(), texts[i]);
}

// Shift snaps to cells; the right edge 256 is kept, not rounded to 0; a click, a geometry
// change and New remove it.
TEST_F(CanvasControllerTest,
       MarqueeFollowsTheDragClampedToThePictureAndAClickGeometryOrNewRemoveIt) {
  TMainForm& form = Shown();
  PnTools(form)->SelectTool(tinto::ToolButton::Marque);
  Drag(form, {{100, 50}, {300, 70}, {300, 61}}, Qt::ShiftModifier);
  EXPECT_EQ(Canvas(form)->Selection().Current(), (SelectionRecord{true, 96, 48, 256, 56}));
  for (const char* remover : {"click", "geometry", "New"}) {
    Select(form, {10, 40}, {200, 90});
    ASSERT_TRUE(Canvas(form)->Selection().Current().active);
    if (*remover == 'c') Drag(form, {{10, 5}});
    if (*remover == 'g') SizePanel(form)->DY()->setValue(100);
    if (*remover == 'N') form.Actions().New1->trigger();
    EXPECT_FALSE(Canvas(form)->Selection().Current().active) << remover;
  }
}

// A 16 x 8 selection at (16, 16) dragged from (18, 18) far past the right edge is pinned there.
TEST_F(CanvasControllerTest, DragInsideTheMarqueeMovesTheFrameAloneAndCtrlDragDropsACopy) {
  TMainForm& form = Shown();
  Select(form, {16, 16}, {32, 24});
  Hover(form, {18, 18});
  ASSERT_EQ(Canvas(form)->Mode(), PointerMode::MoveSel);
  Drag(form, {{18, 18}, {600, 18}});
  EXPECT_EQ(Canvas(form)->Selection().Current(), (SelectionRecord{true, 240, 16, 256, 24}));
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 16, 30), 0x00);
  EXPECT_FALSE(form.Session().Document().Modified());
  // With Ctrl a drag drops a copy with its attributes and keeps the source.
  Select(form, {16, 16}, {32, 24});
  ScreenBuffers& screen = form.Session().Screen();
  for (int row = 16; row < 24; ++row) {
    screen.PixelByte(0, row, 2) = 0xF0;
    screen.AttrByte(0, row, 2) = 0x4A;
  }
  Hover(form, {18, 18}, Qt::ControlModifier);
  ASSERT_EQ(Canvas(form)->Mode(), PointerMode::Move);
  Drag(form, {{18, 18}, {18, 600}}, Qt::ControlModifier);  // pinned to the bottom: rows 184..191
  EXPECT_EQ(screen.PixelByte(0, 191, 2), 0xF0);
  EXPECT_EQ(screen.AttrByte(0, 184, 2), 0x4A);
  EXPECT_EQ(screen.PixelByte(0, 23, 2), 0xF0);
}

struct PaintCounter : QObject {
  int count = 0;
  bool eventFilter(QObject* watched, QEvent* event) override {
    count += event->type() == QEvent::Paint ? 1 : 0;
    return QObject::eventFilter(watched, event);
  }
};

// A stroke must follow the pointer while input keeps arriving: the paint cannot wait.
TEST_F(CanvasControllerTest, PlotRepaintsTheGridOverTheChangedBlocksAtOnce) {
  TMainForm& form = Shown();
  auto* overlay = Panel3(form)->MSB()->viewport()->findChild<QWidget*>("CanvasOverlay");
  ASSERT_NE(overlay, nullptr);
  PaintCounter imagePaints, overlayPaints;
  KelImage(form, "Image_1")->installEventFilter(&imagePaints);
  overlay->installEventFilter(&overlayPaints);
  QTest::mousePress(KelImage(form, "Image_1"), Qt::LeftButton, {}, At(3, 3));
  EXPECT_EQ(imagePaints.count, 1);
  EXPECT_EQ(overlayPaints.count, 1);
  QTest::mouseRelease(KelImage(form, "Image_1"), Qt::LeftButton, {}, At(3, 3));
}

TEST_F(CanvasControllerTest, AltShowsThePickCursorAndLetterKeysButNotKeypadKeysSwitchTools) {
  TMainForm& form = Shown();
  const QImage pick = ToolCursor(PointerMode::Pick).pixmap().toImage();
  ASSERT_FALSE(pick.isNull());
  QTest::keyPress(&form, Qt::Key_Alt);
  EXPECT_EQ(KelImage(form, "Image_2")->cursor().pixmap().toImage(), pick);
  QTest::keyRelease(&form, Qt::Key_Alt);
  EXPECT_EQ(KelImage(form, "Image_1")->cursor().pixmap().toImage(),
            ToolCursor(PointerMode::Pencil).pixmap().toImage());
  QTest::keyClick(&form, Qt::Key_M, Qt::ShiftModifier);
  EXPECT_EQ(PnTools(form)->CurrentTool(), tinto::ToolButton::Marque);
  EXPECT_EQ(KelImage(form, "Image_1")->cursor().shape(), Qt::CrossCursor);
  QTest::keyClick(&form, Qt::Key_I);
  EXPECT_EQ(PnTools(form)->CurrentTool(), tinto::ToolButton::Pick);
  for (Qt::Key key : {Qt::Key_Minus, Qt::Key_9, Qt::Key_0})
    QTest::keyClick(&form, key, Qt::KeypadModifier);
  EXPECT_EQ(PnTools(form)->CurrentTool(), tinto::ToolButton::Pick);
}

// A modifier pressed over the canvas and released while a modal dialog had the keyboard (Alt+F,
// N, Cancel at "Save Changes?"): the canvas never sees the release.
void ReleasedInModalDialog(TMainForm& form, Qt::Key key, Qt::KeyboardModifier modifier) {
  QTest::keyPress(&form, key, modifier);
  QDialog dialog(&form);
  QTimer::singleShot(0, &dialog, [&dialog, key] {
    QTest::keyRelease(&dialog, key);
    dialog.reject();
  });
  dialog.exec();
}

TEST_F(CanvasControllerTest, AModifierReleasedInAModalDialogIsNotHeldAtTheNextPress) {
  TMainForm& form = Shown();
  ReleasedInModalDialog(form, Qt::Key_Alt, Qt::AltModifier);
  Drag(form, {{8, 3}});
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 3, 1), 0x80);  // drawn, not picked
  EXPECT_EQ(ColorPanel(form)->Ink1(), 0x02);
  // The next key acts instead of only putting the stored state right.
  ReleasedInModalDialog(form, Qt::Key_Alt, Qt::AltModifier);
  QTest::keyClick(&form, Qt::Key_M);
  EXPECT_EQ(PnTools(form)->CurrentTool(), tinto::ToolButton::Marque);
  // Shift no longer snaps the marquee; Ctrl no longer turns a frame move into a copy.
  ReleasedInModalDialog(form, Qt::Key_Shift, Qt::ShiftModifier);
  Drag(form, {{100, 50}, {130, 70}});
  EXPECT_EQ(Canvas(form)->Selection().Current(), (SelectionRecord{true, 100, 50, 130, 70}));
  ReleasedInModalDialog(form, Qt::Key_Control, Qt::ControlModifier);
  Hover(form, {110, 60});
  EXPECT_EQ(Canvas(form)->Mode(), PointerMode::MoveSel);
  Drag(form, {{110, 60}, {10, 60}});
  EXPECT_EQ(Canvas(form)->Selection().Current(), (SelectionRecord{true, 0, 50, 30, 70}));
}

TEST_F(CanvasControllerTest, KeyDownsDoNotReachControlsButTypedNumbersDoWhenFinished) {
  TMainForm& form = Shown();
  QSpinBox* magnify = Panel2(form)->TMagnify();
  magnify->setFocus();
  QTest::keyClick(magnify, Qt::Key_Up);
  EXPECT_EQ(magnify->value(), 4);
  // Typing "18" over "32" passes through 1; had that been taken, the MLT window would have been
  // cut to one column.
  QSpinBox* dx = SizePanel(form)->DX();
  dx->setFocus();
  dx->selectAll();
  QTest::keyClicks(dx, "18");
  QTest::keyClick(dx, Qt::Key_Return);
  EXPECT_EQ(form.Session().Geometry().Window(), (MltWindow{0, 18}));
}

}  // namespace
}  // namespace tinto::test

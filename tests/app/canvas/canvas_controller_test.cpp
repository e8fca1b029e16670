#include "app/canvas/canvas_controller.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <bit>
#include <string>
#include <vector>

#include "app/canvas/canvas_area.h"
#include "app/color/color_panel.h"
#include "app/main_window/geometry_bar.h"
#include "app/widgets/kel_image.h"
#include "app/main_window/mode_bar.h"
#include "app/canvas/status_bar.h"
#include "app/canvas/tool_cursors.h"
#include "app/main_window/tool_palette.h"
#include "app/canvas_fixture.h"

namespace tinto::test {
namespace {

// The attribute bytes that the test colours write into frame 0 and frame 1.
constexpr std::uint8_t kAttr0 = 0x0A;
constexpr std::uint8_t kAttr1 = 0x34;

QRgb Color(QImage* image, int x, int y) { return image->pixel(x, y) & 0xFFFFFF; }
QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b) & 0xFFFFFF; }

int SetPixelCount(const ScreenBuffers& screen) {
  int count = 0;
  for (std::uint8_t byte : screen.Pixels())
    for (int bit = 0; bit < 8; ++bit) count += (byte >> bit) & 1;
  return count;
}

class CanvasControllerTest : public CanvasTest {};

struct PencilCase {
  const char* name;
  int size;
  PixelPoint pixel;
  int dx;
  int dy;
  int row;   // first row that must hold `byte` at byte column `column`
  int rows;  // number of such rows
  int column;
  std::uint8_t byte;
};

void PrintTo(const PencilCase& c, std::ostream* os) { *os << c.name; }

class CanvasControllerPencilTest : public CanvasControllerTest,
                                   public ::testing::WithParamInterface<PencilCase> {};

TEST_P(CanvasControllerPencilTest, PencilSetsItsSquareClippedToThePicture) {
  const PencilCase& c = GetParam();
  TMainForm& form = Shown({{"Size", "DX", std::to_string(c.dx)},
                           {"Size", "DY", std::to_string(c.dy)},
                           {"Main", "Pencil Size", std::to_string(c.size)}});
  ASSERT_EQ(form.Session().Geometry().DX(), c.dx);
  Drag(form, {c.pixel});
  for (int r = 0; r < c.rows; ++r)
    EXPECT_EQ(form.Session().Screen().PixelByte(0, c.row + r, c.column), c.byte)
        << "row " << c.row + r;
  EXPECT_EQ(SetPixelCount(form.Session().Screen()), c.rows * std::popcount(c.byte));
}

INSTANTIATE_TEST_SUITE_P(
    CanvasController, CanvasControllerPencilTest,
    ::testing::Values(PencilCase{"Size1", 1, {10, 5}, 32, 192, 5, 1, 1, 0x20},
                      // The square of size 2 covers -1..0: only (0, 0) is in the picture.
                      PencilCase{"Size2AtTopLeft", 2, {0, 0}, 32, 192, 0, 1, 0, 0x80},
                      PencilCase{"Size2AtBottomRight", 2, {255, 191}, 32, 192, 190, 2, 31, 0x03},
                      PencilCase{"Size5AtTopLeft", 5, {0, 0}, 32, 192, 0, 3, 0, 0xE0},
                      // Columns 141..143 of byte 17 and rows 97..99: the picture ends there.
                      PencilCase{"Size5AtNarrowEdge", 5, {143, 99}, 18, 100, 97, 3, 17, 0x07}));

TEST_F(CanvasControllerTest, StrokeWritesTheEditedFrameAndTheAttributesOfBoth) {
  TMainForm& form = Shown();
  form.Panel2()->S_2()->setChecked(true);
  Drag(form, {{8, 3}, {9, 3}, {10, 3}});
  EXPECT_EQ(form.Session().Screen().PixelByte(1, 3, 1), 0xE0);
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 3, 1), 0x00);
  EXPECT_EQ(form.Session().Screen().AttrByte(0, 3, 1), kAttr0);
  EXPECT_EQ(form.Session().Screen().AttrByte(1, 3, 1), kAttr1);
  EXPECT_TRUE(form.Session().Document().Modified());
  EXPECT_TRUE(form.windowTitle().endsWith("]*"));
}

TEST_F(CanvasControllerTest, ClsModeClearsPixels) {
  TMainForm& form = Shown({{"Main", "Draw Mode", "2"}, {"Main", "Pencil Size", "3"}});
  form.Session().Screen().PixelByte(0, 20, 2) = 0xFF;
  Drag(form, {{17, 20}});
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 20, 2), 0x1F);  // columns 16..18 cleared
}

TEST_F(CanvasControllerTest, XorTwiceRestoresThePixelButKeepsTheAttributes) {
  TMainForm& form = Shown({{"Main", "Draw Mode", "1"}});
  Drag(form, {{3, 3}});
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 3, 0), 0x10);
  Drag(form, {{3, 3}});
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 3, 0), 0x00);
  EXPECT_EQ(form.Session().Screen().AttrByte(0, 3, 0), kAttr0);
}

TEST_F(CanvasControllerTest, MovesWithinOnePixelDoNotPlotAgain) {
  TMainForm& form = Shown({{"Main", "Draw Mode", "1"}});
  TKelImage* image = form.Image_1();
  QTest::mousePress(image, Qt::LeftButton, {}, QPoint(12, 12));  // pixel (3, 3)
  for (QPoint p : {QPoint(13, 12), QPoint(15, 15), QPoint(12, 14)}) QTest::mouseMove(image, p);
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 3, 0), 0x10);
  QTest::mouseMove(image, QPoint(16, 12));  // pixel (4, 3)
  QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(16, 12));
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 3, 0), 0x18);
}

TEST_F(CanvasControllerTest, StrokeLeavingThePictureStopsUntilThePointerComesBack) {
  TMainForm& form = Shown({{"Size", "DX", "1"}, {"Size", "DY", "8"}});
  Drag(form, {{6, 2}, {7, 2}, {8, 2}, {9, 3}, {7, 3}});
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 2, 0), 0x03);
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 3, 0), 0x01);
}

struct AttributeCase {
  const char* name;
  IniOverrides settings;
  PixelPoint pixel;
  int firstRow;  // rows firstRow .. firstRow + rows - 1 of the pixel's byte column get the
  int rows;      // current colours, every other row keeps 0
};

void PrintTo(const AttributeCase& c, std::ostream* os) { *os << c.name; }

class CanvasControllerAttributeTest : public CanvasControllerTest,
                                      public ::testing::WithParamInterface<AttributeCase> {};

TEST_P(CanvasControllerAttributeTest, PencilWritesTheCellOfItsModeInBothFrames) {
  const AttributeCase& c = GetParam();
  TMainForm& form = Shown(c.settings);
  if (std::string(c.name).starts_with("Mode8x2")) form.Actions().Tinto8x2->trigger();
  Drag(form, {c.pixel});
  const int column = c.pixel.x / 8;
  for (int row = 0; row < kScreenHeight; ++row) {
    const bool written = row >= c.firstRow && row < c.firstRow + c.rows;
    EXPECT_EQ(form.Session().Screen().AttrByte(0, row, column), written ? kAttr0 : 0)
        << "row " << row;
    EXPECT_EQ(form.Session().Screen().AttrByte(1, row, column), written ? kAttr1 : 0)
        << "row " << row;
  }
}

INSTANTIATE_TEST_SUITE_P(
    CanvasController, CanvasControllerAttributeTest,
    ::testing::Values(AttributeCase{"InsideMltWindowOneRow", {}, {40, 10}, 10, 1},
                      AttributeCase{"OutsideMltWindowWholeCell", {}, {160, 10}, 8, 8},
                      AttributeCase{"MovedMltWindowLeavesColumnFiveOutside",
                                    {{"Size", "MLT Left", "6"}, {"Size", "MLT Width", "4"}},
                                    {40, 10},
                                    8,
                                    8},
                      AttributeCase{"Mode8x2RowPair", {}, {3, 7}, 6, 2},
                      AttributeCase{"Mode8x2OutsideMltWindowStillRowPair", {}, {160, 9}, 8, 2}));

TEST_F(CanvasControllerTest, StrokeColoursTheCanvasBitmapsFromTheCellAttributes) {
  TMainForm& form = Shown();
  Drag(form, {{40, 10}});
  EXPECT_EQ(Color(form.DisplayImage(0), 40, 10), Rgb(177, 0, 0));    // ink 1 red
  EXPECT_EQ(Color(form.DisplayImage(0), 41, 10), Rgb(0, 0, 177));    // paper 1 blue
  EXPECT_EQ(Color(form.DisplayImage(0), 40, 11), Rgb(0, 0, 0));      // row 11 untouched
  EXPECT_EQ(Color(form.DisplayImage(1), 40, 10), Rgb(177, 177, 0));  // frame 1: paper 2
}

TEST_F(CanvasControllerTest, TransparentAttributesLeaveTheAttributesAlone) {
  TMainForm& form = Shown({{"Main", "Transparent", "1"}});
  Drag(form, {{40, 10}});
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 10, 5), 0x80);
  EXPECT_EQ(form.Session().Screen().AttrByte(0, 10, 5), 0);
  EXPECT_EQ(form.Session().Screen().AttrByte(1, 10, 5), 0);
}

TEST_F(CanvasControllerTest, WithoutAttributesOnlyPixelsChangeAndShowWhiteOnBlack) {
  TMainForm& form = Shown({{"Main", "Use Attributes", "0"}});
  Drag(form, {{40, 10}});
  EXPECT_EQ(form.Session().Screen().AttrByte(0, 10, 5), 0);
  EXPECT_EQ(form.Session().Screen().AttrByte(1, 10, 5), 0);
  EXPECT_EQ(Color(form.DisplayImage(0), 40, 10), Rgb(255, 255, 255));
  EXPECT_EQ(Color(form.DisplayImage(0), 41, 10), Rgb(0, 0, 0));
}

TEST_F(CanvasControllerTest, PickTakesTheFourColoursFromTheCellUnderThePointer) {
  TMainForm& form = Shown();
  form.Session().Screen().SetAttr(0, 17, 20, 0x7A);
  form.Session().Screen().SetAttr(1, 17, 20, 0x15);
  form.Session().Screen().SetAttr(0, 30, 21, 0x78);
  form.Session().Screen().SetAttr(1, 30, 21, 0x78);
  form.PnTools()->SelectTool(kToolPick);
  TKelImage* image = form.Image_1();
  QTest::mousePress(image, Qt::LeftButton, {}, At(17, 20));
  TColorPanel* panel = form.ColorPanel();
  EXPECT_EQ(panel->Ink1(), 0x42);
  EXPECT_EQ(panel->Paper1(), 0x78);
  EXPECT_EQ(panel->Ink2(), 0x05);
  EXPECT_EQ(panel->Paper2(), 0x10);
  EXPECT_EQ(panel->findChild<QLabel*>("Ink1Name")->text(), "Br.Red");
  QTest::mouseMove(image, At(30, 21));
  QTest::mouseRelease(image, Qt::LeftButton, {}, At(30, 21));
  EXPECT_EQ(panel->Ink1(), 0x40);
  EXPECT_EQ(panel->Ink2(), 0x40);
  // Both inks black: no ink component is lit in either frame.
  for (const char* name : {"IT_R", "IT_G", "IT_B"})
    EXPECT_EQ(panel->findChild<QSlider*>(name)->value(), 0) << name;
  EXPECT_FALSE(form.Actions().Undo1->isEnabled());
  EXPECT_FALSE(form.Session().Document().Modified());
}

TEST_F(CanvasControllerTest, StatusBarShowsPositionAndColoursUnderThePointer) {
  TMainForm& form = Shown();
  form.Session().Screen().SetAttr(0, 17, 9, 0x4A);
  Hover(form, {17, 9});
  TStatusBar* bar = form.SB0();
  EXPECT_EQ(bar->XP()->text(), "X: 17");
  EXPECT_EQ(bar->YP()->text(), "Y: 9");
  EXPECT_EQ(bar->XA()->text(), "XA: 2");
  EXPECT_EQ(bar->YA()->text(), "YA: 1");
  EXPECT_EQ(bar->IP()->text(), "Ink: Br.Red");
  EXPECT_EQ(bar->PP()->text(), "Pap: Br.Blu");
}

TEST_F(CanvasControllerTest, StatusBarLabelsMakeRoomForLongerTexts) {
  TMainForm& form = Shown({{"Main", "Magnify", "1"}});
  form.Session().Screen().SetAttr(0, 255, 191, 0x7F);
  QTest::mouseMove(form.Image_1(), QPoint(255, 191));
  TStatusBar* bar = form.SB0();
  EXPECT_EQ(bar->YP()->text(), "Y: 191");
  EXPECT_EQ(bar->IP()->text(), "Ink: Br.Wht");
  const QLabel* labels[] = {bar->XP(), bar->YP(), bar->XA(), bar->YA(), bar->IP(), bar->PP()};
  for (int i = 0; i < 6; ++i) {
    EXPECT_GE(labels[i]->width(), labels[i]->fontMetrics().horizontalAdvance(labels[i]->text()));
    if (i > 0) {
      EXPECT_GT(labels[i]->x(), labels[i - 1]->geometry().right()) << i;
    }
  }
}

struct MarqueeCase {
  const char* name;
  bool shift;
  std::vector<PixelPoint> drag;
  SelectionRecord expected;
};

void PrintTo(const MarqueeCase& c, std::ostream* os) { *os << c.name; }

class CanvasControllerMarqueeTest : public CanvasControllerTest,
                                    public ::testing::WithParamInterface<MarqueeCase> {};

TEST_P(CanvasControllerMarqueeTest, MarqueeFollowsTheDragAndIsNormalisedOnRelease) {
  TMainForm& form = Shown();
  form.PnTools()->SelectTool(kToolMarque);
  if (GetParam().shift) QTest::keyPress(&form, Qt::Key_Shift);
  Drag(form, GetParam().drag);
  if (GetParam().shift) QTest::keyRelease(&form, Qt::Key_Shift);
  EXPECT_EQ(form.Canvas()->Selection().Current(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CanvasController, CanvasControllerMarqueeTest,
    ::testing::Values(
        MarqueeCase{"DownRight", false, {{10, 5}, {30, 20}}, {true, 10, 5, 30, 20}},
        MarqueeCase{"UpLeft", false, {{30, 20}, {10, 5}}, {true, 10, 5, 30, 20}},
        MarqueeCase{"ShrinksWhileDrawn", false, {{10, 5}, {30, 20}, {20, 9}}, {true, 10, 5, 20, 9}},
        MarqueeCase{"ClampedToThePicture", false, {{10, 5}, {-40, 400}}, {true, 0, 5, 10, 192}},
        // 100 and 300 round down to cells; the right edge 256 is kept, not rounded to 0.
        MarqueeCase{"ShiftToTheRightEdge", true, {{100, 50}, {300, 61}}, {true, 96, 48, 256, 56}},
        MarqueeCase{"ClickRemovesIt", false, {{10, 5}}, {false, 10, 5, 10, 5}}));

struct DragCase {
  const char* name;
  PixelPoint to;
  int x1;
  int y1;
};

void PrintTo(const DragCase& c, std::ostream* os) { *os << c.name; }

// A 16 x 8 selection at (16, 16) dragged from (18, 18) far past each edge is pinned there.
const DragCase kEdgeDrags[] = {{"Left", {-200, 18}, 0, 16},
                               {"Top", {18, -200}, 16, 0},
                               {"Right", {600, 18}, 240, 16},
                               {"Bottom", {18, 600}, 16, 184}};

class CanvasControllerDragTest : public CanvasControllerTest,
                                 public ::testing::WithParamInterface<DragCase> {};

TEST_P(CanvasControllerDragTest, SelectionFrameMovesAloneAndStopsAtTheEdge) {
  TMainForm& form = Shown();
  Select(form, {16, 16}, {32, 24});
  form.Session().Screen().PixelByte(0, 16, 2) = 0xF0;
  Hover(form, {18, 18});
  ASSERT_EQ(form.Canvas()->Mode(), PointerMode::MoveSel);
  Drag(form, {{18, 18}, GetParam().to});
  const DragCase& c = GetParam();
  EXPECT_EQ(form.Canvas()->Selection().Current(),
            (SelectionRecord{true, c.x1, c.y1, c.x1 + 16, c.y1 + 8}));
  EXPECT_EQ(SetPixelCount(form.Session().Screen()), 4);
  EXPECT_FALSE(form.Session().Document().Modified());
}

TEST_P(CanvasControllerDragTest, FloatingCopyIsDroppedAtTheEdgeWithItsAttributes) {
  TMainForm& form = Shown();
  Select(form, {16, 16}, {32, 24});
  ScreenBuffers& screen = form.Session().Screen();
  for (int row = 16; row < 24; ++row) {
    screen.PixelByte(0, row, 2) = 0xF0;
    screen.AttrByte(0, row, 2) = 0x4A;
    screen.AttrByte(0, row, 3) = 0x4A;
  }
  form.PnTools()->SelectTool(kToolMove);
  Drag(form, {{18, 18}, GetParam().to});
  const DragCase& c = GetParam();
  for (int row = 0; row < 8; ++row) {
    EXPECT_EQ(screen.PixelByte(0, c.y1 + row, c.x1 / 8), 0xF0) << "row " << row;
    EXPECT_EQ(screen.PixelByte(0, c.y1 + row, c.x1 / 8 + 1), 0x00) << "row " << row;
    EXPECT_EQ(screen.AttrByte(0, c.y1 + row, c.x1 / 8), 0x4A) << "row " << row;
    EXPECT_EQ(screen.AttrByte(1, c.y1 + row, c.x1 / 8), 0x00) << "row " << row;
    EXPECT_EQ(screen.PixelByte(0, 16 + row, 2), 0xF0) << "source row " << row;
  }
  EXPECT_TRUE(form.Session().Document().Modified());
  EXPECT_TRUE(form.Actions().Undo1->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(CanvasController, CanvasControllerDragTest,
                         ::testing::ValuesIn(kEdgeDrags));

TEST_F(CanvasControllerTest, OverlappingDropCopiesThePixelsAsTheyWereBefore) {
  TMainForm& form = Shown();
  Select(form, {0, 0}, {16, 8});
  form.Session().Screen().PixelByte(0, 0, 0) = 0xFF;
  Hover(form, {1, 1});
  QTest::keyPress(&form, Qt::Key_Control);
  Hover(form, {1, 2});
  ASSERT_EQ(form.Canvas()->Mode(), PointerMode::Move);
  Drag(form, {{1, 1}, {5, 1}});
  QTest::keyRelease(&form, Qt::Key_Control);
  // Pixels 4..19 take the old 0..15: set, set, clear, clear; 0..3 stay as they were.
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 0, 0), 0xFF);
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 0, 1), 0xF0);
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 0, 2), 0x00);
}

TEST_F(CanvasControllerTest, FloatingCopyIsShownWhereItIsDragged) {
  TMainForm& form = Shown({{"Main", "Use Attributes", "0"}, {"Main", "Grid", "0"}});
  Select(form, {0, 0}, {16, 8});
  form.Session().Screen().PixelByte(0, 0, 0) = 0xFF;
  form.RenderScreen();
  form.PnTools()->SelectTool(kToolMove);
  QWidget* client = form.Panel3()->MSB()->viewport();
  TKelImage* image = form.Image_1();
  QTest::mousePress(image, Qt::LeftButton, {}, At(1, 1));
  QTest::mouseMove(image, At(5, 1));
  const QImage dragging = client->grab().toImage();
  QTest::mouseRelease(image, Qt::LeftButton, {}, At(5, 1));
  // Pixel 9 of row 0 is still clear in the picture, but the copy of pixel 5 lies over it.
  EXPECT_EQ(dragging.pixel(At(9, 0)) & 0xFFFFFF, Rgb(255, 255, 255));
  EXPECT_EQ(dragging.pixel(At(13, 0)) & 0xFFFFFF, Rgb(0, 0, 0));
}

TEST_F(CanvasControllerTest, GridAndMltLinesAreDrawnOverTheCanvas) {
  TMainForm& form = Shown({{"Size", "MLT Left", "2"}});
  QWidget* client = form.Panel3()->MSB()->viewport();
  QImage shot = client->grab().toImage();
  EXPECT_EQ(shot.pixel(4, 10) & 0xFFFFFF, Rgb(128, 128, 128));   // every pixel at m = 4
  EXPECT_EQ(shot.pixel(32, 10) & 0xFFFFFF, Rgb(255, 255, 255));  // every cell
  EXPECT_EQ(shot.pixel(64, 10) & 0xFFFFFF, Rgb(255, 0, 0));      // MLT window's left edge
  EXPECT_EQ(shot.pixel(6, 10) & 0xFFFFFF, Rgb(0, 0, 0));
  form.SetGrid(false);
  shot = client->grab().toImage();
  EXPECT_EQ(shot.pixel(32, 10) & 0xFFFFFF, Rgb(0, 0, 0));
  EXPECT_EQ(shot.pixel(64, 10) & 0xFFFFFF, Rgb(255, 0, 0));
  form.Actions().Tinto8x2->trigger();
  shot = client->grab().toImage();
  EXPECT_EQ(shot.pixel(64, 10) & 0xFFFFFF, Rgb(0, 0, 0));
}

// Counts the paint events of one widget.
class PaintCounter : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return QObject::eventFilter(watched, event);
  }
};

TEST_F(CanvasControllerTest, PlotRepaintsTheGridOverTheChangedBlocksAtOnce) {
  TMainForm& form = Shown();
  auto* overlay = form.Panel3()->MSB()->viewport()->findChild<QWidget*>("CanvasOverlay");
  ASSERT_NE(overlay, nullptr);
  PaintCounter imagePaints;
  PaintCounter overlayPaints;
  form.Image_1()->installEventFilter(&imagePaints);
  overlay->installEventFilter(&overlayPaints);
  QTest::mousePress(form.Image_1(), Qt::LeftButton, {}, At(3, 3));
  EXPECT_EQ(imagePaints.count, 1);
  EXPECT_EQ(overlayPaints.count, 1);
  QTest::mouseRelease(form.Image_1(), Qt::LeftButton, {}, At(3, 3));
}

TEST_F(CanvasControllerTest, MarqueeInvertsEveryOtherPixelOfItsOutline) {
  // No grid, and the red MLT line at column 4 stays clear of the marquee.
  TMainForm& form = Shown({{"Main", "Grid", "0"}, {"Size", "MLT Left", "4"}});
  QWidget* client = form.Panel3()->MSB()->viewport();
  form.Session().Screen().PixelByte(0, 3, 0) = 0xFF;  // a white row under the marquee's top edge
  form.Session().Screen().AttrByte(0, 3, 0) = 0x07;
  form.RenderScreen();
  Select(form, {0, 3}, {8, 6});
  const QImage shot = client->grab().toImage();
  int inverted = 0;
  for (int x = 0; x < 32; ++x) {
    const QRgb c = shot.pixel(x, 12) & 0xFFFFFF;
    EXPECT_TRUE(c == Rgb(177, 177, 177) || c == Rgb(78, 78, 78)) << x;
    inverted += c == Rgb(78, 78, 78);
  }
  EXPECT_EQ(inverted, 16);
  EXPECT_EQ(shot.pixel(40, 12) & 0xFFFFFF, Rgb(0, 0, 0));
}

TEST_F(CanvasControllerTest, AltShowsThePickCursorUntilReleased) {
  TMainForm& form = Shown();
  const QImage pick = ToolCursor(PointerMode::Pick).pixmap().toImage();
  const QImage pencil = ToolCursor(PointerMode::Pencil).pixmap().toImage();
  ASSERT_FALSE(pick.isNull());
  EXPECT_EQ(form.Image_1()->cursor().pixmap().toImage(), pencil);
  QTest::keyPress(&form, Qt::Key_Alt);
  EXPECT_EQ(form.Canvas()->Mode(), PointerMode::Pick);
  EXPECT_EQ(form.Image_1()->cursor().pixmap().toImage(), pick);
  EXPECT_EQ(form.Image_2()->cursor().pixmap().toImage(), pick);
  QTest::keyRelease(&form, Qt::Key_Alt);
  EXPECT_EQ(form.Canvas()->Mode(), PointerMode::Pencil);
  EXPECT_EQ(form.Image_1()->cursor().pixmap().toImage(), pencil);
}

TEST_F(CanvasControllerTest, MarqueeToolShowsTheSystemCross) {
  TMainForm& form = Shown();
  QTest::keyClick(&form, Qt::Key_M);
  EXPECT_EQ(form.Canvas()->Mode(), PointerMode::Cross);
  EXPECT_EQ(form.Image_1()->cursor().shape(), Qt::CrossCursor);
}

struct KeyCase {
  const char* name;
  int startTool;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  int expectedTool;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class CanvasControllerKeyTest : public CanvasControllerTest,
                                public ::testing::WithParamInterface<KeyCase> {};

TEST_P(CanvasControllerKeyTest, LetterKeysSwitchToolsKeypadKeysDoNot) {
  TMainForm& form = Shown();
  form.PnTools()->SelectTool(GetParam().startTool);
  QTest::keyClick(&form, GetParam().key, GetParam().modifiers);
  EXPECT_EQ(form.PnTools()->CurrentTool(), GetParam().expectedTool);
}

constexpr int kPencil = kToolPencil;
INSTANTIATE_TEST_SUITE_P(
    CanvasController, CanvasControllerKeyTest,
    ::testing::Values(KeyCase{"M", kPencil, Qt::Key_M, Qt::NoModifier, kToolMarque},
                      KeyCase{"ShiftM", kPencil, Qt::Key_M, Qt::ShiftModifier, kToolMarque},
                      KeyCase{"I", kPencil, Qt::Key_I, Qt::NoModifier, kToolPick},
                      KeyCase{"P", kToolPick, Qt::Key_P, Qt::NoModifier, kPencil},
                      KeyCase{"KeypadMinus", kPencil, Qt::Key_Minus, Qt::KeypadModifier, kPencil},
                      KeyCase{"Keypad9", kPencil, Qt::Key_9, Qt::KeypadModifier, kPencil},
                      KeyCase{"Keypad0", kToolPick, Qt::Key_0, Qt::KeypadModifier, kToolPick}));

TEST_F(CanvasControllerTest, KeyDownsDoNotReachControlsButTypedNumbersDoWhenFinished) {
  TMainForm& form = Shown();
  QSpinBox* magnify = form.Panel2()->TMagnify();
  magnify->setFocus();
  QTest::keyClick(magnify, Qt::Key_Up);
  EXPECT_EQ(magnify->value(), 4);
  magnify->selectAll();
  QTest::keyClicks(magnify, "7");
  EXPECT_EQ(magnify->value(), 4) << "a number being typed is not taken yet";
  QTest::keyClick(magnify, Qt::Key_Return);
  EXPECT_EQ(magnify->value(), 7);
}

// Typing "18" over "32" passes through 1; had that been taken, the MLT window would have been
// cut to one column.
TEST_F(CanvasControllerTest, TypingTotalWidthKeepsTheMltWindow) {
  TMainForm& form = Shown();
  QSpinBox* dx = form.SizePanel()->DX();
  dx->setFocus();
  dx->selectAll();
  QTest::keyClicks(dx, "18");
  QTest::keyClick(dx, Qt::Key_Return);
  EXPECT_EQ(dx->value(), 18);
  EXPECT_EQ(form.SizePanel()->MLTWidth()->value(), 18);
  EXPECT_EQ(form.Session().Geometry().Window(), (MltWindow{0, 18}));
}

TEST_F(CanvasControllerTest, NewAndAGeometryChangeDropTheMarquee) {
  struct Case {
    const char* name;
    void (*change)(TMainForm&);
  };
  const Case cases[] = {
      {"New", [](TMainForm& form) { form.Actions().New1->trigger(); }},
      {"DY", [](TMainForm& form) { form.SizePanel()->DY()->setValue(20); }},
  };
  for (const Case& c : cases) {
    TMainForm& form = Shown();
    Select(form, {10, 40}, {200, 150});
    ASSERT_TRUE(form.Canvas()->Selection().Current().active) << c.name;
    c.change(form);
    EXPECT_FALSE(form.Canvas()->Selection().Current().active) << c.name;
    m_form.reset();
  }
}

}  // namespace
}  // namespace tinto::test

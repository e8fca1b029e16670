#include "app/canvas/canvas_selection.h"

#include "app/canvas/canvas_area.h"
#include "app/canvas/canvas_overlay.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "app/gui_test.h"

namespace tinto::test {
namespace {

// Cells 8 x 1 copied from frame 0 whose first pixel is set, on blue paper.
ClipboardCells OnePixelCells() {
  ClipboardCells cells;
  cells.width = 8;
  cells.height = 1;
  cells.sourceFrame = 0;
  for (auto& frame : cells.pixels) frame.assign(8, 0);
  for (auto& frame : cells.attrs) frame.assign(8, 0x08);
  cells.pixels[0][0] = 1;
  return cells;
}

class CanvasSelectionTest : public ::testing::Test {
 protected:
  TEditorSession session;
  TViewState view;
  TCanvasArea canvas;
  TCanvasOverlay overlay{canvas.MSB()->viewport()};
  CanvasSelection selection{session, view, canvas, overlay};
};

TEST_F(CanvasSelectionTest, APastedCopyFloatsUntilDroppedOnceAsOneUndoableChange) {
  selection.PlacePastedCopy(OnePixelCells());
  EXPECT_TRUE(selection.FloatsPastedCopy());
  EXPECT_EQ(selection.State().Current(), (SelectionRecord{true, 0, 0, 8, 1}));
  EXPECT_EQ(session.Screen().PixelByte(0, 0, 0), 0x00) << "nothing written while it floats";
  EXPECT_TRUE(selection.DropPastedCopy());
  EXPECT_EQ(session.Screen().PixelByte(0, 0, 0), 0x80);
  EXPECT_FALSE(selection.FloatsPastedCopy());
  EXPECT_FALSE(selection.DropPastedCopy()) << "a dropped copy drops only once";
  EXPECT_TRUE(session.Undo());
  EXPECT_EQ(session.Screen().PixelByte(0, 0, 0), 0x00);
}

TEST_F(CanvasSelectionTest, ClearForgetsAPastedCopyWithoutWritingAndCutNeedsAMarquee) {
  selection.PlacePastedCopy(OnePixelCells());
  selection.Clear();
  EXPECT_FALSE(selection.FloatsPastedCopy());
  EXPECT_FALSE(selection.State().Current().active);
  EXPECT_FALSE(selection.Release()) << "no copy is left to drop";
  EXPECT_FALSE(selection.ClearMarquee());
  EXPECT_EQ(session.Screen().PixelByte(0, 0, 0), 0x00);
  EXPECT_FALSE(session.Undo()) << "nothing was changed";
}

}  // namespace
}  // namespace tinto::test

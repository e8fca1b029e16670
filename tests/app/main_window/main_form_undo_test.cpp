#include "app/canvas_fixture.h"

namespace tinto::test {
namespace {

class MainFormUndoTest : public CanvasTest {
 protected:
  bool UndoEnabled() { return m_form->Actions().Undo1->isEnabled(); }
  std::uint8_t Row(int row) { return m_form->Session().Screen().PixelByte(0, row, 0); }
};

TEST_F(MainFormUndoTest, UndoRemovesEveryStrokeSinceItBecameAvailable) {
  TMainForm& form = Shown({{"Main", "Use Attributes", "0"}});
  Drag(form, {{0, 0}});
  Drag(form, {{0, 1}});
  Drag(form, {{0, 2}});
  EXPECT_EQ(form.Session().Screen().AttrByte(0, 2, 0), 0) << "attributes are off";
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Row(0) | Row(1) | Row(2), 0);
  EXPECT_FALSE(UndoEnabled());
  EXPECT_TRUE(form.Session().Document().Modified());  // undo leaves the modified flag alone
  Drag(form, {{1, 0}});
  Drag(form, {{2, 0}});
  UndoCommands(form)->Undo1Click();
  EXPECT_EQ(Row(0), 0);
  Drag(form, {{3, 0}});
  form.Session().MarkSaved(form.Session().Document().FileName());
  EXPECT_FALSE(UndoEnabled());
  UndoCommands(form)->Undo1Click();
  EXPECT_EQ(Row(0), 0x10);
}

TEST_F(MainFormUndoTest, UndoAfterADropRevertsOnlyTheDrop) {
  TMainForm& form = Shown();
  Drag(form, {{0, 0}, {1, 0}});  // pixels 0 and 1
  Select(form, {0, 0}, {8, 1});
  PnTools(form)->SelectTool(tinto::ToolButton::Move);
  Drag(form, {{0, 0}, {8, 0}});
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 0, 1), 0xC0);
  UndoCommands(form)->Undo1Click();
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 0, 1), 0x00);
  EXPECT_EQ(Row(0), 0xC0);
}

TEST_F(MainFormUndoTest, UndoAfterAWidthChangeKeepsTheNewWidth) {
  TMainForm& form = Shown();
  Drag(form, {{9, 4}});
  SizePanel(form)->DX()->setValue(20);
  UndoCommands(form)->Undo1Click();
  EXPECT_EQ(form.Session().Geometry().DX(), 20);
  EXPECT_EQ(form.Session().Screen().PixelByte(0, 4, 1), 0);
}

}  // namespace
}  // namespace tinto::test

#include "app/main_window/tool_palette.h"

#include "app/gui_test.h"

namespace {

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

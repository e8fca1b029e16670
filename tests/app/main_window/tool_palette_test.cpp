#include "app/main_window/tool_palette.h"

#include "app/gui_test.h"

namespace {

TEST(ToolPalette, OneToolIsDownAndOnlyThePencilShowsItsSize) {
  TViewState view;
  TToolPalette palette(view);
  palette.resize(TToolPalette::kDesignWidth, 300);
  palette.show();
  QSignalSpy changed(&palette, &TToolPalette::ToolChanged);
  QTest::mouseClick(palette.Button(kToolPick), Qt::LeftButton);
  QTest::mouseClick(palette.Button(kToolPick), Qt::LeftButton);
  EXPECT_EQ(palette.CurrentTool(), kToolPick) << "a second click keeps it down";
  EXPECT_FALSE(palette.pSize()->isVisible());
  QTest::mouseClick(palette.Button(kToolBrush), Qt::LeftButton);  // disabled
  EXPECT_EQ(palette.CurrentTool(), kToolPick);
  palette.SelectTool(9);  // no such tool
  palette.SelectTool(kToolPencil);
  EXPECT_TRUE(palette.pSize()->isVisible());
  EXPECT_EQ(changed.count(), 3);
}

}  // namespace

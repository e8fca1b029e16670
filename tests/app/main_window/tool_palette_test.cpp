#include "app/main_window/tool_palette.h"

#include "app/gui_test.h"

namespace {

// Buttons end at 133 + 25 = 158; the slider needs 5 pixels below them, 40 of its own and 5
// above the label, which sits 5 above the palette's bottom.
TEST(ToolPalette, SizeSliderShrinksThenHidesRatherThanCoverAButton) {
  TViewState view;
  TToolPalette palette(view);
  palette.show();
  const int labelHeight = palette.lbPSize()->height();
  for (const int height : {150, 212 + labelHeight, 213 + labelHeight, 500}) {
    palette.resize(TToolPalette::kDesignWidth, height);
    const QSlider* slider = palette.pSize();
    const bool fits = height >= 213 + labelHeight;
    EXPECT_EQ(slider->isVisible(), fits) << height;
    EXPECT_EQ(palette.lbPSize()->isVisible(), fits) << height;
    if (!fits) continue;
    for (int code = 0; code < kToolCount; ++code) {
      const QRect button = palette.Button(static_cast<ToolCode>(code))->geometry();
      EXPECT_FALSE(slider->geometry().intersects(button)) << height << " tool " << code;
      EXPECT_FALSE(palette.lbPSize()->geometry().intersects(button)) << height << " tool " << code;
    }
  }
  EXPECT_EQ(palette.pSize()->height(), 120) << "a tall palette shows the whole slider";
}

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

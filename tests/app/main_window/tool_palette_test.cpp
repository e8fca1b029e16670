#include "app/main_window/tool_palette.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <utility>

namespace {

TEST(ToolPalette, SizeSliderAndLabelSitAtTheBottom) {
  TViewState view;
  TToolPalette palette(view);
  palette.resize(TToolPalette::kDesignWidth, 300);
  palette.show();
  const QLabel* label = palette.lbPSize();
  const QSlider* slider = palette.pSize();
  EXPECT_EQ(label->y(), 300 - label->height() - 5);
  EXPECT_EQ(slider->y(), label->y() - slider->height() - 5);
  EXPECT_EQ(slider->x(), (TToolPalette::kDesignWidth - slider->width()) / 2);
}

// Buttons end at 133 + 25 = 158; the slider needs 5 pixels below them, 40 of its own and 5
// above the label, which sits 5 above the palette's bottom.
TEST(ToolPalette, SizeSliderNeverCoversAButton) {
  TViewState view;
  TToolPalette palette(view);
  palette.show();
  const int labelHeight = palette.lbPSize()->height();
  for (const int height : {100, 150, 200, 212 + labelHeight, 213 + labelHeight, 300, 500}) {
    palette.resize(TToolPalette::kDesignWidth, height);
    const QSlider* slider = palette.pSize();
    const bool fits = height - labelHeight - 5 >= 158 + 5 + 40 + 5;
    EXPECT_EQ(slider->isVisible(), fits) << height;
    EXPECT_EQ(palette.lbPSize()->isVisible(), fits) << height;
    if (!fits) continue;
    for (int code = 0; code < kToolCount; ++code) {
      const QRect button = palette.Button(static_cast<ToolCode>(code))->geometry();
      EXPECT_FALSE(slider->geometry().intersects(button)) << height << " tool " << code;
      EXPECT_FALSE(palette.lbPSize()->geometry().intersects(button)) << height << " tool " << code;
    }
    EXPECT_LE(slider->height(), 120) << height;
  }
  palette.resize(TToolPalette::kDesignWidth, 500);
  EXPECT_EQ(palette.pSize()->height(), 120) << "a tall palette shows the whole slider";
}

TEST(ToolPalette, ButtonsNameTheirToolAndItsKey) {
  TViewState view;
  TToolPalette palette(view);
  const std::pair<ToolCode, const char*> tips[] = {{kToolMarque, "Marquee (M)"},
                                                   {kToolMove, "Move"},
                                                   {kToolBrush, "Brush"},
                                                   {kToolPencil, "Pencil (P)"},
                                                   {kToolPick, "Pick (I)"}};
  for (const auto& [tool, tip] : tips) EXPECT_EQ(palette.Button(tool)->toolTip(), tip);
}

TEST(ToolPalette, SizeLabelShowsTheSizeCentred) {
  TViewState view;
  TToolPalette palette(view);
  palette.pSize()->setValue(37);
  EXPECT_EQ(palette.lbPSize()->text(), "37");
  EXPECT_EQ(palette.lbPSize()->x(), (TToolPalette::kDesignWidth - palette.lbPSize()->width()) / 2);
}

TEST(ToolPalette, OnlyOneToolIsDownAndSizeShowsOnlyForThePencil) {
  TViewState view;
  TToolPalette palette(view);
  palette.resize(TToolPalette::kDesignWidth, 300);
  palette.show();
  QSignalSpy changed(&palette, &TToolPalette::ToolChanged);
  QTest::mouseClick(palette.Button(kToolPick), Qt::LeftButton);
  EXPECT_EQ(palette.CurrentTool(), kToolPick);
  EXPECT_FALSE(palette.pSize()->isVisible());
  EXPECT_FALSE(palette.lbPSize()->isVisible());
  QTest::mouseClick(palette.Button(kToolPick), Qt::LeftButton);
  EXPECT_EQ(palette.CurrentTool(), kToolPick);  // a second click keeps it down
  palette.SelectTool(kToolPencil);
  EXPECT_TRUE(palette.pSize()->isVisible());
  EXPECT_EQ(changed.count(), 3);
}

TEST(ToolPalette, DisabledBrushCanOnlyBeSelectedByCode) {
  TViewState view;
  TToolPalette palette(view);
  palette.show();
  QTest::mouseClick(palette.Button(kToolBrush), Qt::LeftButton);
  EXPECT_EQ(palette.CurrentTool(), kToolPencil);
  palette.SelectTool(kToolBrush);
  EXPECT_EQ(palette.CurrentTool(), kToolBrush);
  palette.SelectTool(9);
  palette.SelectTool(-1);
  EXPECT_EQ(palette.CurrentTool(), kToolBrush);
}

}  // namespace

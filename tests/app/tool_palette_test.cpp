#include "app/tool_palette.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <utility>

namespace {

TEST(ToolPalette, SizeSliderAndLabelSitAtTheBottom) {
  TToolPalette palette;
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
  TToolPalette palette;
  palette.show();
  const int labelHeight = palette.lbPSize()->height();
  for (const int height : {100, 150, 200, 212 + labelHeight, 213 + labelHeight, 300, 500}) {
    palette.resize(TToolPalette::kDesignWidth, height);
    const QSlider* slider = palette.pSize();
    const bool fits = height - labelHeight - 5 >= 158 + 5 + 40 + 5;
    EXPECT_EQ(slider->isVisible(), fits) << height;
    EXPECT_EQ(palette.lbPSize()->isVisible(), fits) << height;
    if (!fits) continue;
    for (int code = 0; code < TToolPalette::kToolCount; ++code) {
      const QRect button = palette.Button(static_cast<TToolPalette::Tool>(code))->geometry();
      EXPECT_FALSE(slider->geometry().intersects(button)) << height << " tool " << code;
      EXPECT_FALSE(palette.lbPSize()->geometry().intersects(button)) << height << " tool " << code;
    }
    EXPECT_LE(slider->height(), 120) << height;
  }
  palette.resize(TToolPalette::kDesignWidth, 500);
  EXPECT_EQ(palette.pSize()->height(), 120) << "a tall palette shows the whole slider";
}

TEST(ToolPalette, ButtonsNameTheirToolAndItsKey) {
  TToolPalette palette;
  const std::pair<TToolPalette::Tool, const char*> tips[] = {{TToolPalette::kMarque, "Marquee (M)"},
                                                             {TToolPalette::kMove, "Move"},
                                                             {TToolPalette::kBrush, "Brush"},
                                                             {TToolPalette::kPencil, "Pencil (P)"},
                                                             {TToolPalette::kPick, "Pick (I)"}};
  for (const auto& [tool, tip] : tips) EXPECT_EQ(palette.Button(tool)->toolTip(), tip);
}

TEST(ToolPalette, SizeLabelShowsTheSizeCentred) {
  TToolPalette palette;
  palette.pSize()->setValue(37);
  EXPECT_EQ(palette.lbPSize()->text(), "37");
  EXPECT_EQ(palette.lbPSize()->x(), (TToolPalette::kDesignWidth - palette.lbPSize()->width()) / 2);
}

TEST(ToolPalette, OnlyOneToolIsDownAndSizeShowsOnlyForThePencil) {
  TToolPalette palette;
  palette.resize(TToolPalette::kDesignWidth, 300);
  palette.show();
  QSignalSpy changed(&palette, &TToolPalette::ToolChanged);
  QTest::mouseClick(palette.Button(TToolPalette::kPick), Qt::LeftButton);
  EXPECT_EQ(palette.CurrentTool(), TToolPalette::kPick);
  EXPECT_FALSE(palette.pSize()->isVisible());
  EXPECT_FALSE(palette.lbPSize()->isVisible());
  QTest::mouseClick(palette.Button(TToolPalette::kPick), Qt::LeftButton);
  EXPECT_EQ(palette.CurrentTool(), TToolPalette::kPick);  // a second click keeps it down
  palette.SelectTool(TToolPalette::kPencil);
  EXPECT_TRUE(palette.pSize()->isVisible());
  EXPECT_EQ(changed.count(), 3);
}

TEST(ToolPalette, DisabledBrushCanOnlyBeSelectedByCode) {
  TToolPalette palette;
  palette.show();
  QTest::mouseClick(palette.Button(TToolPalette::kBrush), Qt::LeftButton);
  EXPECT_EQ(palette.CurrentTool(), TToolPalette::kPencil);
  palette.SelectTool(TToolPalette::kBrush);
  EXPECT_EQ(palette.CurrentTool(), TToolPalette::kBrush);
  palette.SelectTool(9);
  palette.SelectTool(-1);
  EXPECT_EQ(palette.CurrentTool(), TToolPalette::kBrush);
}

}  // namespace

#include "app/tool_palette.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

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

TEST(ToolPalette, SizeLabelShowsTheSizeCentred) {
  TToolPalette palette;
  palette.pSize()->setValue(37);
  EXPECT_EQ(palette.lbPSize()->text(), "37");
  EXPECT_EQ(palette.lbPSize()->x(), (TToolPalette::kDesignWidth - palette.lbPSize()->width()) / 2);
}

TEST(ToolPalette, OnlyOneToolIsDownAndSizeShowsOnlyForThePencil) {
  TToolPalette palette;
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

#include "app/widgets/rollup_panel.h"

#include "app/gui_test.h"

namespace {

TEST(RollUpPanel, RollButtonRollsSidewaysAndBackReportingOnlyChanges) {
  TRollUpPanel panel(QStringLiteral("Colors & Preview"));
  panel.SetExpandedWidth(155);
  panel.resize(155, 300);
  panel.show();
  QSignalSpy changes(&panel, &TRollUpPanel::ChangeRollState);
  QTest::mouseClick(panel.RollButton(), Qt::LeftButton);
  EXPECT_TRUE(panel.RolledUp());
  EXPECT_EQ(panel.width(), panel.CaptionHeight());
  EXPECT_FALSE(panel.Client()->isVisible());
  QTest::mouseClick(panel.RollButton(), Qt::LeftButton);
  panel.SetRolledUp(false);
  EXPECT_EQ(panel.width(), 155);
  EXPECT_TRUE(panel.Client()->isVisible());
  EXPECT_EQ(changes.count(), 2);
}

}  // namespace

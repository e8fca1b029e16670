// The small widgets the windows are built from.

#include "app/gui_test.h"
#include "app/widgets/kel_image.h"
#include "app/widgets/lum_connect_label.h"
#include "app/widgets/rollup_panel.h"

namespace {

// Sequences of pointer crossings: 'E' enter, 'L' leave, 'd' disable, 'e' enable; repeated
// events count once, a leave without an enter is no crossing, a disabled control is silent. A
// click needs the left button released over the control.
TEST(TKelImage, SignalsOncePerCrossingWhileEnabledAndClicksOnlyWhenReleasedOverIt) {
  const std::tuple<const char*, int, int> cases[] = {
      {"EELL", 1, 1}, {"dELEL", 0, 0}, {"EdLeEL", 2, 1}};
  for (const auto& [steps, expectedEnters, expectedLeaves] : cases) {
    TKelImage image;
    image.resize(10, 10);
    int enters = 0, leaves = 0;
    QObject::connect(&image, &TKelImage::OnMouseEnter, [&] { ++enters; });
    QObject::connect(&image, &TKelImage::OnMouseLeave, [&] { ++leaves; });
    for (const char* step = steps; *step != '\0'; ++step) {
      QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
      QEvent leave(QEvent::Leave);
      if (*step == 'E' || *step == 'L')
        QApplication::sendEvent(&image, *step == 'E' ? static_cast<QEvent*>(&enter) : &leave);
      else
        image.setEnabled(*step == 'e');
    }
    EXPECT_EQ(enters, expectedEnters) << steps;
    EXPECT_EQ(leaves, expectedLeaves) << steps;
  }
  TKelImage image;
  image.resize(20, 20);
  int clicks = 0, downs = 0, ups = 0;
  QObject::connect(&image, &TKelImage::Click, [&] { ++clicks; });
  QObject::connect(&image, &TKelImage::MouseDown, [&] { ++downs; });
  QObject::connect(&image, &TKelImage::MouseUp, [&] { ++ups; });
  QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(50, 5));
  QTest::mouseClick(&image, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(downs, 3);
  EXPECT_EQ(ups, 3);
}

TEST(TKelImage, LeavesTheTransparentColourUndrawnAndRaisesOnPaintAfterThePicture) {
  QImage picture(2, 1, QImage::Format_BGR888);
  picture.setPixelColor(0, 0, QColor(254, 0, 0));
  picture.setPixelColor(1, 0, QColor(0, 177, 0));
  TKelImage image;
  image.SetAutoSize(true);
  image.SetPicture(&picture);
  image.SetTranspatentColor(QColor(254, 0, 0));
  image.SetTransparent(true);
  QImage shot(2, 1, QImage::Format_RGB32);
  const auto render = [&] {
    shot.fill(QColor(0, 0, 254));
    image.render(&shot, {}, {}, QWidget::DrawChildren);
    return std::pair(shot.pixelColor(0, 0), shot.pixelColor(1, 0));
  };
  EXPECT_EQ(render(), std::pair(QColor(0, 0, 254), QColor(0, 177, 0)));
  QObject::connect(&image, &TKelImage::OnPaint,
                   [](QPainter& painter) { painter.fillRect(1, 0, 1, 1, QColor(7, 7, 7)); });
  EXPECT_EQ(render().second, QColor(7, 7, 7));
}

TEST(LumConnectLabel, HoverHighlightsAndClickOpensTheAddress) {
  TLumConnectLabel label("write to us");
  label.SetAddress("a@example.org");
  std::vector<QUrl> opened;
  label.SetUrlOpener([&](const QUrl& url) {
    opened.push_back(url);
    return false;
  });
  label.AdjustSize();
  label.show();
  const QColor before = label.palette().color(label.foregroundRole());
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(&label, &enter);
  EXPECT_EQ(label.palette().color(label.foregroundRole()), QColor(0, 0, 255));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&label, &leave);
  EXPECT_EQ(label.palette().color(label.foregroundRole()), before);
  QTest::mouseClick(&label, Qt::LeftButton);
  label.SetAddressStyle(TAddressStyle::asHttp);
  label.SetAddress("example.org");
  QTest::mouseClick(&label, Qt::LeftButton);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].toString(), "mailto:a@example.org");
  EXPECT_EQ(opened[1].toString(), "http://example.org");
}

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

#include "app/widgets/kel_image.h"

#include <QPainter>

#include "app/gui_test.h"

namespace {

// Sequences of pointer crossings: 'E' enter, 'L' leave, 'd' disable, 'e' enable; repeated
// events count once, a leave without an enter is no crossing, a disabled control is silent.
TEST(TKelImage, SignalsOncePerCrossingWhileEnabled) {
  const std::tuple<const char*, int, int> cases[] = {
      {"EELL", 1, 1}, {"dELEL", 0, 0}, {"EdLeEL", 2, 1}};
  for (const auto& [steps, expectedEnters, expectedLeaves] : cases) {
    TKelImage image;
    image.resize(10, 10);
    int enters = 0;
    int leaves = 0;
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
}

QImage TwoPixelPicture() {
  QImage picture(2, 1, QImage::Format_BGR888);
  picture.setPixelColor(0, 0, QColor(254, 0, 0));
  picture.setPixelColor(1, 0, QColor(0, 177, 0));
  return picture;
}

QImage Shot(TKelImage& image) {
  image.setAutoFillBackground(true);
  QPalette palette = image.palette();
  palette.setColor(QPalette::Window, QColor(0, 0, 254));
  image.setPalette(palette);
  return image.grab().toImage();
}

// Stretched drawing shows in the canvas tests; here a picture at its own size on a blue
// background.
TEST(TKelImage, LeavesTheTransparentColourUndrawnAndRaisesOnPaintAfterThePicture) {
  QImage picture = TwoPixelPicture();
  TKelImage image;
  image.SetAutoSize(true);
  image.SetPicture(&picture);
  image.SetTranspatentColor(QColor(254, 0, 0));
  image.SetTransparent(true);
  QImage shot = Shot(image);
  EXPECT_EQ(shot.size(), QSize(2, 1));
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(0, 0, 254));
  EXPECT_EQ(shot.pixelColor(1, 0), QColor(0, 177, 0));
  QObject::connect(&image, &TKelImage::OnPaint,
                   [](QPainter& painter) { painter.fillRect(1, 0, 1, 1, QColor(7, 7, 7)); });
  shot = Shot(image);
  EXPECT_EQ(shot.pixelColor(1, 0), QColor(7, 7, 7));
}

TEST(TKelImage, ClicksOnlyWhenReleasedOverTheControl) {
  TKelImage image;
  image.resize(20, 20);
  int clicks = 0;
  int downs = 0;
  int ups = 0;
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

}  // namespace

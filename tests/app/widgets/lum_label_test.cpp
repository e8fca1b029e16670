#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QTest>

#include "app/widgets/lum_connect_label.h"

namespace tinto::test {
namespace {

// The shadow kind adds a 2-pixel shadow to the size; empty text is measured as a space.
TEST(LumLabel, AutomaticSizeAddsTheShadowAndMeasuresEmptyAsASpace) {
  TLumLabel label("Tinto");
  label.setContentsMargins(0, 0, 0, 0);
  label.SetStyleKind(TStyleKind::skShadow);
  label.AdjustSize();
  EXPECT_EQ(label.size(), label.fontMetrics().size(Qt::TextShowMnemonic, "Tinto") + QSize(2, 2));
  label.setText("&");
  label.AdjustSize();
  EXPECT_EQ(label.size(), label.fontMetrics().size(Qt::TextShowMnemonic, " ") + QSize(2, 2));
}

int CountPixels(const QImage& image, const QColor& color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == color) ++count;
  return count;
}

// A disabled label is embossed in the palette's light and dark colours, never in its shadow
// colour; an enabled one shows the shadow colour.
TEST(LumLabel, DisabledLabelDrawsEmbossedWithoutItsShadow) {
  TLumLabel label("MMMM");
  QFont font = label.font();
  font.setPixelSize(20);
  font.setStyleStrategy(QFont::NoAntialias);
  label.setFont(font);
  QPalette palette = label.palette();
  palette.setColor(QPalette::Light, QColor(250, 0, 0));
  palette.setColor(QPalette::Dark, QColor(0, 0, 250));
  label.setPalette(palette);
  label.SetStyleKind(TStyleKind::skShadow);
  label.SetShadowColor(QColor(0, 200, 0));
  label.AdjustSize();
  EXPECT_GT(CountPixels(label.grab().toImage(), QColor(0, 200, 0)), 0);
  label.SetStyleKind(TStyleKind::skLowered);
  label.setEnabled(false);
  const QImage disabled = label.grab().toImage();
  EXPECT_EQ(CountPixels(disabled, QColor(0, 200, 0)), 0);
  EXPECT_GT(CountPixels(disabled, QColor(250, 0, 0)), 0);
  EXPECT_GT(CountPixels(disabled, QColor(0, 0, 250)), 0);
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

}  // namespace
}  // namespace tinto::test

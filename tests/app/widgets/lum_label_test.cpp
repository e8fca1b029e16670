#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QTest>

#include "app/widgets/lum_connect_label.h"

namespace tinto::test {
namespace {

struct OffsetCase {
  TShadowPos pos;
  QPoint shadow;
  QPoint text;
};

TEST(LumLabel, ShadowAndTextOffsetsFollowThePosition) {
  const OffsetCase cases[] = {
      {TShadowPos::spLeftTop, {0, 0}, {3, 3}},
      {TShadowPos::spLeftBottom, {0, 3}, {3, 0}},
      {TShadowPos::spRightBottom, {3, 3}, {0, 0}},
      {TShadowPos::spRightTop, {3, 0}, {0, 3}},
  };
  for (const OffsetCase& c : cases) {
    const LumTextOffsets offsets = LumOffsets(c.pos, 3);
    EXPECT_EQ(offsets.shadow, c.shadow);
    EXPECT_EQ(offsets.text, c.text);
  }
}

struct KindCase {
  TStyleKind kind;
  TShadowPos pos;
  QPalette::ColorRole color;
  int size;
};

TEST(LumLabel, StyleKindSetsPositionColourAndSize) {
  const KindCase cases[] = {
      {TStyleKind::skRaised, TShadowPos::spLeftTop, QPalette::Light, 1},
      {TStyleKind::skLowered, TShadowPos::spRightBottom, QPalette::Light, 1},
      {TStyleKind::skShadow, TShadowPos::spRightBottom, QPalette::Dark, 2},
  };
  for (const KindCase& c : cases) {
    TLumLabel label("Tinto");
    label.SetShadowPos(TShadowPos::spRightTop);
    label.SetShadowSize(9);
    label.SetStyleKind(c.kind);
    EXPECT_EQ(label.ShadowPos(), c.pos);
    EXPECT_EQ(label.ShadowColor(), label.palette().color(c.color));
    EXPECT_EQ(label.ShadowSize(), c.size);
  }
  TLumLabel label("Tinto");
  label.SetStyleKind(TStyleKind::skNone);
  EXPECT_EQ(label.ShadowSize(), 0);
  label.SetShadowSize(300);
  EXPECT_EQ(label.ShadowSize(), 255);
  EXPECT_EQ(label.StyleKind(), TStyleKind::skCustom);
}

TEST(LumLabel, AutomaticSizeAddsTheShadowAndMeasuresEmptyAsASpace) {
  TLumLabel label("Tinto");
  label.setContentsMargins(0, 0, 0, 0);
  label.SetStyleKind(TStyleKind::skShadow);
  const QSize text = label.fontMetrics().size(Qt::TextShowMnemonic, "Tinto");
  label.AdjustSize();
  EXPECT_EQ(label.size(), text + QSize(2, 2));
  const QSize space = label.fontMetrics().size(Qt::TextShowMnemonic, " ");
  for (const char* caption : {"", "&"}) {
    label.setText(caption);
    label.AdjustSize();
    EXPECT_EQ(label.size(), space + QSize(2, 2)) << caption;
  }
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
  label.SetShadowColor(QColor(0, 200, 0));
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
  EXPECT_TRUE(label.font().underline());
  label.SetAddress("a@example.org");
  std::vector<QUrl> opened;
  label.SetUrlOpener([&](const QUrl& url) {
    opened.push_back(url);
    return false;
  });
  std::vector<bool> results;
  QObject::connect(&label, &TLumConnectLabel::Opened, [&](bool ok) { results.push_back(ok); });
  label.AdjustSize();
  label.show();
  const QColor before = label.palette().color(label.foregroundRole());
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(&label, &enter);
  EXPECT_EQ(label.palette().color(label.foregroundRole()), QColor(0, 0, 255));
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
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
  EXPECT_EQ(results, (std::vector<bool>{false, false}));
}

}  // namespace
}  // namespace tinto::test

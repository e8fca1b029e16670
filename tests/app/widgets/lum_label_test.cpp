#include "app/gui_test.h"
#include "app/widgets/lum_connect_label.h"

namespace tinto::test {
namespace {

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

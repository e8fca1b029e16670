#include "app/platform/message_service.h"

#include "app/gui_test.h"

namespace {

TEST(MessageService, LineFeedCarriageReturnBreaksOneLine) {
  EXPECT_EQ(MessageDisplayText("File a.tin not saved.\n\rSave Changes?"),
            "File a.tin not saved.\nSave Changes?");
  EXPECT_EQ(MessageDisplayText("one\n\rtwo\n\rthree"), "one\ntwo\nthree");
  EXPECT_EQ(MessageDisplayText("no break"), "no break");
  // Only the pair in the program's order counts.
  EXPECT_EQ(MessageDisplayText("a\r\nb"), "a\r\nb");
}

// A file name or a text from a file that looks like HTML is shown as it is: an image it names
// is never loaded (a FIFO or /dev/zero there would hang or fill the memory).
TEST(MessageService, ShowsMarkupAsPlainText) {
  tinto::test::TempDir dir;
  const QString picture = QString::fromStdString(dir.File("big.png"));
  ASSERT_TRUE(QImage(600, 600, QImage::Format_Mono).save(picture));
  const QString text = QStringLiteral("<img src=\"%1\"> not found.").arg(picture);
  QString shown;
  int height = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    shown = label->text();
    height = label->sizeHint().height();
    box->button(QMessageBox::Ok)->click();
  });
  DialogMessageService service(nullptr);
  EXPECT_EQ(service.ShowMessage(MessageKind::Error, text, MessageButtons::Ok), MessageAnswer::Ok);
  EXPECT_EQ(shown, text);
  EXPECT_LT(height, 100);
}

}  // namespace

#include "app/canvas/clipboard_commands.h"

#include "app/canvas/canvas_controller.h"
#include "app/canvas_fixture.h"
#include "core/format/cell_payload.h"

namespace tinto::test {
namespace {

// Screen 1 holds pixel (9, 2) with bright red ink in its cell; the marquee is (8, 2)..(16, 4).
class ClipboardTest : public CanvasTest {
 protected:
  TMainForm& StartWithMarquee() {
    QGuiApplication::clipboard()->clear();
    TMainForm& form = Shown();
    form.Session().Screen().SetPixel(0, 9, 2);
    form.Session().Screen().SetAttr(0, 9, 2, 0x42);
    Select(form, {8, 2}, {16, 4});
    return form;
  }
};

TEST_F(ClipboardTest, CopyInScreenOneIsPastedAndDroppedInScreenTwo) {
  TMainForm& form = StartWithMarquee();
  ASSERT_TRUE(form.Actions().Copy1->isEnabled());
  form.Actions().Copy1->trigger();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(8, 2));
  ASSERT_TRUE(form.Actions().Paste1->isEnabled());

  form.Panel2()->S_2()->click();
  form.Actions().Paste1->trigger();
  EXPECT_EQ(form.Canvas()->Selection().Current(), (SelectionRecord{true, 0, 0, 8, 2}));
  EXPECT_FALSE(form.Session().Document().Modified());
  Hover(form, {1, 1});
  Drag(form, {{1, 1}, {17, 11}});

  const ScreenBuffers& screen = form.Session().Screen();
  EXPECT_TRUE(screen.Pixel(1, 17, 10));
  EXPECT_EQ(screen.Attr(1, 17, 10), 0x42);
  EXPECT_FALSE(screen.Pixel(0, 17, 10));
  EXPECT_TRUE(form.Session().Document().Modified());
  form.UndoCommands()->Undo1Click();
  EXPECT_FALSE(screen.Pixel(1, 17, 10));
}

TEST_F(ClipboardTest, APressBesideAPastedCopyDropsItWhereItLies) {
  TMainForm& form = StartWithMarquee();
  form.Actions().Copy1->trigger();
  form.Actions().Paste1->trigger();
  Hover(form, {100, 100});
  Drag(form, {{100, 100}, {100, 100}});
  EXPECT_TRUE(form.Session().Screen().Pixel(0, 1, 0));
}

TEST_F(ClipboardTest, CutClearsTheMarqueeInTheEditedScreenAndUndoRestoresIt) {
  TMainForm& form = StartWithMarquee();
  form.Session().Screen().SetPixel(1, 9, 2);
  form.Actions().Cut1->trigger();
  const ScreenBuffers& screen = form.Session().Screen();
  EXPECT_FALSE(screen.Pixel(0, 9, 2));
  EXPECT_TRUE(screen.Pixel(1, 9, 2));
  EXPECT_EQ(screen.Attr(0, 9, 2), 0x42);
  ASSERT_TRUE(form.Actions().Undo1->isEnabled());
  form.UndoCommands()->Undo1Click();
  EXPECT_TRUE(screen.Pixel(0, 9, 2));
}

TEST_F(ClipboardTest, MalformedCellsAreIgnoredAndForeignImagesGoToTheImporter) {
  TMainForm& form = StartWithMarquee();
  QImage imported;
  form.Clipboard()->SetImageImporter([&imported](const QImage& image) { imported = image; });
  std::string payload = EncodeCellPayload(
      CopyCells(form.Session().Screen(), form.Session().Geometry(), {true, 8, 2, 16, 4}, 0));
  payload.pop_back();
  auto* data = new QMimeData;
  data->setData(kCellPayloadMimeType, QByteArray::fromStdString(payload));
  QGuiApplication::clipboard()->setMimeData(data);
  EXPECT_FALSE(form.Actions().Paste1->isEnabled());
  form.Clipboard()->Paste1Click();
  EXPECT_EQ(form.Canvas()->Selection().Current(), (SelectionRecord{true, 8, 2, 16, 4}));

  QGuiApplication::clipboard()->setImage(QImage(5, 3, QImage::Format_RGB32));
  ASSERT_TRUE(form.Actions().Paste1->isEnabled());
  form.Actions().Paste1->trigger();
  EXPECT_EQ(imported.size(), QSize(5, 3));
}

}  // namespace
}  // namespace tinto::test

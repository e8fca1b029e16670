#include "app/canvas/clipboard_commands.h"

#include "app/canvas/canvas_controller.h"
#include "app/canvas/canvas_overlay.h"
#include "app/canvas/canvas_selection.h"
#include "app/canvas_fixture.h"
#include "core/format/cell_payload.h"

namespace tinto::test {
namespace {

// Clipboard data that counts how often its bytes are fetched, as another program's payload
// would be fetched across the window system.
class CountingMimeData : public QMimeData {
 public:
  CountingMimeData(QByteArray payload, int* fetches)
      : m_payload(std::move(payload)), m_fetches(fetches) {}
  QStringList formats() const override { return {kCellPayloadMimeType}; }
  bool hasFormat(const QString& type) const override { return type == kCellPayloadMimeType; }

 protected:
  QVariant retrieveData(const QString& type, QMetaType) const override {
    ++*m_fetches;
    return type == kCellPayloadMimeType ? QVariant(m_payload) : QVariant();
  }

 private:
  QByteArray m_payload;
  int* m_fetches;
};

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

  Panel2(form)->S_2()->click();
  form.Actions().Paste1->trigger();
  EXPECT_EQ(Canvas(form)->Selection().Current(), (SelectionRecord{true, 0, 0, 8, 2}));
  EXPECT_FALSE(form.Session().Document().Modified());
  Hover(form, {1, 1});
  Drag(form, {{1, 1}, {17, 11}});

  const ScreenBuffers& screen = form.Session().Screen();
  EXPECT_TRUE(screen.Pixel(1, 17, 10));
  EXPECT_EQ(screen.Attr(1, 17, 10), 0x42);
  EXPECT_FALSE(screen.Pixel(0, 17, 10));
  EXPECT_TRUE(form.Session().Document().Modified());
}

TEST_F(ClipboardTest, CutClearsTheMarqueeInTheEditedScreenOnly) {
  TMainForm& form = StartWithMarquee();
  form.Session().Screen().SetPixel(1, 9, 2);
  form.Actions().Cut1->trigger();
  const ScreenBuffers& screen = form.Session().Screen();
  EXPECT_FALSE(screen.Pixel(0, 9, 2));
  EXPECT_TRUE(screen.Pixel(1, 9, 2));
  EXPECT_EQ(screen.Attr(0, 9, 2), 0x42);
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
  EXPECT_TRUE(form.Actions().Paste1->isEnabled()) << "decided from the format alone";
  form.Clipboard()->Paste1Click();
  EXPECT_EQ(Canvas(form)->Selection().Current(), (SelectionRecord{true, 8, 2, 16, 4}));

  QGuiApplication::clipboard()->setImage(QImage(5, 3, QImage::Format_RGB32));
  ASSERT_TRUE(form.Actions().Paste1->isEnabled());
  form.Actions().Paste1->trigger();
  EXPECT_EQ(imported.size(), QSize(5, 3));
}

// Paste is enabled by what the clipboard offers; the payload is fetched only by Paste, and one
// larger than a full picture's cells is dropped unread.
TEST_F(ClipboardTest, PayloadIsFetchedOnlyWhenPastedAndAnOversizedOneIsDropped) {
  TMainForm& form = StartWithMarquee();
  const std::string cells = EncodeCellPayload(
      CopyCells(form.Session().Screen(), form.Session().Geometry(), {true, 8, 2, 16, 4}, 0));
  int fetches = 0;
  QGuiApplication::clipboard()->setMimeData(
      new CountingMimeData(QByteArray::fromStdString(cells), &fetches));
  EXPECT_TRUE(form.Actions().Paste1->isEnabled());
  EXPECT_EQ(fetches, 0);
  form.Actions().Paste1->trigger();
  EXPECT_EQ(fetches, 1);
  EXPECT_EQ(Canvas(form)->Selection().Current(), (SelectionRecord{true, 0, 0, 8, 2}));
  Hover(form, {100, 100});  // a press beside the pasted copy drops it where it lies
  Drag(form, {{100, 100}, {100, 100}});
  EXPECT_TRUE(form.Session().Screen().Pixel(0, 1, 0));

  QByteArray oversized = QByteArray::fromStdString(cells);
  oversized.append(QByteArray(static_cast<qsizetype>(kMaxCellPayloadBytes), '\0'));
  QGuiApplication::clipboard()->setMimeData(new CountingMimeData(oversized, &fetches));
  form.Actions().Paste1->trigger();
  EXPECT_FALSE(Canvas(form)->Selection().Current().active);
}

// Cells 8 x 1 copied from frame 0 whose first pixel is set, on blue paper.
ClipboardCells OnePixelCells() {
  ClipboardCells cells;
  cells.width = 8;
  cells.height = 1;
  cells.sourceFrame = 0;
  for (auto& frame : cells.pixels) frame.assign(8, 0);
  for (auto& frame : cells.attrs) frame.assign(8, 0x08);
  cells.pixels[0][0] = 1;
  return cells;
}

class CanvasSelectionTest : public ::testing::Test {
 protected:
  TEditorSession session;
  TViewState view;
  TCanvasArea canvas;
  TCanvasOverlay overlay{canvas.MSB()->viewport()};
  CanvasSelection selection{session, view, canvas, overlay};
};

TEST_F(CanvasSelectionTest, APastedCopyFloatsUntilDroppedOnceAsOneUndoableChangeOrCleared) {
  selection.PlacePastedCopy(OnePixelCells());
  EXPECT_TRUE(selection.FloatsPastedCopy());
  EXPECT_EQ(selection.State().Current(), (SelectionRecord{true, 0, 0, 8, 1}));
  EXPECT_EQ(session.Screen().PixelByte(0, 0, 0), 0x00) << "nothing written while it floats";
  EXPECT_TRUE(selection.DropPastedCopy());
  EXPECT_EQ(session.Screen().PixelByte(0, 0, 0), 0x80);
  EXPECT_FALSE(selection.FloatsPastedCopy());
  EXPECT_FALSE(selection.DropPastedCopy()) << "a dropped copy drops only once";
  EXPECT_TRUE(session.Undo());
  EXPECT_EQ(session.Screen().PixelByte(0, 0, 0), 0x00);
  // Clear forgets a floating copy without writing, and Cut needs a marquee.
  selection.PlacePastedCopy(OnePixelCells());
  selection.Clear();
  EXPECT_FALSE(selection.FloatsPastedCopy());
  EXPECT_FALSE(selection.State().Current().active);
  EXPECT_FALSE(selection.Release()) << "no copy is left to drop";
  EXPECT_FALSE(selection.ClearMarquee());
  EXPECT_EQ(session.Screen().PixelByte(0, 0, 0), 0x00);
  EXPECT_FALSE(session.Undo()) << "nothing more was changed";
}

}  // namespace
}  // namespace tinto::test

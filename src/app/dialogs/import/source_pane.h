#pragma once
// The Import Expert's source pane: the scroll box `SBSource` holding the image `Source`, which
// shows the bitmap the conversion reads (the picture, or its resampled copy) enlarged by the
// magnification, and the crop rectangle drawn, moved and applied over it with the mouse and
// the context menu `pupSource` ("Crop Picture", "Stretch Window"). Rectangles are in pixels
// of the shown bitmap; a control point (X, Y) is pixel (X div m, Y div m).

#include <QImage>
#include <QScrollArea>

#include "core/import/source_picture.h"
#include "core/model/bitmap.h"

class QAction;
class QMenu;
class QMouseEvent;
class QPainter;
class TKelImage;

class TSourcePane : public QScrollArea {
  Q_OBJECT

 public:
  explicit TSourcePane(QWidget* parent = nullptr);

  TKelImage* Source() const { return m_source; }
  QMenu* PupSource() const { return m_pupSource; }
  QAction* CropSource() const { return m_cropSource; }
  QAction* StretchWindow() const { return m_stretchWindow; }

  // Shows `bitmap` m times enlarged and repaints. The bitmap is not copied: it must stay alive
  // and unchanged in size until the next ShowBitmap or ShowEmpty. A bitmap of another size
  // than the one shown before drops the crop rectangle, whose pixels it no longer has.
  void ShowBitmap(const tinto::Bitmap24& bitmap, int magnify);
  // The empty state: nothing shown, the image hidden, no crop rectangle.
  void ShowEmpty();

  bool CropValid() const { return m_cropValid; }
  const tinto::PixelRect& CropRect() const { return m_cropRect; }

 signals:
  // "Crop Picture" was chosen over a valid crop rectangle, which is dropped: crop the shown
  // bitmap to `rect`.
  void CropRequested(tinto::PixelRect rect);

 private:
  void SourceMouseDown(QMouseEvent* event);
  void SourceMouseMove(QMouseEvent* event);
  void SourceMouseUp(QMouseEvent* event);
  void SourcePaint(QPainter& painter);
  void SourceContextPopup(QPoint position);
  void CropSourceClick();
  // The size-all cursor over a valid crop rectangle (no move in progress), else the default.
  void UpdateCursor(QPoint position);
  tinto::PixelPoint PicturePoint(QPoint position) const;
  void DropCrop();

  TKelImage* m_source = nullptr;
  QMenu* m_pupSource = nullptr;
  QAction* m_cropSource = nullptr;
  QAction* m_stretchWindow = nullptr;
  QImage m_image;
  int m_magnify = 1;

  tinto::PixelRect m_cropRect;
  bool m_cropValid = false;
  tinto::PixelRect m_dragRect;
  bool m_dragging = false;
  tinto::PixelPoint m_dragAnchor;
  tinto::PixelRect m_moveRect;
  bool m_moving = false;
  tinto::PixelPoint m_moveAnchor;
  bool m_overCrop = false;  // the pointer was last over the crop rectangle (size-all cursor)
};

// The dotted focus-rectangle outline of `rect` (pixels alternately dark and light, visible on
// any picture).
void DrawFocusRectangle(QPainter& painter, const QRect& rect);

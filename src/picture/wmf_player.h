#pragma once
// WMF pictures, played record by record onto a QPainter. Our own player rather than libwmf:
// libwmf's raster backend leaves ellipses unfilled and its SVG backend rounds colours to SVG
// colour names, while a colour converter needs both filled shapes and exact colours.

#include <QPainter>
#include <QPointF>
#include <QRegion>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/bitmap.h"
#include "core/status.h"
#include "picture/picture_limits.h"
#include "picture/wmf_object_table.h"
#include "picture/wmf_objects.h"
#include "picture/wmf_reader.h"
#include "picture/wmf_work_budget.h"

namespace tinto {

// Renders the WMF file in `data` at its declared size (see ReadWmfFrame) on a white
// background, without antialiasing so that filled areas keep their exact colours. The logical
// window is always stretched over the whole picture; mapping modes and viewport records are
// ignored. Text is drawn only while a QGuiApplication exists. A damaged record list ends the
// drawing early; only a missing or damaged header, or a size over the picture limits, fails.
// A frame over `maxPixels` pixels is refused, and so is a picture whose drawing passes the work
// budget of WmfWorkBudget ("Picture too complex"). On failure `out` is left unchanged.
Status RenderWmf(const std::uint8_t* data, std::size_t size, Bitmap24& out,
                 std::int64_t maxPixels = kMaxPicturePixels);

class WmfPlayer {
 public:
  WmfPlayer(QPainter& painter, const WmfFrame& frame, int objectCount);
  void Play(const WmfRecord& record);
  // True once the records played so far have asked for more drawing than the budget allows.
  bool OverBudget() const { return m_budget.Exhausted(); }

 private:
  // The device context: what SaveDC keeps and RestoreDC brings back.
  struct State {
    QPen pen{QColor(Qt::black), 0};
    QBrush brush{QColor(Qt::white)};
    WmfFont font;
    QColor textColor{Qt::black};
    QColor backColor{Qt::white};
    bool opaqueBack = true;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    int textAlign = 0;
    WmfWindow window;
    QPointF position;             // logical
    std::optional<QRegion> clip;  // device pixels; none means the whole picture
  };

  bool PlayState(const WmfRecord& record);
  bool PlayWindow(const WmfRecord& record);
  bool PlayObject(const WmfRecord& record);
  bool PlayClip(const WmfRecord& record);
  bool PlayShape(const WmfRecord& record);
  bool PlayPoly(const WmfRecord& record);
  bool PlayArc(const WmfRecord& record);
  bool PlayBitmap(const WmfRecord& record);
  bool PlayText(const WmfRecord& record);

  QTransform Transform() const;
  void Prepare();  // puts the state, window and clip onto the painter
  void RestoreDC(int which);
  void ChargeStroke(const QPolygonF& logical);  // a line through `logical`, current pen
  QRectF RectAt(const WmfRecord& record, std::size_t index) const;    // bottom, right, top, left
  QPointF PointAt(const WmfRecord& record, std::size_t index) const;  // y, x
  void PatBlt(const QRectF& rect, std::uint32_t rop);
  void DrawDib(const WmfRecord& record, std::size_t dibWord, QRectF source, QRectF target,
               std::uint32_t rop);
  void DrawText(QPointF at, const QByteArray& bytes, const std::optional<QRectF>& clip);

  QPainter& m_painter;
  int m_width;
  int m_height;
  State m_state;
  std::vector<State> m_saved;
  WmfObjectTable m_objects;
  WmfWorkBudget m_budget;
};

}  // namespace tinto

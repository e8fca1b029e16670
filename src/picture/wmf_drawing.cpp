// The WMF records that draw: shapes, polygons, arcs, bitmaps and text, each charged to the work
// budget before it is painted with the current device context.
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "picture/font_support.h"
#include "picture/wmf_player.h"
#include "picture/wmf_text.h"

extern "C" {
#include <uwmf.h>
}

namespace tinto {
namespace {

constexpr double kPi = 3.14159265358979323846;

QPainter::CompositionMode ModeForRop(std::uint32_t rop) {
  switch (rop) {
    case U_SRCAND:
      return QPainter::RasterOp_SourceAndDestination;
    case U_SRCPAINT:
      return QPainter::RasterOp_SourceOrDestination;
    case U_SRCINVERT:
      return QPainter::RasterOp_SourceXorDestination;
    case U_NOTSRCCOPY:
      return QPainter::RasterOp_NotSource;
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

// Angle of `p` seen from `center` in device pixels (y down), degrees counter-clockwise.
double AngleOf(QPointF center, QPointF p) {
  return std::atan2(center.y() - p.y(), p.x() - center.x()) * 180 / kPi;
}
QPolygonF PointsAt(const WmfRecord& record, std::size_t index, std::size_t count) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(count));
  for (std::size_t i = 0; i < count; ++i)
    polygon << QPointF(record.Int(index + 2 * i), record.Int(index + 2 * i + 1));
  return polygon;
}

// Records without a bitmap carry only a raster operation over the target rectangle; their
// length is told by the high byte of the record function.
bool HasNoBitmap(const WmfRecord& record) { return record.Words() == (record.function >> 8u); }

}  // namespace

bool WmfPlayer::PlayShape(const WmfRecord& r) {
  switch (r.Type()) {
    case U_WMR_RECTANGLE:
    case U_WMR_ELLIPSE:
      if (!r.Has(4)) return true;
      m_budget.ChargeFill(RectAt(r, 0), Transform(), m_state.pen);
      Prepare();
      if (r.Type() == U_WMR_RECTANGLE)
        m_painter.drawRect(RectAt(r, 0));
      else
        m_painter.drawEllipse(RectAt(r, 0));
      return true;
    case U_WMR_ROUNDRECT:
      if (!r.Has(6)) return true;
      m_budget.ChargeFill(RectAt(r, 2), Transform(), m_state.pen);
      Prepare();
      m_painter.drawRoundedRect(RectAt(r, 2), std::abs(r.Int(1)) / 2.0, std::abs(r.Int(0)) / 2.0);
      return true;
    case U_WMR_LINETO: {
      if (!r.Has(2)) return true;
      const QPointF to = PointAt(r, 0);
      m_budget.ChargeStroke(QPolygonF({m_state.position, to}), Transform(), m_state.pen);
      Prepare();
      m_painter.drawLine(m_state.position, to);
      m_state.position = to;
      return true;
    }
    case U_WMR_SETPIXEL: {
      if (!r.Has(4)) return true;
      const QPointF at = Transform().map(PointAt(r, 2));
      m_budget.ChargePixels(1);
      Prepare();
      m_painter.resetTransform();
      m_painter.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), ColorRefAt(r, 0));
      return true;
    }
    case U_WMR_PATBLT:
      if (r.Has(6)) PatBlt(QRectF(r.Int(5), r.Int(4), r.Int(3), r.Int(2)), r.Dword(0));
      return true;
    default:
      return false;
  }
}

bool WmfPlayer::PlayPoly(const WmfRecord& r) {
  const int type = r.Type();
  if (type != U_WMR_POLYGON && type != U_WMR_POLYLINE && type != U_WMR_POLYPOLYGON) return false;
  if (!r.Has(1)) return true;
  const std::size_t count = r.Word(0);
  if (type != U_WMR_POLYPOLYGON) {
    if (!r.Has(1 + 2 * count)) return true;
    if (type == U_WMR_POLYGON)
      m_budget.ChargeFill(PointsAt(r, 1, count).boundingRect(), Transform(), m_state.pen);
    else
      m_budget.ChargeStroke(PointsAt(r, 1, count), Transform(), m_state.pen);
    Prepare();
    if (type == U_WMR_POLYGON)
      m_painter.drawPolygon(PointsAt(r, 1, count), m_state.fillRule);
    else
      m_painter.drawPolyline(PointsAt(r, 1, count));
    return true;
  }
  if (!r.Has(1 + count)) return true;
  std::size_t total = 0;
  for (std::size_t i = 0; i < count; ++i) total += r.Word(1 + i);
  if (!r.Has(1 + count + 2 * total)) return true;
  QPainterPath path;
  path.setFillRule(m_state.fillRule);
  for (std::size_t i = 0, at = 1 + count; i < count; at += 2 * r.Word(1 + i), ++i) {
    path.addPolygon(PointsAt(r, at, r.Word(1 + i)));
    path.closeSubpath();
  }
  m_budget.ChargeFill(path.boundingRect(), Transform(), m_state.pen);
  Prepare();
  m_painter.drawPath(path);
  return true;
}

// Arcs run counter-clockwise on screen from the start radial to the end radial, so the path
// is built in device pixels and mapped back, keeping pen widths in logical units.
bool WmfPlayer::PlayArc(const WmfRecord& r) {
  const int type = r.Type();
  if (type != U_WMR_ARC && type != U_WMR_PIE && type != U_WMR_CHORD) return false;
  if (!r.Has(8)) return true;
  const QTransform transform = Transform();
  const QRectF box = transform.mapRect(RectAt(r, 4));
  const double start = AngleOf(box.center(), transform.map(PointAt(r, 2)));
  double span = AngleOf(box.center(), transform.map(PointAt(r, 0))) - start;
  if (span <= 0) span += 360;
  QPainterPath path;
  if (type == U_WMR_PIE) {
    path.moveTo(box.center());
    path.arcTo(box, start, span);
  } else {
    path.arcMoveTo(box, start);
    path.arcTo(box, start, span);
  }
  if (type != U_WMR_ARC) path.closeSubpath();
  if (type == U_WMR_ARC)
    m_budget.ChargeStroke(QPolygonF(RectAt(r, 4)), Transform(), m_state.pen);
  else
    m_budget.ChargeFill(RectAt(r, 4), Transform(), m_state.pen);
  Prepare();
  if (type == U_WMR_ARC) m_painter.setBrush(Qt::NoBrush);
  m_painter.drawPath(transform.inverted().map(path));
  return true;
}

bool WmfPlayer::PlayBitmap(const WmfRecord& r) {
  const int type = r.Type();
  if (type == U_WMR_STRETCHDIB && r.Has(11)) {
    if (r.Word(2) != U_DIB_RGB_COLORS) return true;
    DrawDib(r, 11, QRectF(r.Int(6), r.Int(5), r.Int(4), r.Int(3)),
            QRectF(r.Int(10), r.Int(9), r.Int(8), r.Int(7)), r.Dword(0));
  } else if (type == U_WMR_DIBSTRETCHBLT && r.Has(10)) {
    if (HasNoBitmap(r))
      PatBlt(QRectF(r.Int(10), r.Int(9), r.Int(8), r.Int(7)), r.Dword(0));
    else
      DrawDib(r, 10, QRectF(r.Int(5), r.Int(4), r.Int(3), r.Int(2)),
              QRectF(r.Int(9), r.Int(8), r.Int(7), r.Int(6)), r.Dword(0));
  } else if (type == U_WMR_DIBBITBLT && r.Has(8)) {
    if (HasNoBitmap(r))
      PatBlt(QRectF(r.Int(8), r.Int(7), r.Int(6), r.Int(5)), r.Dword(0));
    else
      DrawDib(r, 8, QRectF(r.Int(3), r.Int(2), r.Int(5), r.Int(4)),
              QRectF(r.Int(7), r.Int(6), r.Int(5), r.Int(4)), r.Dword(0));
  } else {
    return type == U_WMR_STRETCHDIB || type == U_WMR_DIBSTRETCHBLT || type == U_WMR_DIBBITBLT;
  }
  return true;
}

bool WmfPlayer::PlayText(const WmfRecord& r) {
  const int type = r.Type();
  if (type == U_WMR_TEXTOUT) {
    if (!r.Has(1)) return true;
    const std::size_t length = r.Word(0), words = (length + 1) / 2;
    if (!r.Has(3 + words)) return true;
    const QByteArray text(reinterpret_cast<const char*>(r.params + 2),
                          static_cast<qsizetype>(length));
    DrawText(QPointF(r.Int(2 + words), r.Int(1 + words)), text, std::nullopt);
    return true;
  }
  if (type != U_WMR_EXTTEXTOUT) return false;
  if (!r.Has(4)) return true;
  const std::uint16_t options = r.Word(3);
  const bool hasRect = (options & (U_ETO_OPAQUE | U_ETO_CLIPPED)) != 0;
  const std::size_t textAt = hasRect ? 16 : 8, length = r.Word(2);
  if (r.paramBytes < textAt + length) return true;
  std::optional<QRectF> rect;
  if (hasRect) rect = QRectF(QPointF(r.Int(4), r.Int(5)), QPointF(r.Int(6), r.Int(7))).normalized();
  if (rect && (options & U_ETO_OPAQUE)) {
    m_budget.ChargeFill(*rect, Transform(), m_state.pen);
    Prepare();
    m_painter.fillRect(*rect, m_state.backColor);
  }
  const QByteArray text(reinterpret_cast<const char*>(r.params + textAt),
                        static_cast<qsizetype>(length));
  DrawText(PointAt(r, 0), text, (options & U_ETO_CLIPPED) ? rect : std::nullopt);
  return true;
}

void WmfPlayer::PatBlt(const QRectF& rect, std::uint32_t rop) {
  QBrush brush = m_state.brush;
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  switch (rop) {
    case U_PATCOPY:
      break;
    case U_PATINVERT:
      mode = QPainter::RasterOp_SourceXorDestination;
      break;
    case U_DSTINVERT:
      mode = QPainter::RasterOp_NotDestination;
      break;
    case U_WHITENESS:
      brush = QBrush(Qt::white);
      break;
    case U_BLACKNESS:
      brush = QBrush(Qt::black);
      break;
    default:
      return;
  }
  m_budget.ChargeFill(rect, Transform(), QPen(Qt::NoPen));
  Prepare();
  m_painter.setCompositionMode(mode);
  m_painter.fillRect(rect.normalized(), brush);
}

// Source rectangles count pixels in the DIB; a target whose device extent is negative
// mirrors the image, as GDI does.
void WmfPlayer::DrawDib(const WmfRecord& r, std::size_t dibWord, QRectF source, QRectF target,
                        std::uint32_t rop) {
  bool bottomUp = false;
  const QImage image = DibToImage(r.params + 2 * dibWord, r.paramBytes - 2 * dibWord, &bottomUp);
  if (image.isNull()) return;
  source = source.normalized();
  if (bottomUp) source.moveTop(image.height() - source.bottom());
  // Only the part of the source inside the bitmap is drawn, onto the matching part of the
  // target; a source rectangle from the file may be far larger than the bitmap.
  const QRectF shown = source.intersected(QRectF(0, 0, image.width(), image.height()));
  if (shown.isEmpty()) return;
  const double sx = target.width() / source.width(), sy = target.height() / source.height();
  target =
      QRectF(target.x() + (shown.x() - source.x()) * sx, target.y() + (shown.y() - source.y()) * sy,
             shown.width() * sx, shown.height() * sy);
  source = shown;
  const QTransform transform = Transform();
  const QPointF a = transform.map(target.topLeft()), b = transform.map(target.bottomRight());
  m_budget.ChargeFill(QRectF(a, b), QTransform(), QPen(Qt::NoPen));
  const QImage part = image.copy(source.toRect()).mirrored(b.x() < a.x(), b.y() < a.y());
  Prepare();
  m_painter.resetTransform();
  m_painter.setCompositionMode(ModeForRop(rop));
  m_painter.drawImage(QRectF(a, b).normalized(), part);
}

void WmfPlayer::DrawText(QPointF at, const QByteArray& bytes, const std::optional<QRectF>& clip) {
  if (bytes.isEmpty() || !FontsAvailable()) return;
  const QTransform transform = Transform();
  const bool fromCurrent = (m_state.textAlign & U_TA_UPDATECP) != 0;
  // Each character costs at most a square of the font's height.
  const double height = std::abs(transform.m22()) * std::max(std::abs(m_state.font.height), 12);
  m_budget.ChargePixels(std::min(static_cast<double>(m_width) * m_height,
                                 static_cast<double>(bytes.size()) * height * height));
  Prepare();
  if (clip) m_painter.setClipRect(*clip, Qt::IntersectClip);
  WmfTextStyle style{m_state.font, std::abs(transform.m22()), m_state.textAlign, m_state.textColor,
                     std::nullopt};
  if (m_state.opaqueBack) style.back = m_state.backColor;
  const double advance = DrawWmfText(m_painter, transform.map(fromCurrent ? m_state.position : at),
                                     QString::fromLatin1(bytes), style);
  if (fromCurrent) m_state.position.rx() += advance / transform.m11();
}

}  // namespace tinto

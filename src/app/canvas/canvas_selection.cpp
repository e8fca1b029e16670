#include "app/canvas/canvas_selection.h"

#include <QPainter>
#include <algorithm>

#include "app/canvas/canvas_area.h"
#include "app/canvas/canvas_overlay.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "core/model/floating_copy.h"
#include "core/model/renderer.h"

using tinto::PixelPoint;

namespace {

QRegion Outline(const QRect& rect) {
  if (rect.isEmpty()) return {};
  return QRegion(rect).subtracted(QRegion(rect.adjusted(1, 1, -1, -1)));
}

}  // namespace

// The pixels a floating copy carries, its own from the lift or the paste on: the picture as it
// was lifted, or the pasted cells at the top-left of both frames; the frame to read; and
// whether it was pasted.
struct CanvasSelection::CarriedPixels {
  tinto::ScreenBuffers cells;
  tinto::FrameIndex frame;
  bool pasted;
};

CanvasSelection::CanvasSelection(TEditorSession& session, const TViewState& view,
                                 const TCanvasArea& canvas, TCanvasOverlay& overlay)
    : m_session(session), m_view(view), m_canvas(canvas), m_overlay(overlay) {}

CanvasSelection::~CanvasSelection() = default;

bool CanvasSelection::FloatsPastedCopy() const { return m_carried && m_carried->pasted; }

void CanvasSelection::MarqueePress(PixelPoint pixel, tinto::ModifierState modifiers) {
  m_state.MarqueePress(pixel, modifiers);
}

void CanvasSelection::MarqueeDrag(PixelPoint pixel, tinto::ModifierState modifiers) {
  const QRegion before = Region();
  if (m_state.MarqueeMove(pixel, modifiers, m_session.Geometry())) RepaintChangeFrom(before);
}

void CanvasSelection::DragPress(PixelPoint pixel, tinto::ModifierState modifiers, bool liftCopy) {
  if (m_state.DragPress(pixel, modifiers, liftCopy) == tinto::DragPressResult::Lifted)
    LiftFloatingCopy();
}

void CanvasSelection::DragMove(PixelPoint pixel, tinto::ModifierState modifiers) {
  const QRegion before = Region();
  if (m_state.DragMove(pixel, modifiers, m_session.Geometry())) RepaintChangeFrom(before);
}

// The overlay is repainted at once, so that the marquee follows the pointer while input keeps
// arriving.
void CanvasSelection::RepaintChangeFrom(const QRegion& before) {
  m_overlay.repaint(before.united(Region()));
}

bool CanvasSelection::Release() {
  const QRegion before = Region();
  const std::optional<tinto::SelectionRecord> lifted = m_state.Release();
  if (!lifted) {
    m_overlay.update(before.united(Region()));
    return false;
  }
  DropFloatingCopy(*lifted);
  return true;
}

bool CanvasSelection::DropPastedCopy() {
  if (!FloatsPastedCopy()) return false;
  const std::optional<tinto::SelectionRecord> pasted = m_state.Release();
  if (!pasted) return false;
  DropFloatingCopy(*pasted);
  return true;
}

void CanvasSelection::Clear() {
  const QRegion before = Region();
  m_state.Clear();
  m_floatingBitmap = QImage();
  m_carried.reset();
  m_overlay.update(before);
}

bool CanvasSelection::ClearMarquee() {
  if (!m_state.Current().active) return false;
  m_session.Change(tinto::ChangeKind::Cut, [this] {
    tinto::ClearCells(m_session.Screen(), m_session.Geometry(), EditedFrame(), m_state.Current());
  });
  return true;
}

void CanvasSelection::PlacePastedCopy(const tinto::ClipboardCells& cells) {
  const tinto::ScreenGeometry& geometry = m_session.Geometry();
  const int width = std::min(cells.width, geometry.WidthPixels());
  const int height = std::min(cells.height, geometry.DY());
  const PixelPoint at = ViewTopLeftCell();
  const int x = std::min(at.x, geometry.WidthPixels() - width);
  const int y = std::min(at.y, geometry.DY() - height);
  m_carried = std::make_unique<CarriedPixels>(
      CarriedPixels{tinto::CellsAsScreen(cells), cells.sourceFrame, true});
  m_state.PlaceFloatingCopy({true, x, y, x + width, y + height}, {true, 0, 0, width, height});
  m_floatingBitmap = RenderPastedCells(width, height);
  m_overlay.update(Region());
}

// The first cell corner at or right of and below the canvas's top-left visible pixel.
PixelPoint CanvasSelection::ViewTopLeftCell() const {
  const QPoint origin = ImageOrigin();
  const int m = Magnification();
  const int x = std::max(0, (-origin.x() + m - 1) / m);
  const int y = std::max(0, (-origin.y() + m - 1) / m);
  return {(x + 7) & ~7, (y + 7) & ~7};
}

// The pasted cells as the canvas shows a lifted copy: rendered, magnified.
QImage CanvasSelection::RenderPastedCells(int width, int height) const {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const tinto::Rgb c =
          tinto::FramePixelColor(m_carried->cells, m_carried->frame, x, y, m_view.Attributes());
      image.setPixel(x, y, qRgb(tinto::RedOf(c), tinto::GreenOf(c), tinto::BlueOf(c)));
    }
  }
  return image.scaled(image.size() * Magnification(), Qt::IgnoreAspectRatio,
                      Qt::FastTransformation);
}

void CanvasSelection::LiftFloatingCopy() {
  m_carried =
      std::make_unique<CarriedPixels>(CarriedPixels{m_session.Screen(), EditedFrame(), false});
  const tinto::SelectionRecord& lifted = m_state.Floating();
  const QRect area(lifted.x1, lifted.y1, lifted.x2 - lifted.x1, lifted.y2 - lifted.y1);
  // Parts of the rectangle beyond the bitmap come out black.
  TDisplayImages& images = m_session.Images();
  const QImage work = (EditedFrame() == 0 ? images.Image1() : images.Image2())->copy(area);
  m_floatingBitmap =
      work.convertToFormat(QImage::Format_RGB32)
          .scaled(area.size() * Magnification(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void CanvasSelection::DropFloatingCopy(const tinto::SelectionRecord& source) {
  if (m_carried) {
    const CarriedPixels& carried = *m_carried;
    m_session.Change(carried.pasted ? tinto::ChangeKind::Paste : tinto::ChangeKind::Drop, [&] {
      tinto::DropFloatingCopy(m_session.Screen(), m_session.Geometry(),
                              {carried.cells.Pixels(), carried.cells.Attrs(), carried.frame},
                              EditedFrame(), source, m_state.Current(), m_view.WritesAttributes());
    });
  }
  m_floatingBitmap = QImage();
  m_carried.reset();
}

void CanvasSelection::Paint(QPainter& painter) const {
  if (m_state.Floating().active && !m_floatingBitmap.isNull())
    painter.drawImage(FloatingRect().topLeft(), m_floatingBitmap);
  DrawFocusRect(painter, MarqueeRect());
}

QPoint CanvasSelection::ImageOrigin() const { return m_canvas.FrameImageOrigin(EditedFrame()); }

int CanvasSelection::Magnification() const { return m_view.Magnification(); }

tinto::FrameIndex CanvasSelection::EditedFrame() const { return m_view.EditedFrame(); }

QRect CanvasSelection::MarqueeRect() const {
  const tinto::SelectionRecord& s = m_state.Current();
  if (!s.active) return {};
  const int m = Magnification();
  const QPoint origin = ImageOrigin();
  const QPoint topLeft(std::min(s.x1, s.x2) * m, std::min(s.y1, s.y2) * m);
  const QPoint bottomRight(std::max(s.x1, s.x2) * m - 1, std::max(s.y1, s.y2) * m - 1);
  return QRect(topLeft + origin, bottomRight + origin);
}

QRect CanvasSelection::FloatingRect() const {
  const tinto::SelectionRecord& s = m_state.Current();
  const int m = Magnification();
  return QRect(QPoint(s.x1 * m, s.y1 * m) + ImageOrigin(), m_floatingBitmap.size());
}

// What the selection occupies on screen: the marquee and, while it exists, the floating copy.
QRegion CanvasSelection::Region() const {
  QRegion region = Outline(MarqueeRect());
  if (m_state.Floating().active && !m_floatingBitmap.isNull())
    region = region.united(FloatingRect());
  return region;
}

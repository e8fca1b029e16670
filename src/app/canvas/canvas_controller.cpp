#include "app/canvas/canvas_controller.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>

#include "app/canvas/canvas_area.h"
#include "app/canvas/canvas_overlay.h"
#include "app/canvas/status_bar.h"
#include "app/canvas/tool_cursors.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "app/widgets/kel_image.h"
#include "core/model/floating_copy.h"
#include "core/model/grid_overlay.h"
#include "core/model/pick_colors.h"
#include "core/model/renderer.h"
#include "core/model/status_texts.h"

using tinto::PixelPoint;
using tinto::PointerMode;

namespace {

const QColor kGridGrey(128, 128, 128);

tinto::ModifierState ModifierStateOf(Qt::KeyboardModifiers held) {
  tinto::ModifierState state = 0;
  if (held & Qt::ShiftModifier) state |= tinto::kShiftHeld;
  if (held & Qt::AltModifier) state |= tinto::kAltHeld;
  if (held & Qt::ControlModifier) state |= tinto::kCtrlHeld;
  return state;
}

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Control ||
         key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

// The shift state as it is after the event: a modifier key counts as held from its own
// key-down and as released from its own key-up, whatever the platform reports for it.
tinto::ModifierState ModifiersAfter(const QKeyEvent& event) {
  Qt::KeyboardModifiers held = event.modifiers();
  const bool down = event.type() == QEvent::KeyPress;
  if (event.key() == Qt::Key_Shift) held.setFlag(Qt::ShiftModifier, down);
  if (event.key() == Qt::Key_Alt) held.setFlag(Qt::AltModifier, down);
  if (event.key() == Qt::Key_Control) held.setFlag(Qt::ControlModifier, down);
  return ModifierStateOf(held);
}

PixelPoint PixelAt(const QMouseEvent& event, int magnification) {
  const QPoint pos = event.position().toPoint();
  return tinto::PixelFromPointer(pos.x(), pos.y(), magnification);
}

// Lines end one pixel short of their end point, as the window system's line drawing does.
void DrawRows(QPainter& painter, const std::vector<int>& rows, int width, const QRect& area) {
  for (int y : rows)
    if (y >= area.top() && y <= area.bottom()) painter.drawLine(0, y, width - 1, y);
}

void DrawColumns(QPainter& painter, const std::vector<int>& columns, int height,
                 const QRect& area) {
  for (int x : columns)
    if (x >= area.left() && x <= area.right()) painter.drawLine(x, 0, x, height - 1);
}

QRegion Outline(const QRect& rect) {
  if (rect.isEmpty()) return {};
  return QRegion(rect).subtracted(QRegion(rect.adjusted(1, 1, -1, -1)));
}

void SetStatusText(QLabel* label, const std::string& text) {
  label->setText(QString::fromStdString(text));
}

}  // namespace

TCanvasController::TCanvasController(TEditorSession& session, TViewState& view, TCanvasArea& canvas,
                                     TStatusBar& statusBar, CanvasPreviews previews,
                                     QObject* parent)
    : QObject(parent),
      m_session(session),
      m_view(view),
      m_canvas(canvas),
      m_statusBar(statusBar),
      m_previews(previews),
      m_overlay(new TCanvasOverlay(canvas.MSB()->viewport())) {
  RegisterToolCursors();
  for (TKelImage* image : {canvas.Image_1(), canvas.Image_2()}) {
    image->setCursor(ToolCursor(m_mode));
    connect(image, &TKelImage::MouseDown, this, &TCanvasController::Image_1MouseDown);
    connect(image, &TKelImage::MouseMove, this, &TCanvasController::Image_1MouseMove);
    connect(image, &TKelImage::MouseUp, this, &TCanvasController::Image_1MouseUp);
    connect(image, &TKelImage::OnMouseEnter, this, &TCanvasController::Image_1MouseEnter);
  }
  connect(m_overlay, &TCanvasOverlay::Paint, this, &TCanvasController::Image_1Paint);
  connect(&view, &TViewState::Changed, this, [this](ViewSetting what) {
    if (what == ViewSetting::Tool) ChoosePointerMode();
  });
  ChoosePointerMode();
}

void TCanvasController::ChoosePointerMode() {
  const QPoint pos = VisibleImage()->mapFromGlobal(QCursor::pos());
  ChooseModeAt(tinto::PixelFromPointer(pos.x(), pos.y(), Magnification()));
}

void TCanvasController::SyncModifiers(Qt::KeyboardModifiers held) {
  m_modifiers = ModifierStateOf(held);
  ChoosePointerMode();
}

void TCanvasController::ChooseModeAt(PixelPoint pixel) {
  const tinto::PointerModeInputs inputs{m_modifiers, static_cast<tinto::ToolButton>(m_view.Tool()),
                                        m_selection.Current(), pixel, m_mode};
  const PointerMode mode = tinto::ChoosePointerMode(inputs);
  if (mode == m_mode) return;
  m_mode = mode;
  // Qt gives the window the new cursor at once when the pointer is over the image, so the
  // pointer need not be nudged to show it.
  const QCursor cursor = ToolCursor(mode);
  m_canvas.Image_1()->setCursor(cursor);
  m_canvas.Image_2()->setCursor(cursor);
}

void TCanvasController::Image_1MouseDown(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  if (!tinto::PointerOnImage(pos.x(), pos.y(), m_session.Geometry(), Magnification())) return;
  const PixelPoint pixel = PixelAt(*event, Magnification());
  // A stroke whose release never arrived ends here, before anything else changes the picture.
  m_session.EndChange();
  // The press acts on the modifiers it was made with: a release that went to a menu or a
  // dialog must not leave Alt (pick), Ctrl (copy) or Shift (snap) held for the canvas.
  m_modifiers = ModifierStateOf(event->modifiers());
  ChooseModeAt(pixel);
  // A pasted copy floats until a drag moves it; any other press drops it where it lies.
  if (m_carried && m_carried->pasted && m_mode != PointerMode::Move &&
      m_mode != PointerMode::MoveSel)
    if (const std::optional<tinto::SelectionRecord> pasted = m_selection.Release())
      DropFloatingCopy(*pasted);
  m_buttonDown = true;
  m_lastPixel = pixel;
  switch (m_mode) {
    case PointerMode::Pencil:
      Plot(pixel);
      break;
    case PointerMode::Pick:
      Pick(pixel);
      break;
    case PointerMode::Cross:
      m_selection.MarqueePress(pixel, m_modifiers);
      emit RefreshRequested();
      break;
    case PointerMode::Move:
    case PointerMode::MoveSel:
      DragPress(pixel);
      break;
  }
}

void TCanvasController::Image_1MouseMove(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const PixelPoint pixel = PixelAt(*event, Magnification());
  m_modifiers = ModifierStateOf(event->modifiers());
  // Qt sends no enter while a held button keeps the pointer grabbed, so a move back onto the
  // image counts as entering it.
  m_pointerInside = tinto::PointerOnImage(pos.x(), pos.y(), m_session.Geometry(), Magnification());
  ShowPointerStatus(pixel);
  // The tool of a drag stays the one it began with: re-choosing under a held button would
  // turn a marquee being drawn into a selection move as soon as the pointer is inside it.
  if (m_buttonDown)
    ButtonMove(pixel);
  else
    ChooseModeAt(pixel);
  m_lastPixel = pixel;
}

void TCanvasController::ButtonMove(PixelPoint pixel) {
  const bool newPixel = m_pointerInside && pixel != m_lastPixel;
  if (m_mode == PointerMode::Pencil) {
    if (newPixel) Plot(pixel);
    return;
  }
  if (m_mode == PointerMode::Pick) {
    if (newPixel) Pick(pixel);
    return;
  }
  const QRegion before = SelectionRegion();
  const bool moved = m_mode == PointerMode::Cross
                         ? m_selection.MarqueeMove(pixel, m_modifiers, m_session.Geometry())
                         : m_selection.DragMove(pixel, m_modifiers, m_session.Geometry());
  if (moved) m_overlay->repaint(before.united(SelectionRegion()));
}

void TCanvasController::Image_1MouseUp(QMouseEvent*) {
  m_buttonDown = false;
  m_session.EndChange();
  const QRegion before = SelectionRegion();
  const std::optional<tinto::SelectionRecord> lifted = m_selection.Release();
  if (lifted)
    DropFloatingCopy(*lifted);
  else
    m_overlay->update(before.united(SelectionRegion()));
  emit SelectionChanged();
}

void TCanvasController::DropSelection() {
  const QRegion before = SelectionRegion();
  m_selection.Clear();
  m_floatingBitmap = QImage();
  m_carried.reset();
  m_overlay->update(before);
  emit SelectionChanged();
}

void TCanvasController::ClearMarquee() {
  if (!m_selection.Current().active) return;
  m_session.Change(tinto::ChangeKind::Cut, [this] {
    tinto::ClearCells(m_session.Screen(), m_session.Geometry(), EditedFrame(),
                      m_selection.Current());
  });
  emit PictureChanged();
}

void TCanvasController::PlacePastedCopy(const tinto::ClipboardCells& cells) {
  DropSelection();
  const tinto::ScreenGeometry& geometry = m_session.Geometry();
  const int width = std::min(cells.width, geometry.WidthPixels());
  const int height = std::min(cells.height, geometry.DY());
  const PixelPoint at = ViewTopLeftCell();
  const int x = std::min(at.x, geometry.WidthPixels() - width);
  const int y = std::min(at.y, geometry.DY() - height);
  m_carried = std::make_unique<CarriedPixels>(
      CarriedPixels{tinto::CellsAsScreen(cells), cells.sourceFrame, true});
  m_selection.PlaceFloatingCopy({true, x, y, x + width, y + height}, {true, 0, 0, width, height});
  m_floatingBitmap = RenderPastedCells(width, height);
  m_view.SetTool(kToolMarque);
  m_overlay->update(SelectionRegion());
  emit SelectionChanged();
}

// The first cell corner at or right of and below the canvas's top-left visible pixel.
PixelPoint TCanvasController::ViewTopLeftCell() const {
  const QPoint origin = ImageOrigin();
  const int m = Magnification();
  const int x = std::max(0, (-origin.x() + m - 1) / m);
  const int y = std::max(0, (-origin.y() + m - 1) / m);
  return {(x + 7) & ~7, (y + 7) & ~7};
}

// The pasted cells as the canvas shows a lifted copy: rendered, magnified.
QImage TCanvasController::RenderPastedCells(int width, int height) const {
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

void TCanvasController::Image_1MouseEnter() { m_pointerInside = true; }

void TCanvasController::ShowPointerStatus(PixelPoint pixel) {
  TStatusBar* bar = &m_statusBar;
  const tinto::CoordinateTexts coordinates = tinto::PointerCoordinateTexts(pixel);
  SetStatusText(bar->XP(), coordinates.xp);
  SetStatusText(bar->YP(), coordinates.yp);
  SetStatusText(bar->XA(), coordinates.xa);
  SetStatusText(bar->YA(), coordinates.ya);
  const auto colors = tinto::PointerColorTexts(m_session.Screen(), EditedFrame(), pixel);
  if (colors && tinto::StatusShowsColors(m_pointerInside, m_buttonDown, m_mode)) {
    SetStatusText(bar->IP(), colors->ip);
    SetStatusText(bar->PP(), colors->pp);
  }
  bar->SB0Resize();
}

void TCanvasController::Plot(PixelPoint pixel) {
  m_session.BeginChange(tinto::ChangeKind::Stroke);
  tinto::PencilOptions options;
  options.frame = EditedFrame();
  options.size = m_view.PencilSize();
  options.mode = m_view.DrawMode();
  options.writeAttributes = m_view.WritesAttributes();
  options.attr0 = m_view.Attr1();
  options.attr1 = m_view.Attr2();
  const tinto::PixelRect written =
      tinto::PlotPencil(m_session.Screen(), m_session.Geometry(), options, pixel.x, pixel.y);
  const tinto::RenderOptions render{m_view.Attributes(), m_view.NoFlic()};
  tinto::RenderTouchedBlocks(m_session.Screen(), m_session.Geometry(), render,
                             m_session.Images().Bitmaps(), written);
  RepaintBlocks(written);
}

// Only the re-rendered blocks can have changed, so only they are repainted; the paint is
// synchronous, so a stroke follows the pointer even while input keeps arriving.
void TCanvasController::RepaintBlocks(tinto::PixelRect written) {
  if (written.Empty()) return;
  const QRect blocks(QPoint(written.x1 & ~7, written.y1 & ~7),
                     QPoint(((written.x2 + 7) & ~7) - 1, ((written.y2 + 7) & ~7) - 1));
  const int m = Magnification();
  VisibleImage()->repaint(QRect(blocks.topLeft() * m, blocks.size() * m));
  (m_view.ShowsFirstImages() ? m_previews.first : m_previews.second)->repaint(blocks);
}

void TCanvasController::RepaintCanvas() { m_overlay->repaint(); }

void TCanvasController::Pick(PixelPoint pixel) {
  const tinto::CurrentColors colors = tinto::PickColors(m_session.Screen(), pixel.x, pixel.y);
  m_view.SetInk1(colors.ink1);
  m_view.SetPaper1(colors.paper1);
  m_view.SetInk2(colors.ink2);
  m_view.SetPaper2(colors.paper2);
  emit ColorsPicked();
}

void TCanvasController::DragPress(PixelPoint pixel) {
  const tinto::DragPressResult result =
      m_selection.DragPress(pixel, m_modifiers, m_mode == PointerMode::Move);
  if (result == tinto::DragPressResult::Lifted) LiftFloatingCopy();
}

void TCanvasController::LiftFloatingCopy() {
  m_carried =
      std::make_unique<CarriedPixels>(CarriedPixels{m_session.Screen(), EditedFrame(), false});
  const tinto::SelectionRecord& lifted = m_selection.Floating();
  const QRect area(lifted.x1, lifted.y1, lifted.x2 - lifted.x1, lifted.y2 - lifted.y1);
  // Parts of the rectangle beyond the bitmap come out black.
  TDisplayImages& images = m_session.Images();
  const QImage work = (EditedFrame() == 0 ? images.Image1() : images.Image2())->copy(area);
  m_floatingBitmap =
      work.convertToFormat(QImage::Format_RGB32)
          .scaled(area.size() * Magnification(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void TCanvasController::DropFloatingCopy(const tinto::SelectionRecord& source) {
  if (m_carried) {
    const CarriedPixels& carried = *m_carried;
    m_session.Change(carried.pasted ? tinto::ChangeKind::Paste : tinto::ChangeKind::Drop, [&] {
      tinto::DropFloatingCopy(m_session.Screen(), m_session.Geometry(),
                              {carried.cells.Pixels(), carried.cells.Attrs(), carried.frame},
                              EditedFrame(), source, m_selection.Current(),
                              m_view.WritesAttributes());
    });
  }
  m_floatingBitmap = QImage();
  m_carried.reset();
  emit PictureChanged();
}

void TCanvasController::Image_1Paint(QPainter& painter, const QRect& area) {
  PaintGrid(painter, area);
  if (m_selection.Floating().active && !m_floatingBitmap.isNull())
    painter.drawImage(FloatingRect().topLeft(), m_floatingBitmap);
  DrawFocusRect(painter, MarqueeRect());
}

void TCanvasController::PaintGrid(QPainter& painter, const QRect& area) {
  const QWidget* client = m_canvas.MSB()->viewport();
  const QPoint origin = ImageOrigin();
  const tinto::GridOverlayInput input{client->width(), client->height(), origin.x(),
                                      origin.y(),      Magnification(),  m_view.Grid()};
  const tinto::GridOverlay lines = tinto::GridOverlayLines(input, m_session.Geometry());
  painter.setPen(kGridGrey);
  DrawRows(painter, lines.greyRows, lines.width, area);
  DrawColumns(painter, lines.greyColumns, lines.height, area);
  painter.setPen(Qt::white);
  DrawRows(painter, lines.whiteRows, lines.width, area);
  DrawColumns(painter, lines.whiteColumns, lines.height, area);
  painter.setPen(Qt::red);
  DrawColumns(painter, lines.redColumns, lines.height, area);
}

bool TCanvasController::FormKeyEvent(QObject* receiver, QKeyEvent* event) {
  if (m_typedKeys.Forwarding()) return false;
  if (event->type() == QEvent::KeyRelease) {
    FormKeyUp(*event);
    return false;
  }
  if (!FormKeyDown(*event)) m_typedKeys.Forward(receiver, *event);
  return true;
}

// Returns true when the key is a modifier that changed the modifier state; such a key does
// nothing else. Another key always acts, also when it finds the stored state out of date (a
// modifier released while another window had the keyboard).
bool TCanvasController::FormKeyDown(const QKeyEvent& event) {
  const tinto::ModifierState state = ModifiersAfter(event);
  if (state != m_modifiers) {
    m_modifiers = state;
    ChoosePointerMode();
    if (IsModifierKey(event.key())) return true;
  }
  if (event.modifiers() & Qt::KeypadModifier) return false;
  if (event.key() == Qt::Key_M) m_view.SetTool(kToolMarque);
  if (event.key() == Qt::Key_P) m_view.SetTool(kToolPencil);
  if (event.key() == Qt::Key_I) m_view.SetTool(kToolPick);
  return false;
}

void TCanvasController::FormKeyUp(const QKeyEvent& event) {
  const tinto::ModifierState state = ModifiersAfter(event);
  if (state == m_modifiers) return;
  m_modifiers = state;
  ChoosePointerMode();
}

TKelImage* TCanvasController::VisibleImage() const {
  return EditedFrame() == 0 ? m_canvas.Image_1() : m_canvas.Image_2();
}

QPoint TCanvasController::ImageOrigin() const {
  return VisibleImage()->mapTo(m_canvas.MSB()->viewport(), QPoint(0, 0));
}

int TCanvasController::Magnification() const { return m_view.Magnification(); }

tinto::FrameIndex TCanvasController::EditedFrame() const { return m_view.EditedFrame(); }

QRect TCanvasController::MarqueeRect() const {
  const tinto::SelectionRecord& s = m_selection.Current();
  if (!s.active) return {};
  const int m = Magnification();
  const QPoint origin = ImageOrigin();
  const QPoint topLeft(std::min(s.x1, s.x2) * m, std::min(s.y1, s.y2) * m);
  const QPoint bottomRight(std::max(s.x1, s.x2) * m - 1, std::max(s.y1, s.y2) * m - 1);
  return QRect(topLeft + origin, bottomRight + origin);
}

QRect TCanvasController::FloatingRect() const {
  const tinto::SelectionRecord& s = m_selection.Current();
  const int m = Magnification();
  return QRect(QPoint(s.x1 * m, s.y1 * m) + ImageOrigin(), m_floatingBitmap.size());
}

// What the selection occupies on screen: the marquee and, while it exists, the floating copy.
QRegion TCanvasController::SelectionRegion() const {
  QRegion region = Outline(MarqueeRect());
  if (m_selection.Floating().active && !m_floatingBitmap.isNull())
    region = region.united(FloatingRect());
  return region;
}

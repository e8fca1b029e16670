#include "app/canvas_controller.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>

#include "app/canvas_area.h"
#include "app/canvas_overlay.h"
#include "app/color_panel.h"
#include "app/kel_image.h"
#include "app/main_form.h"
#include "app/mode_bar.h"
#include "app/status_bar.h"
#include "app/tool_cursors.h"
#include "app/tool_palette.h"
#include "core/model/floating_copy.h"
#include "core/model/grid_overlay.h"
#include "core/model/pick_colors.h"
#include "core/model/status_texts.h"

using tinto::PixelPoint;
using tinto::PointerMode;

namespace {

const QColor kGridGrey(128, 128, 128);

// The shift state as it is after the event: a modifier key counts as held from its own
// key-down and as released from its own key-up, whatever the platform reports for it.
tinto::ModifierState ModifiersAfter(const QKeyEvent& event) {
  Qt::KeyboardModifiers held = event.modifiers();
  const bool down = event.type() == QEvent::KeyPress;
  if (event.key() == Qt::Key_Shift) held.setFlag(Qt::ShiftModifier, down);
  if (event.key() == Qt::Key_Alt) held.setFlag(Qt::AltModifier, down);
  if (event.key() == Qt::Key_Control) held.setFlag(Qt::ControlModifier, down);
  tinto::ModifierState state = 0;
  if (held & Qt::ShiftModifier) state |= tinto::kShiftHeld;
  if (held & Qt::AltModifier) state |= tinto::kAltHeld;
  if (held & Qt::ControlModifier) state |= tinto::kCtrlHeld;
  return state;
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

TCanvasController::TCanvasController(TMainForm& form)
    : QObject(&form),
      m_form(form),
      m_overlay(new TCanvasOverlay(form.Panel3()->MSB()->viewport())) {
  RegisterToolCursors();
  for (TKelImage* image : {form.Image_1(), form.Image_2()}) {
    image->setCursor(ToolCursor(m_mode));
    connect(image, &TKelImage::MouseDown, this, &TCanvasController::Image_1MouseDown);
    connect(image, &TKelImage::MouseMove, this, &TCanvasController::Image_1MouseMove);
    connect(image, &TKelImage::MouseUp, this, &TCanvasController::Image_1MouseUp);
    connect(image, &TKelImage::OnMouseEnter, this, &TCanvasController::Image_1MouseEnter);
  }
  connect(m_overlay, &TCanvasOverlay::Paint, this, &TCanvasController::Image_1Paint);
  connect(form.PnTools(), &TToolPalette::ToolChanged, this, &TCanvasController::ChoosePointerMode);
  ChoosePointerMode();
}

void TCanvasController::ChoosePointerMode() {
  const QPoint pos = VisibleImage()->mapFromGlobal(QCursor::pos());
  ChooseModeAt(tinto::PixelFromPointer(pos.x(), pos.y(), Magnification()));
}

void TCanvasController::ChooseModeAt(PixelPoint pixel) {
  const tinto::PointerModeInputs inputs{
      m_modifiers, static_cast<tinto::ToolButton>(m_form.PnTools()->CurrentTool()),
      m_selection.Current(), pixel, m_mode};
  const PointerMode mode = tinto::ChoosePointerMode(inputs);
  if (mode == m_mode) return;
  m_mode = mode;
  // Qt gives the window the new cursor at once when the pointer is over the image, so the
  // pointer need not be nudged to show it.
  const QCursor cursor = ToolCursor(mode);
  m_form.Image_1()->setCursor(cursor);
  m_form.Image_2()->setCursor(cursor);
}

void TCanvasController::Image_1MouseDown(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  if (!tinto::PointerOnImage(pos.x(), pos.y(), m_form.Geometry(), Magnification())) return;
  const PixelPoint pixel = PixelAt(*event, Magnification());
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
      m_form.RefreshDisplay();
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
  // Qt sends no enter while a held button keeps the pointer grabbed, so a move back onto the
  // image counts as entering it.
  m_pointerInside = tinto::PointerOnImage(pos.x(), pos.y(), m_form.Geometry(), Magnification());
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
                         ? m_selection.MarqueeMove(pixel, m_modifiers, m_form.Geometry())
                         : m_selection.DragMove(pixel, m_modifiers, m_form.Geometry());
  if (moved) m_overlay->repaint(before.united(SelectionRegion()));
}

void TCanvasController::Image_1MouseUp(QMouseEvent*) {
  m_buttonDown = false;
  const QRegion before = SelectionRegion();
  const std::optional<tinto::SelectionRecord> lifted = m_selection.Release();
  if (lifted) {
    DropFloatingCopy(*lifted);
    return;
  }
  m_overlay->update(before.united(SelectionRegion()));
}

void TCanvasController::DropSelection() {
  const QRegion before = SelectionRegion();
  m_selection.Clear();
  m_floatingBitmap = QImage();
  m_overlay->update(before);
}

void TCanvasController::Image_1MouseEnter() { m_pointerInside = true; }

void TCanvasController::ShowPointerStatus(PixelPoint pixel) {
  TStatusBar* bar = m_form.SB0();
  const tinto::CoordinateTexts coordinates = tinto::PointerCoordinateTexts(pixel);
  SetStatusText(bar->XP(), coordinates.xp);
  SetStatusText(bar->YP(), coordinates.yp);
  SetStatusText(bar->XA(), coordinates.xa);
  SetStatusText(bar->YA(), coordinates.ya);
  const auto colors = tinto::PointerColorTexts(m_form.Screen(), EditedFrame(), pixel);
  if (colors && tinto::StatusShowsColors(m_pointerInside, m_buttonDown, m_mode)) {
    SetStatusText(bar->IP(), colors->ip);
    SetStatusText(bar->PP(), colors->pp);
  }
  bar->SB0Resize();
}

void TCanvasController::Plot(PixelPoint pixel) {
  m_form.SetModified(true);
  const TColorPanel* panel = m_form.ColorPanel();
  tinto::PencilOptions options;
  options.frame = EditedFrame();
  options.size = m_form.PnTools()->pSize()->value();
  options.mode = static_cast<tinto::DrawMode>(std::clamp(m_form.DrawMode(), 0, 2));
  options.writeAttributes = WritesAttributes();
  options.attr0 = static_cast<std::uint8_t>(panel->Ink1() | panel->Paper1());
  options.attr1 = static_cast<std::uint8_t>(panel->Ink2() | panel->Paper2());
  const tinto::PixelRect written =
      tinto::PlotPencil(m_form.Screen(), m_form.Geometry(), options, pixel.x, pixel.y);
  const tinto::RenderOptions render{panel->AttributesChecked(), panel->NoFlicChecked()};
  tinto::RenderTouchedBlocks(m_form.Screen(), m_form.Geometry(), render, m_form.Bitmaps(), written);
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
  const bool first = EditedFrame() == 0 || m_form.ColorPanel()->NoFlicChecked();
  (first ? m_form.Preview1() : m_form.Preview2())->repaint(blocks);
}

void TCanvasController::RepaintCanvas() { m_overlay->repaint(); }

void TCanvasController::Pick(PixelPoint pixel) {
  const tinto::CurrentColors colors = tinto::PickColors(m_form.Screen(), pixel.x, pixel.y);
  TColorPanel* panel = m_form.ColorPanel();
  panel->SetInk1(colors.ink1);
  panel->SetPaper1(colors.paper1);
  panel->SetInk2(colors.ink2);
  panel->SetPaper2(colors.paper2);
  panel->RefreshPanel(true);
}

void TCanvasController::DragPress(PixelPoint pixel) {
  const tinto::DragPressResult result =
      m_selection.DragPress(pixel, m_modifiers, m_mode == PointerMode::Move);
  if (result == tinto::DragPressResult::Lifted) LiftFloatingCopy();
}

void TCanvasController::LiftFloatingCopy() {
  const tinto::SelectionRecord& lifted = m_selection.Floating();
  const QRect area(lifted.x1, lifted.y1, lifted.x2 - lifted.x1, lifted.y2 - lifted.y1);
  // Parts of the rectangle beyond the bitmap come out black.
  const QImage work = m_form.DisplayImage(EditedFrame())->copy(area);
  m_floatingBitmap =
      work.convertToFormat(QImage::Format_RGB32)
          .scaled(area.size() * Magnification(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void TCanvasController::DropFloatingCopy(const tinto::SelectionRecord& source) {
  m_form.SetModified(true);
  m_form.Undo().Take(m_form.Screen());
  m_form.ShowDocumentState();
  tinto::DropFloatingCopy(m_form.Screen(), m_form.Geometry(), m_form.Undo(), EditedFrame(), source,
                          m_selection.Current(), WritesAttributes());
  m_floatingBitmap = QImage();
  m_form.RenderScreen();
  m_form.RefreshDisplay();
}

void TCanvasController::Image_1Paint(QPainter& painter, const QRect& area) {
  PaintGrid(painter, area);
  if (m_selection.Floating().active && !m_floatingBitmap.isNull())
    painter.drawImage(FloatingRect().topLeft(), m_floatingBitmap);
  DrawFocusRect(painter, MarqueeRect());
}

void TCanvasController::PaintGrid(QPainter& painter, const QRect& area) {
  const QWidget* client = m_form.Panel3()->MSB()->viewport();
  const QPoint origin = ImageOrigin();
  const tinto::GridOverlayInput input{client->width(), client->height(),
                                      origin.x(),      origin.y(),
                                      Magnification(), m_form.Panel2()->Grid()->isChecked()};
  const tinto::GridOverlay lines = tinto::GridOverlayLines(input, m_form.Geometry());
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
  if (m_forwardingKey) return false;
  if (event->type() == QEvent::KeyRelease) {
    FormKeyUp(*event);
    return false;
  }
  if (!FormKeyDown(*event)) ForwardTypedCharacter(receiver, *event);
  return true;
}

// Returns true when the key changed the modifier state; such a key does nothing else.
bool TCanvasController::FormKeyDown(const QKeyEvent& event) {
  const tinto::ModifierState state = ModifiersAfter(event);
  if (state != m_modifiers) {
    m_modifiers = state;
    ChoosePointerMode();
    return true;
  }
  if (event.modifiers() & Qt::KeypadModifier) return false;
  TToolPalette* tools = m_form.PnTools();
  if (event.key() == Qt::Key_M) tools->SelectTool(TToolPalette::kMarque);
  if (event.key() == Qt::Key_P) tools->SelectTool(TToolPalette::kPencil);
  if (event.key() == Qt::Key_I) tools->SelectTool(TToolPalette::kPick);
  return false;
}

void TCanvasController::FormKeyUp(const QKeyEvent& event) {
  const tinto::ModifierState state = ModifiersAfter(event);
  if (state == m_modifiers) return;
  m_modifiers = state;
  ChoosePointerMode();
}

// The window takes every key-down from its controls, but the character a key types still
// reaches a spin edit, so that numbers can be typed into the geometry and size fields; so does
// Enter, which finishes the typed number (spin edits take typed values only when finished).
void TCanvasController::ForwardTypedCharacter(QObject* receiver, const QKeyEvent& event) {
  if (!qobject_cast<QAbstractSpinBox*>(receiver) && !qobject_cast<QLineEdit*>(receiver)) return;
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
  const QString text = event.text();
  const bool editingKey = event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Return ||
                          event.key() == Qt::Key_Enter;
  if (text.isEmpty() || (!text.front().isPrint() && !editingKey)) return;
  QKeyEvent copy(event.type(), event.key(), event.modifiers(), text, event.isAutoRepeat(),
                 event.count());
  m_forwardingKey = true;
  QCoreApplication::sendEvent(receiver, &copy);
  m_forwardingKey = false;
}

TKelImage* TCanvasController::VisibleImage() const {
  return EditedFrame() == 0 ? m_form.Image_1() : m_form.Image_2();
}

QPoint TCanvasController::ImageOrigin() const {
  return VisibleImage()->mapTo(m_form.Panel3()->MSB()->viewport(), QPoint(0, 0));
}

int TCanvasController::Magnification() const { return m_form.Panel2()->TMagnify()->value(); }

tinto::FrameIndex TCanvasController::EditedFrame() const {
  return m_form.Panel2()->S_1()->isChecked() ? 0 : 1;
}

bool TCanvasController::WritesAttributes() const {
  const TColorPanel* panel = m_form.ColorPanel();
  return panel->AttributesChecked() && !panel->TransAttrChecked();
}

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

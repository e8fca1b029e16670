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
#include "core/model/grid_overlay.h"
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
      m_overlay(new TCanvasOverlay(canvas.MSB()->viewport())),
      m_selection(session, view, canvas, *m_overlay),
      m_pencil(session, view, canvas, previews),
      m_pick(session, view, [this] { emit ColorsPicked(); }),
      m_marquee(m_selection, [this] { emit RefreshRequested(); }),
      m_moveCopy(m_selection, true),
      m_moveFrame(m_selection, false),
      m_tools{{{PointerMode::Pencil, &m_pencil},
               {PointerMode::Pick, &m_pick},
               {PointerMode::Cross, &m_marquee},
               {PointerMode::Move, &m_moveCopy},
               {PointerMode::MoveSel, &m_moveFrame}}} {
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
  const tinto::PointerModeInputs inputs{m_modifiers, m_view.Tool(), m_selection.State().Current(),
                                        pixel, m_mode};
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
  CanvasTool& tool = ToolOfMode();
  // A pasted copy floats until a drag moves it; any other press drops it where it lies.
  if (!tool.DragsSelection() && m_selection.DropPastedCopy()) emit PictureChanged();
  m_buttonDown = true;
  m_lastPixel = pixel;
  tool.Press(pixel, m_modifiers);
}

CanvasTool& TCanvasController::ToolOfMode() const {
  for (const auto& [mode, tool] : m_tools)
    if (mode == m_mode) return *tool;
  return *m_tools.front().second;
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
    ToolOfMode().Drag(pixel, m_modifiers, m_pointerInside && pixel != m_lastPixel);
  else
    ChooseModeAt(pixel);
  m_lastPixel = pixel;
}

void TCanvasController::Image_1MouseUp(QMouseEvent*) {
  m_buttonDown = false;
  m_session.EndChange();
  if (m_selection.Release()) emit PictureChanged();
  emit SelectionChanged();
}

void TCanvasController::DropSelection() {
  m_selection.Clear();
  emit SelectionChanged();
}

void TCanvasController::ClearMarquee() {
  if (m_selection.ClearMarquee()) emit PictureChanged();
}

void TCanvasController::PlacePastedCopy(const tinto::ClipboardCells& cells) {
  DropSelection();
  m_selection.PlacePastedCopy(cells);
  m_view.SetTool(tinto::ToolButton::Marque);
  emit SelectionChanged();
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

void TCanvasController::RepaintCanvas() { m_overlay->repaint(); }

void TCanvasController::Image_1Paint(QPainter& painter, const QRect& area) {
  PaintGrid(painter, area);
  m_selection.Paint(painter);
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
  if (event.key() == Qt::Key_M) m_view.SetTool(tinto::ToolButton::Marque);
  if (event.key() == Qt::Key_P) m_view.SetTool(tinto::ToolButton::Pencil);
  if (event.key() == Qt::Key_I) m_view.SetTool(tinto::ToolButton::Pick);
  return false;
}

void TCanvasController::FormKeyUp(const QKeyEvent& event) {
  const tinto::ModifierState state = ModifiersAfter(event);
  if (state == m_modifiers) return;
  m_modifiers = state;
  ChoosePointerMode();
}

TKelImage* TCanvasController::VisibleImage() const { return m_canvas.FrameImage(EditedFrame()); }

QPoint TCanvasController::ImageOrigin() const { return m_canvas.FrameImageOrigin(EditedFrame()); }

int TCanvasController::Magnification() const { return m_view.Magnification(); }

tinto::FrameIndex TCanvasController::EditedFrame() const { return m_view.EditedFrame(); }

#pragma once
// The editing canvas of the main window: maps the pointer on the magnified images `Image_1`
// and `Image_2` to picture pixels and hands the press and the drag to the tool of the current
// pointer mode (canvas_tools.h), keeps the pointer mode and its cursor, the modifier state and
// the status bar texts, and paints the grid, the MLT window lines and the selection (whose
// floating copy CanvasSelection owns) over the canvas.
// It works on the session's picture with the view state's settings; what the window around it
// must redraw it asks for through its signals.

#include <QObject>
#include <array>
#include <utility>

#include "app/canvas/canvas_previews.h"
#include "app/canvas/canvas_selection.h"
#include "app/canvas/canvas_tools.h"
#include "app/widgets/typed_key_forwarder.h"
#include "core/model/clipboard_cells.h"
#include "core/model/modifier_state.h"
#include "core/model/pointer_mapping.h"
#include "core/model/pointer_mode.h"

class QKeyEvent;
class QMouseEvent;
class QPainter;
class TCanvasArea;
class TCanvasOverlay;
class TEditorSession;
class TKelImage;
class TStatusBar;
class TViewState;

class TCanvasController : public QObject {
  Q_OBJECT

 public:
  // Connects to the canvas images and lays its overlay over the canvas; everything given must
  // outlive the controller.
  TCanvasController(TEditorSession& session, TViewState& view, TCanvasArea& canvas,
                    TStatusBar& statusBar, CanvasPreviews previews, QObject* parent);

  // Re-chooses the pointer mode for the pixel under the screen cursor; the images take the
  // mode's cursor when it changed.
  void ChoosePointerMode();
  // Takes the modifiers held now (when the main window becomes active: keys released while
  // another window had the keyboard never reached the canvas) and re-chooses the pointer mode.
  void SyncModifiers(Qt::KeyboardModifiers held);
  // A key event for any control of the window, before the control sees it. Key-downs update
  // the modifier state or switch tools (M, P, I) and are always taken from the control,
  // except that a character typed into a spin edit still reaches it. Returns true when the
  // event was taken. Mouse events over the canvas carry their own modifiers, which win.
  bool FormKeyEvent(QObject* receiver, QKeyEvent* event);

  // Repaints the visible canvas image and everything over it at once.
  void RepaintCanvas();
  // Forgets the marquee and any floating copy without writing anything.
  void DropSelection();
  // Cut's clearing: the marquee's pixels in the edited frame, as one change; nothing without a
  // marquee.
  void ClearMarquee();
  // Makes `cells` a floating copy at the top-left of the visible part of the canvas (on a cell
  // corner, inside the picture, cut to its size) under a marquee of its size, with the marquee
  // tool chosen: the user drags it and drops it as a lifted copy, or a press of another tool
  // drops it where it lies. The drop writes the pixels of the frame the cells were copied from
  // into the edited frame.
  void PlacePastedCopy(const tinto::ClipboardCells& cells);

  tinto::PointerMode Mode() const { return m_mode; }
  const tinto::SelectionState& Selection() const { return m_selection.State(); }

 signals:
  // The canvas and the visible preview must be repainted at once.
  void RefreshRequested();
  // The whole picture changed: render it, then refresh.
  void PictureChanged();
  // The pick tool set the four current colours; the colour panel must show them.
  void ColorsPicked();
  // A marquee may have appeared or gone.
  void SelectionChanged();

 private:
  void Image_1MouseDown(QMouseEvent* event);
  void Image_1MouseMove(QMouseEvent* event);
  void Image_1MouseUp(QMouseEvent* event);
  void Image_1MouseEnter();
  void Image_1Paint(QPainter& painter, const QRect& area);
  bool FormKeyDown(const QKeyEvent& event);
  void FormKeyUp(const QKeyEvent& event);

  void ChooseModeAt(tinto::PixelPoint pixel);
  CanvasTool& ToolOfMode() const;
  void ShowPointerStatus(tinto::PixelPoint pixel);
  void PaintGrid(QPainter& painter, const QRect& area);

  TKelImage* VisibleImage() const;
  QPoint ImageOrigin() const;
  int Magnification() const;
  tinto::FrameIndex EditedFrame() const;

  TEditorSession& m_session;
  TViewState& m_view;
  TCanvasArea& m_canvas;
  TStatusBar& m_statusBar;
  TCanvasOverlay* m_overlay;
  CanvasSelection m_selection;
  PencilTool m_pencil;
  PickTool m_pick;
  MarqueeTool m_marquee;
  MoveTool m_moveCopy;
  MoveTool m_moveFrame;
  // The tool that serves each pointer mode.
  std::array<std::pair<tinto::PointerMode, CanvasTool*>, 5> m_tools;
  tinto::PointerMode m_mode = tinto::PointerMode::Pencil;
  tinto::ModifierState m_modifiers = 0;
  bool m_buttonDown = false;
  bool m_pointerInside = false;
  tinto::PixelPoint m_lastPixel;
  TypedKeyForwarder m_typedKeys;
};

#pragma once
// The editing canvas of the main window: maps the pointer on the magnified images `Image_1`
// and `Image_2` to picture pixels and runs the tool of the current pointer mode on them (the
// pencil, the pick, drawing and dragging the selection, lifting and dropping a floating copy),
// keeps the pointer mode and its cursor, the modifier state and the status bar texts, and
// paints the grid, the MLT window lines, the floating copy and the marquee over the canvas.
// It works on the session's picture with the view state's settings; what the window around it
// must redraw it asks for through its signals.

#include <QImage>
#include <QObject>
#include <QRegion>
#include <memory>

#include "app/widgets/typed_key_forwarder.h"
#include "core/model/clipboard_cells.h"
#include "core/model/modifier_state.h"
#include "core/model/pencil.h"
#include "core/model/pointer_mapping.h"
#include "core/model/pointer_mode.h"
#include "core/model/selection.h"

class QKeyEvent;
class QMouseEvent;
class QPainter;
class TCanvasArea;
class TCanvasOverlay;
class TEditorSession;
class TKelImage;
class TStatusBar;
class TViewState;

// The small previews whose blocks a stroke repaints: frame 0's (or the mix) and frame 1's.
struct CanvasPreviews {
  TKelImage* first;
  TKelImage* second;
};

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

  // The pencil at pixel (x, y): opens the stroke's change (or keeps the open one), writes the
  // square into the edited frame, re-renders the touched blocks and repaints them on screen at
  // once. The release of the button closes the change.
  void Plot(tinto::PixelPoint pixel);
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
  const tinto::SelectionState& Selection() const { return m_selection; }

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
  void ButtonMove(tinto::PixelPoint pixel);
  void ShowPointerStatus(tinto::PixelPoint pixel);
  void Pick(tinto::PixelPoint pixel);
  void DragPress(tinto::PixelPoint pixel);
  void LiftFloatingCopy();
  void DropFloatingCopy(const tinto::SelectionRecord& source);
  void RepaintBlocks(tinto::PixelRect written);
  void PaintGrid(QPainter& painter, const QRect& area);

  TKelImage* VisibleImage() const;
  QPoint ImageOrigin() const;
  int Magnification() const;
  tinto::FrameIndex EditedFrame() const;
  QRect MarqueeRect() const;
  QRect FloatingRect() const;
  QRegion SelectionRegion() const;
  tinto::PixelPoint ViewTopLeftCell() const;
  QImage RenderPastedCells(int width, int height) const;

  TEditorSession& m_session;
  TViewState& m_view;
  TCanvasArea& m_canvas;
  TStatusBar& m_statusBar;
  CanvasPreviews m_previews;
  TCanvasOverlay* m_overlay;
  tinto::PointerMode m_mode = tinto::PointerMode::Pencil;
  tinto::ModifierState m_modifiers = 0;
  bool m_buttonDown = false;
  bool m_pointerInside = false;
  tinto::PixelPoint m_lastPixel;
  tinto::SelectionState m_selection;
  // The lifted pixels as rendered, magnified; null while no floating copy exists.
  QImage m_floatingBitmap;
  // The pixels a floating copy carries, its own from the lift or the paste on: the picture as
  // it was lifted, or the pasted cells at the top-left of both frames; the frame to read; and
  // whether it was pasted (it floats until a drag moves it). Null while no copy floats.
  struct CarriedPixels {
    tinto::ScreenBuffers cells;
    tinto::FrameIndex frame;
    bool pasted;
  };
  std::unique_ptr<CarriedPixels> m_carried;
  TypedKeyForwarder m_typedKeys;
};

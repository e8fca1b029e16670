#pragma once
// The selection of the canvas and the one owner of its floating copy: the marquee and its drag
// (the core SelectionState), the pixels a floating copy carries from its lift or paste until it
// drops, and their magnified picture on the canvas. It paints the floating copy and the marquee
// over the canvas and repaints the overlay where they change; every write to the picture goes
// through the session as one change.

#include <QImage>
#include <QRegion>
#include <memory>

#include "core/model/clipboard_cells.h"
#include "core/model/modifier_state.h"
#include "core/model/pointer_mapping.h"
#include "core/model/selection.h"

class QPainter;
class TCanvasArea;
class TCanvasOverlay;
class TEditorSession;
class TViewState;

class CanvasSelection {
 public:
  // Everything given must outlive the selection.
  CanvasSelection(TEditorSession& session, const TViewState& view, const TCanvasArea& canvas,
                  TCanvasOverlay& overlay);
  CanvasSelection(const CanvasSelection&) = delete;
  CanvasSelection& operator=(const CanvasSelection&) = delete;
  ~CanvasSelection();

  const tinto::SelectionState& State() const { return m_state; }
  // A pasted copy floats until a drag moves it.
  bool FloatsPastedCopy() const;

  // Mode CROSS: a new marquee at the press; its corner follows the drag.
  void MarqueePress(tinto::PixelPoint pixel, tinto::ModifierState modifiers);
  void MarqueeDrag(tinto::PixelPoint pixel, tinto::ModifierState modifiers);
  // Modes MOVE (`liftCopy`) and MOVESEL: a drag of the marquee, in MOVE carrying a floating copy
  // of the edited frame's pixels under it (lifted at the press unless one floats already).
  void DragPress(tinto::PixelPoint pixel, tinto::ModifierState modifiers, bool liftCopy);
  void DragMove(tinto::PixelPoint pixel, tinto::ModifierState modifiers);

  // The button's release: a marquee without area goes, a drag ends, and a floating copy drops
  // onto the marquee as one change. Returns true when a copy dropped (the picture changed).
  bool Release();
  // A press that does not drag the selection drops a pasted copy where it lies; returns true
  // when it did.
  bool DropPastedCopy();
  // Forgets the marquee and any floating copy without writing anything.
  void Clear();
  // Cut's clearing of the marquee's pixels in the edited frame as one change; returns false,
  // changing nothing, without a marquee.
  bool ClearMarquee();
  // Makes `cells` a floating copy at the first cell corner of the visible part of the canvas
  // (inside the picture, cut to its size) under a marquee of its size.
  void PlacePastedCopy(const tinto::ClipboardCells& cells);

  // The floating copy and the marquee over the canvas.
  void Paint(QPainter& painter) const;

 private:
  struct CarriedPixels;

  void LiftFloatingCopy();
  void DropFloatingCopy(const tinto::SelectionRecord& source);
  void RepaintChangeFrom(const QRegion& before);
  tinto::PixelPoint ViewTopLeftCell() const;
  QImage RenderPastedCells(int width, int height) const;
  QPoint ImageOrigin() const;
  int Magnification() const;
  tinto::FrameIndex EditedFrame() const;
  QRect MarqueeRect() const;
  QRect FloatingRect() const;
  QRegion Region() const;

  TEditorSession& m_session;
  const TViewState& m_view;
  const TCanvasArea& m_canvas;
  TCanvasOverlay& m_overlay;
  tinto::SelectionState m_state;
  // The lifted pixels as rendered, magnified; null while no floating copy exists.
  QImage m_floatingBitmap;
  // Null while no copy floats.
  std::unique_ptr<CarriedPixels> m_carried;
};

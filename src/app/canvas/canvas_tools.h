#pragma once
// The tools of the canvas, one object per pointer mode behind one interface: what a press of
// the left button on the picture does and what a move with the button held does. The canvas
// controller chooses the tool at the press and keeps it for the whole drag.

#include <functional>

#include "app/canvas/canvas_previews.h"
#include "core/model/modifier_state.h"
#include "core/model/pencil.h"
#include "core/model/pointer_mapping.h"

class CanvasSelection;
class TCanvasArea;
class TEditorSession;
class TViewState;

class CanvasTool {
 public:
  virtual ~CanvasTool() = default;
  // The press on `pixel` of the picture, with the modifiers it was made with.
  virtual void Press(tinto::PixelPoint pixel, tinto::ModifierState modifiers) = 0;
  // A move with the button held; `newPixel` when the pointer is on the picture at another
  // pixel than at the last event.
  virtual void Drag(tinto::PixelPoint pixel, tinto::ModifierState modifiers, bool newPixel) = 0;
  // The tools that drag the selection; a press of any other drops a pasted copy first.
  virtual bool DragsSelection() const { return false; }
};

// Mode PENCIL: every new pixel of the drag gets the pencil's square in the edited frame, all of
// a drag one change (the release closes it); the touched blocks are re-rendered and repainted
// on the canvas and the preview at once, so that the stroke follows the pointer.
class PencilTool : public CanvasTool {
 public:
  PencilTool(TEditorSession& session, const TViewState& view, const TCanvasArea& canvas,
             CanvasPreviews previews);
  void Press(tinto::PixelPoint pixel, tinto::ModifierState modifiers) override;
  void Drag(tinto::PixelPoint pixel, tinto::ModifierState modifiers, bool newPixel) override;

 private:
  void Plot(tinto::PixelPoint pixel);
  void RepaintBlocks(tinto::PixelRect written);

  TEditorSession& m_session;
  const TViewState& m_view;
  const TCanvasArea& m_canvas;
  CanvasPreviews m_previews;
};

// Mode PICK: the four current colours from the cell under every new pixel; `picked` runs after
// each pick.
class PickTool : public CanvasTool {
 public:
  PickTool(TEditorSession& session, TViewState& view, std::function<void()> picked);
  void Press(tinto::PixelPoint pixel, tinto::ModifierState modifiers) override;
  void Drag(tinto::PixelPoint pixel, tinto::ModifierState modifiers, bool newPixel) override;

 private:
  void Pick(tinto::PixelPoint pixel);

  TEditorSession& m_session;
  TViewState& m_view;
  std::function<void()> m_picked;
};

// Mode CROSS: draws a new marquee; `pressed` runs after the press replaced the old one.
class MarqueeTool : public CanvasTool {
 public:
  MarqueeTool(CanvasSelection& selection, std::function<void()> pressed);
  void Press(tinto::PixelPoint pixel, tinto::ModifierState modifiers) override;
  void Drag(tinto::PixelPoint pixel, tinto::ModifierState modifiers, bool newPixel) override;

 private:
  CanvasSelection& m_selection;
  std::function<void()> m_pressed;
};

// Modes MOVE (`carriesPixels`: a floating copy of the pixels moves) and MOVESEL (the marquee
// only).
class MoveTool : public CanvasTool {
 public:
  MoveTool(CanvasSelection& selection, bool carriesPixels);
  void Press(tinto::PixelPoint pixel, tinto::ModifierState modifiers) override;
  void Drag(tinto::PixelPoint pixel, tinto::ModifierState modifiers, bool newPixel) override;
  bool DragsSelection() const override { return true; }

 private:
  CanvasSelection& m_selection;
  bool m_carriesPixels;
};

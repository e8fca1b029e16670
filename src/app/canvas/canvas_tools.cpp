#include "app/canvas/canvas_tools.h"

#include "app/canvas/canvas_area.h"
#include "app/canvas/canvas_selection.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "app/widgets/kel_image.h"
#include "core/model/pick_colors.h"
#include "core/model/renderer.h"

using tinto::ModifierState;
using tinto::PixelPoint;

PencilTool::PencilTool(TEditorSession& session, const TViewState& view, const TCanvasArea& canvas,
                       CanvasPreviews previews)
    : m_session(session), m_view(view), m_canvas(canvas), m_previews(previews) {}

void PencilTool::Press(PixelPoint pixel, ModifierState) { Plot(pixel); }

void PencilTool::Drag(PixelPoint pixel, ModifierState, bool newPixel) {
  if (newPixel) Plot(pixel);
}

void PencilTool::Plot(PixelPoint pixel) {
  m_session.BeginChange(tinto::ChangeKind::Stroke);
  tinto::PencilOptions options;
  options.frame = m_view.EditedFrame();
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
void PencilTool::RepaintBlocks(tinto::PixelRect written) {
  if (written.Empty()) return;
  const QRect blocks(QPoint(written.x1 & ~7, written.y1 & ~7),
                     QPoint(((written.x2 + 7) & ~7) - 1, ((written.y2 + 7) & ~7) - 1));
  const int m = m_view.Magnification();
  m_canvas.FrameImage(m_view.EditedFrame())
      ->repaint(QRect(blocks.topLeft() * m, blocks.size() * m));
  (m_view.ShowsFirstImages() ? m_previews.first : m_previews.second)->repaint(blocks);
}

PickTool::PickTool(TEditorSession& session, TViewState& view, std::function<void()> picked)
    : m_session(session), m_view(view), m_picked(std::move(picked)) {}

void PickTool::Press(PixelPoint pixel, ModifierState) { Pick(pixel); }

void PickTool::Drag(PixelPoint pixel, ModifierState, bool newPixel) {
  if (newPixel) Pick(pixel);
}

void PickTool::Pick(PixelPoint pixel) {
  const tinto::CurrentColors colors = tinto::PickColors(m_session.Screen(), pixel.x, pixel.y);
  m_view.SetInk1(colors.ink1);
  m_view.SetPaper1(colors.paper1);
  m_view.SetInk2(colors.ink2);
  m_view.SetPaper2(colors.paper2);
  m_picked();
}

MarqueeTool::MarqueeTool(CanvasSelection& selection, std::function<void()> pressed)
    : m_selection(selection), m_pressed(std::move(pressed)) {}

void MarqueeTool::Press(PixelPoint pixel, ModifierState modifiers) {
  m_selection.MarqueePress(pixel, modifiers);
  m_pressed();
}

void MarqueeTool::Drag(PixelPoint pixel, ModifierState modifiers, bool) {
  m_selection.MarqueeDrag(pixel, modifiers);
}

MoveTool::MoveTool(CanvasSelection& selection, bool carriesPixels)
    : m_selection(selection), m_carriesPixels(carriesPixels) {}

void MoveTool::Press(PixelPoint pixel, ModifierState modifiers) {
  m_selection.DragPress(pixel, modifiers, m_carriesPixels);
}

void MoveTool::Drag(PixelPoint pixel, ModifierState modifiers, bool) {
  m_selection.DragMove(pixel, modifiers);
}

#include "app/editor/view_state.h"

#include "core/model/pencil.h"
#include "core/model/pointer_mapping.h"
#include "core/model/screen_buffers.h"

namespace {

constexpr int kInkMask = tinto::kInkBits | tinto::kBrightBit;
constexpr int kPaperMask = tinto::kPaperBits | tinto::kBrightBit;

std::uint8_t Masked(int color, int mask) { return static_cast<std::uint8_t>(color & mask); }

}  // namespace

void TViewState::SetEditedFrame(int frame) {
  Store(m_editedFrame, frame == 0 ? 0 : 1, ViewSetting::EditedFrame);
}

void TViewState::SetMagnification(int factor) {
  Store(m_magnification, tinto::kMagnificationRange.Clamp(factor), ViewSetting::Magnification);
}

void TViewState::SetDrawMode(tinto::DrawMode mode) {
  Store(m_drawMode, mode, ViewSetting::DrawMode);
}

void TViewState::SetGrid(bool on) { Store(m_grid, on, ViewSetting::Grid); }

void TViewState::SetTool(tinto::ToolButton tool) {
  if (tool == tinto::ToolButton::None) return;
  Store(m_tool, tool, ViewSetting::Tool);
}

void TViewState::SetPencilSize(int size) {
  Store(m_pencilSize, tinto::kPencilSizeRange.Clamp(size), ViewSetting::PencilSize);
}

void TViewState::SetInk1(int ink) { Store(m_ink1, Masked(ink, kInkMask), ViewSetting::Colors); }
void TViewState::SetPaper1(int paper) {
  Store(m_paper1, Masked(paper, kPaperMask), ViewSetting::Colors);
}
void TViewState::SetInk2(int ink) { Store(m_ink2, Masked(ink, kInkMask), ViewSetting::Colors); }
void TViewState::SetPaper2(int paper) {
  Store(m_paper2, Masked(paper, kPaperMask), ViewSetting::Colors);
}

void TViewState::SetBright(bool on) { Store(m_bright, on, ViewSetting::Bright); }
void TViewState::SetTransparent(bool on) { Store(m_transparent, on, ViewSetting::Transparent); }
void TViewState::SetAttributes(bool on) { Store(m_attributes, on, ViewSetting::Attributes); }
void TViewState::SetNoFlic(bool on) { Store(m_noFlic, on, ViewSetting::NoFlic); }
void TViewState::SetMasterNoFlic(bool on) { Store(m_masterNoFlic, on, ViewSetting::MasterNoFlic); }
void TViewState::SetVSync(bool on) { Store(m_vSync, on, ViewSetting::VSync); }

#pragma once
// Which behaviour the canvas has under the pointer, and the cursor it shows for it.

#include "core/model/modifier_state.h"
#include "core/model/pointer_mapping.h"
#include "core/model/selection.h"
#include "core/model/tool_button.h"

namespace tinto {

// The values are the cursor ids the modes are registered under; CROSS is the system cross.
enum class PointerMode : int {
  Pencil = 101,   // "PENCIL"
  Pick = 102,     // "PICK"
  Move = 103,     // "MOVE": drag a floating copy of the selection
  MoveSel = 104,  // "MOVESEL": drag the selection frame only
  Cross = -3,     // draw a new selection
};

struct PointerModeInputs {
  ModifierState modifiers = 0;
  ToolButton tool = ToolButton::Pencil;
  SelectionRecord selection;                   // the marquee
  PixelPoint pixel;                            // the picture pixel under the pointer
  PointerMode previous = PointerMode::Pencil;  // the mode now in force
};

// Alt gives PICK; with the marquee tool, MOVE (Ctrl held) or MOVESEL over an active selection
// (edges included), else CROSS; the pencil, pick and move tools give their own mode; the brush,
// or no tool, keeps the previous mode.
PointerMode ChoosePointerMode(const PointerModeInputs& inputs);

}  // namespace tinto

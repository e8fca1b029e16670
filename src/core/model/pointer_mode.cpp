#include "core/model/pointer_mode.h"

namespace tinto {

PointerMode ChoosePointerMode(const PointerModeInputs& inputs) {
  if (inputs.modifiers & kAltHeld) return PointerMode::Pick;
  switch (inputs.tool) {
    case ToolButton::Marque:
      if (!inputs.selection.active || !inputs.selection.Contains(inputs.pixel))
        return PointerMode::Cross;
      return (inputs.modifiers & kCtrlHeld) ? PointerMode::Move : PointerMode::MoveSel;
    case ToolButton::Pencil:
      return PointerMode::Pencil;
    case ToolButton::Pick:
      return PointerMode::Pick;
    case ToolButton::Move:
      return PointerMode::Move;
    case ToolButton::Brush:
    case ToolButton::None:
      break;
  }
  return inputs.previous;
}

}  // namespace tinto

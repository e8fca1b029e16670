#pragma once
// The main window's modifier state: one byte taken from the shift state of the latest key-down
// or key-up event. The canvas tools read these bits, never the mouse event's own.

#include <cstdint>

namespace tinto {

using ModifierState = std::uint8_t;

constexpr ModifierState kShiftHeld = 1;
constexpr ModifierState kAltHeld = 2;
constexpr ModifierState kCtrlHeld = 4;

}  // namespace tinto

#pragma once
// The canvas's modifier state: one byte taken from the shift state of the latest mouse event
// over the canvas, key event in the main window, or activation of the main window.

#include <cstdint>

namespace tinto {

using ModifierState = std::uint8_t;

constexpr ModifierState kShiftHeld = 1;
constexpr ModifierState kAltHeld = 2;
constexpr ModifierState kCtrlHeld = 4;

}  // namespace tinto

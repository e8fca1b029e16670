#pragma once
// The tool buttons of the main window's tool palette: the one name for a tool everywhere, from
// the settings file to the canvas's pointer mode.

#include <optional>

namespace tinto {

// The tool button that is down, coded as the settings file stores it; None when no button is
// down.
enum class ToolButton : int { None = -1, Marque = 0, Brush = 1, Pencil = 2, Pick = 3, Move = 4 };
inline constexpr int kToolButtonCount = 5;

// The settings code of a button: 0..4, or -1 for None.
constexpr int ToolButtonCode(ToolButton tool) { return static_cast<int>(tool); }

// The button a settings code names; nothing for a code outside 0..4.
constexpr std::optional<ToolButton> ToolButtonFromCode(int code) {
  if (code < 0 || code >= kToolButtonCount) return std::nullopt;
  return static_cast<ToolButton>(code);
}

}  // namespace tinto

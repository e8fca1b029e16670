#pragma once
// The main window's share of the settings file: read while the window is created, written
// once when a close is confirmed. The view state and the picture geometry are read and written
// here; what belongs to the window itself travels in MainWindowSettings, which the window
// applies after the read and fills before the write.

#include <QRect>
#include <functional>
#include <optional>
#include <string>

#include "core/format/ini_file.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

class TViewState;

// Writes one window's section of the settings file; returns the first failure.
using SettingsSectionWriter = std::function<tinto::Status(tinto::IniFile&)>;

struct MainWindowSettings {
  bool skinEnabled = true;
  // As stored: relative to the program's folder when it lies inside it.
  std::string skinFileName;
  // Client rectangle in the normal state; on reading, its value on entry is the default.
  QRect bounds;
  // Bounds are written only in the normal state: they are not known while minimized,
  // maximized or full screen.
  bool normalState = true;
  bool maximized = false;
  bool colorPanelRolledUp = false;
  int timerInterval = 5;  // 0..65535 ms
  // Only written when present: the open dialog's tree state.
  std::optional<bool> openTreeRolledUp;
  bool saveTreeRolledUp = false;
  // The session's undo: the step history, or the single snapshot.
  bool undoHistory = false;
};

// Reads every main-window key in the file's order. The view state and `geometry` take their
// values at once, so the handlers of the controls showing them run as each one is applied;
// values the controls clamp are clamped, and an MLT window that reaches past DX is clamped
// into the picture.
void LoadMainSettings(const tinto::IniFile& ini, TViewState& view, tinto::ScreenGeometry& geometry,
                      MainWindowSettings& window);

// Writes every main-window key in the file's order (bounds only while not maximized);
// stops at the first failure, which it returns.
tinto::Status SaveMainSettings(tinto::IniFile& ini, const TViewState& view,
                               const tinto::ScreenGeometry& geometry,
                               const MainWindowSettings& window);

// `skinFileName` made relative to `programDir` when it starts with it (letter case counting);
// empty when `programDir` followed by that result names no existing file.
std::string StoredSkinName(const std::string& skinFileName, const std::string& programDir);

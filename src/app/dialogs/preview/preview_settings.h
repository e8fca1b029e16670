#pragma once
// The preview window's share of the settings file, section "Preview": read while the window is
// created, written by the main window's close pass after every other section.

#include <QRect>

#include "core/format/ini_file.h"
#include "core/status.h"

struct PreviewSettings {
  int magnify = 4;  // the spin edit clamps it to 1..20
  bool noFlic = false;
  bool maximized = false;
  // Client rectangle in the normal state; on reading, its value on entry is the default.
  QRect bounds;
  // Bounds are written only in the normal state: maximized or full screen, they are not the
  // ones the window returns to.
  bool normalState = true;
};

// Reads Magnify, No Flic, Maximized, Left, Top, Width, Height.
void LoadPreviewSettings(const tinto::IniFile& ini, PreviewSettings& settings);

// Writes the keys in that order (the bounds only in the normal state); stops at the first
// failure, which it returns.
tinto::Status SavePreviewSettings(tinto::IniFile& ini, const PreviewSettings& settings);

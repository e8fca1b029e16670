#pragma once
// The Import Expert's section "Import" of the settings file: read while the dialog is created,
// written by the main window's close pass. The values are as stored; the dialog's controls
// clamp them to their ranges when they are applied.
//
// A threshold key that is missing (LR, LG, LB, HTH, Contrast, HR, HG, HB) reads as the
// command-line converter's default, so that a newcomer's first import shows a picture: the
// stored-file defaults (256 and 270) would switch every channel off. A key that is present is
// read as it stands, with the stored-file default when it does not parse.

#include <QRect>

#include "core/format/ini_file.h"
#include "core/status.h"

struct ImportSettings {
  int LR = 96, LG = 96, LB = 96;
  int HTH = 128;
  int Contrast = 2;
  int HR = 160, HG = 160, HB = 160;
  bool lowLink = true;
  bool hiLink = true;
  bool realTime = true;
  bool stretch = false;
  int mltWidth = 32;  // stored under the key "DX"
  int DY = 192;
  int magnify = 4;
  bool dither = true;
  // Client rectangle; on reading, its value on entry is the default of each missing key.
  QRect bounds;
  bool tinto8x2 = false;
};

// Reads every key of the section in the file's order; `current` gives the bounds of missing
// position and size keys.
ImportSettings ReadImportSettings(const tinto::IniFile& ini, const QRect& current);

// Writes every key of the section in the file's order, the bounds always; stops at the first
// failure, which it returns.
tinto::Status WriteImportSettings(tinto::IniFile& ini, const ImportSettings& settings);

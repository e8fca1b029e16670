#pragma once
// The Import Expert's section "Import" of the settings file: read while the dialog is created,
// written by the main window's close pass. The options' keys follow the option table (see
// import_section.h: a missing threshold key reads as the option's default, so that a newcomer's
// first import shows a picture); the dialog keeps its "Link" boxes, "Realtime", the
// magnification and its bounds beside them. Values are as stored: the dialog's controls clamp
// them when they are applied.

#include <QRect>

#include "core/format/ini_file.h"
#include "core/import/import_options.h"
#include "core/status.h"

struct ImportSettings {
  // The stored options; the others as the dialog had them.
  tinto::ImportOptions options;
  bool lowLink = true;
  bool hiLink = true;
  bool realTime = true;
  int magnify = 4;
  // Client rectangle; on reading, its value on entry is the default of each missing key.
  QRect bounds;
};

// Reads every key of the section; `current` gives the options without a key and the bounds of
// missing position and size keys.
ImportSettings ReadImportSettings(const tinto::IniFile& ini, const tinto::ImportOptions& current,
                                  const QRect& currentBounds);

// Writes every key of the section in the file's order, the bounds always; stops at the first
// failure, which it returns.
tinto::Status WriteImportSettings(tinto::IniFile& ini, const ImportSettings& settings);

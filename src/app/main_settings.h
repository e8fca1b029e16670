#pragma once
// The main window's share of "TintoEditor.ini": read once while the window is created, and
// written in one pass when a close goes ahead. Each value is applied to its control as a user
// change would be, so the control clamps it and its handler runs.

#include <string>

#include "core/format/ini_file.h"
#include "core/status.h"

class TMainForm;

// Skin, Main (but VSync and Static), Colors, Size and the Save dialog's tree panel state, in
// that order. Missing keys and text that does not parse give the keys' defaults.
void LoadMainSettings(TMainForm& form, const tinto::IniFile& ini);

// Writes every key of the windows that exist, in the file's order, and stops at the first key
// that cannot be written; the error names the settings file.
tinto::Status SaveMainSettings(TMainForm& form, tinto::IniFile& ini);

// `skinFileName` made relative to `programDir` when it starts with it (letter case counting);
// empty when `programDir` followed by that result names no existing file.
std::string StoredSkinName(const std::string& skinFileName, const std::string& programDir);

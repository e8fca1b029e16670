#pragma once
// A window's bounds as the settings file keeps them: four integer keys (left, top, width,
// height) of one section, holding the client rectangle in the normal state.

#include <QRect>
#include <array>

#include "core/format/settings_keys.h"

using BoundsKeys = std::array<tinto::SettingKey, 4>;  // left, top, width, height

inline constexpr BoundsKeys kMainBounds{tinto::setting::kMainLeft, tinto::setting::kMainTop,
                                        tinto::setting::kMainWidth, tinto::setting::kMainHeight};
inline constexpr BoundsKeys kPreviewBounds{
    tinto::setting::kPreviewLeft, tinto::setting::kPreviewTop, tinto::setting::kPreviewWidth,
    tinto::setting::kPreviewHeight};

// Each missing or unreadable key keeps its part of `current`. Values beyond any screen are
// clamped (positions to ±16384, sizes to 1..16384), so a garbage value never asks the window
// system for an impossible window.
QRect ReadWindowBounds(const tinto::IniFile& ini, const BoundsKeys& keys, const QRect& current);

void WriteWindowBounds(tinto::SettingsWriter& out, const BoundsKeys& keys, const QRect& bounds);

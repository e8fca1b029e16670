#include "app/dialogs/preview/preview_settings.h"

#include "app/editor/window_bounds_settings.h"
#include "core/format/settings_keys.h"

namespace setting = tinto::setting;

void LoadPreviewSettings(const tinto::IniFile& ini, PreviewSettings& settings) {
  settings.magnify = tinto::ReadSetting(ini, setting::kPreviewMagnify);
  settings.noFlic = tinto::ReadSettingBool(ini, setting::kPreviewNoFlic);
  settings.maximized = tinto::ReadSettingBool(ini, setting::kPreviewMaximized);
  settings.bounds = ReadWindowBounds(ini, kPreviewBounds, settings.bounds);
}

tinto::Status SavePreviewSettings(tinto::IniFile& ini, const PreviewSettings& settings) {
  tinto::SettingsWriter out(ini);
  out.Int(setting::kPreviewMagnify, settings.magnify);
  out.Bool(setting::kPreviewNoFlic, settings.noFlic);
  out.Bool(setting::kPreviewMaximized, settings.maximized);
  if (settings.normalState) WriteWindowBounds(out, kPreviewBounds, settings.bounds);
  return out.Result();
}

#include "app/dialogs/import/import_settings.h"

#include <algorithm>

#include "core/format/settings_keys.h"
#include "core/session/import_section.h"

namespace setting = tinto::setting;

namespace {

// As the main window's bounds: a garbage value must not ask for an impossible window.
constexpr int kMaxPosition = 16384;
constexpr int kMaxSize = 16384;

QRect ReadBounds(const tinto::IniFile& ini, const QRect& current) {
  const auto read = [&ini](const tinto::SettingKey& key, int value, int min, int max) {
    return std::clamp(tinto::ReadSetting(ini, key, value), min, max);
  };
  const int left = read(setting::kImportLeft, current.x(), -kMaxPosition, kMaxPosition);
  const int top = read(setting::kImportTop, current.y(), -kMaxPosition, kMaxPosition);
  const int width = read(setting::kImportWidth, current.width(), 1, kMaxSize);
  const int height = read(setting::kImportHeight, current.height(), 1, kMaxSize);
  return QRect(left, top, width, height);
}

}  // namespace

ImportSettings ReadImportSettings(const tinto::IniFile& ini, const tinto::ImportOptions& current,
                                  const QRect& currentBounds) {
  ImportSettings s;
  s.options = tinto::ReadImportOptionKeys(ini, current);
  s.lowLink = tinto::ReadSettingBool(ini, setting::kImportLowLink);
  s.hiLink = tinto::ReadSettingBool(ini, setting::kImportHiLink);
  s.realTime = tinto::ReadSettingBool(ini, setting::kImportRealTime);
  s.magnify = tinto::ReadSetting(ini, setting::kImportMagnify);
  s.bounds = ReadBounds(ini, currentBounds);
  return s;
}

// The dialog's keys take their places among the options' keys as the file has always had them:
// after the thresholds, after "DY" and at the end of the Part's keys.
tinto::Status WriteImportSettings(tinto::IniFile& ini, const ImportSettings& s) {
  const tinto::DialogKey dialogKeys[] = {
      {&setting::kImportLowLink, 8, s.lowLink},
      {&setting::kImportHiLink, 9, s.hiLink},
      {&setting::kImportRealTime, 10, s.realTime},
      {&setting::kImportMagnify, 14, s.magnify},
      {&setting::kImportLeft, 17, s.bounds.x()},
      {&setting::kImportTop, 18, s.bounds.y()},
      {&setting::kImportWidth, 19, s.bounds.width()},
      {&setting::kImportHeight, 20, s.bounds.height()},
  };
  return tinto::WriteImportSection(ini, s.options, dialogKeys);
}

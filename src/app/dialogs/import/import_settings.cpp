#include "app/dialogs/import/import_settings.h"

#include <algorithm>

#include "core/format/settings_keys.h"

namespace setting = tinto::setting;

namespace {

// As the main window's bounds: a garbage value must not ask for an impossible window.
constexpr int kMaxPosition = 16384;
constexpr int kMaxSize = 16384;

int ReadThreshold(const tinto::IniFile& ini, const tinto::SettingKey& key, int whenMissing) {
  if (!ini.HasKey(key.section, key.key)) return whenMissing;
  return tinto::ReadSetting(ini, key);
}

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

ImportSettings ReadImportSettings(const tinto::IniFile& ini, const QRect& current) {
  const ImportSettings mended;
  ImportSettings s;
  s.LR = ReadThreshold(ini, setting::kImportLR, mended.LR);
  s.LG = ReadThreshold(ini, setting::kImportLG, mended.LG);
  s.LB = ReadThreshold(ini, setting::kImportLB, mended.LB);
  s.HTH = ReadThreshold(ini, setting::kImportHTH, mended.HTH);
  s.Contrast = ReadThreshold(ini, setting::kImportContrast, mended.Contrast);
  s.HR = ReadThreshold(ini, setting::kImportHR, mended.HR);
  s.HG = ReadThreshold(ini, setting::kImportHG, mended.HG);
  s.HB = ReadThreshold(ini, setting::kImportHB, mended.HB);
  s.lowLink = tinto::ReadSettingBool(ini, setting::kImportLowLink);
  s.hiLink = tinto::ReadSettingBool(ini, setting::kImportHiLink);
  s.realTime = tinto::ReadSettingBool(ini, setting::kImportRealTime);
  s.stretch = tinto::ReadSettingBool(ini, setting::kImportStretch);
  s.mltWidth = tinto::ReadSetting(ini, setting::kImportDX);
  s.DY = tinto::ReadSetting(ini, setting::kImportDY);
  s.magnify = tinto::ReadSetting(ini, setting::kImportMagnify);
  s.dither = tinto::ReadSettingBool(ini, setting::kImportDither);
  s.bounds = ReadBounds(ini, current);
  s.tinto8x2 = tinto::ReadSettingBool(ini, setting::kImportTinto8x2);
  return s;
}

tinto::Status WriteImportSettings(tinto::IniFile& ini, const ImportSettings& s) {
  tinto::SettingsWriter out(ini);
  out.Int(setting::kImportLR, s.LR);
  out.Int(setting::kImportLG, s.LG);
  out.Int(setting::kImportLB, s.LB);
  out.Int(setting::kImportHTH, s.HTH);
  out.Int(setting::kImportContrast, s.Contrast);
  out.Int(setting::kImportHR, s.HR);
  out.Int(setting::kImportHG, s.HG);
  out.Int(setting::kImportHB, s.HB);
  out.Bool(setting::kImportLowLink, s.lowLink);
  out.Bool(setting::kImportHiLink, s.hiLink);
  out.Bool(setting::kImportRealTime, s.realTime);
  out.Bool(setting::kImportStretch, s.stretch);
  out.Int(setting::kImportDX, s.mltWidth);
  out.Int(setting::kImportDY, s.DY);
  out.Int(setting::kImportMagnify, s.magnify);
  out.Bool(setting::kImportDither, s.dither);
  out.Bool(setting::kImportTinto8x2, s.tinto8x2);
  out.Int(setting::kImportLeft, s.bounds.x());
  out.Int(setting::kImportTop, s.bounds.y());
  out.Int(setting::kImportWidth, s.bounds.width());
  out.Int(setting::kImportHeight, s.bounds.height());
  return out.Result();
}

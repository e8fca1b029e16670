#include "app/editor/window_bounds_settings.h"

#include <algorithm>

namespace {

constexpr int kMaxPosition = 16384;
constexpr int kMaxSize = 16384;

int ReadClamped(const tinto::IniFile& ini, const tinto::SettingKey& key, int current, int low,
                int high) {
  return std::clamp(tinto::ReadSetting(ini, key, current), low, high);
}

}  // namespace

QRect ReadWindowBounds(const tinto::IniFile& ini, const BoundsKeys& keys, const QRect& current) {
  const int left = ReadClamped(ini, keys[0], current.x(), -kMaxPosition, kMaxPosition);
  const int top = ReadClamped(ini, keys[1], current.y(), -kMaxPosition, kMaxPosition);
  const int width = ReadClamped(ini, keys[2], current.width(), 1, kMaxSize);
  const int height = ReadClamped(ini, keys[3], current.height(), 1, kMaxSize);
  return QRect(left, top, width, height);
}

void WriteWindowBounds(tinto::SettingsWriter& out, const BoundsKeys& keys, const QRect& bounds) {
  out.Int(keys[0], bounds.x());
  out.Int(keys[1], bounds.y());
  out.Int(keys[2], bounds.width());
  out.Int(keys[3], bounds.height());
}

#include "core/format/settings_keys.h"

#include <array>
#include <cassert>

namespace tinto {
namespace {

using namespace setting;

// The order of a full write pass, which is also the order of a new file's lines. Main/Static
// is missing on purpose: it is read but never written.
constexpr std::array kWritePass{
    kSkinEnabled,     kSkinName,

    kMainLeft,        kMainTop,         kMainWidth,        kMainHeight,        kMainMaximized,
    kMainColorPanel,  kMainGrid,        kMainScreen,       kMainDrawMode,      kMainMagnify,
    kMainVSync,       kMainBright,      kMainTransparent,  kMainUseAttributes, kMainTimerInterval,
    kMainTool,        kMainPencilSize,  kMainUndoHistory,

    kColorsInk1,      kColorsInk2,      kColorsPaper1,     kColorsPaper2,

    kSizeDX,          kSizeDY,          kSizeMltLeft,      kSizeMltWidth,

    kDialogsOpenTree, kDialogsSaveTree,

    kImportLowLink,   kImportHiLink,    kImportRealTime,   kImportMagnify,     kImportLeft,
    kImportTop,       kImportWidth,     kImportHeight,

    kPreviewMagnify,  kPreviewNoFlic,   kPreviewMaximized, kPreviewLeft,       kPreviewTop,
    kPreviewWidth,    kPreviewHeight,
};

}  // namespace

std::span<const SettingKey> AllSettingKeys() { return kWritePass; }

int ReadSetting(const IniFile& ini, const SettingKey& key, int current) {
  assert(key.type != SettingType::String);
  return ini.ReadInteger(key.section, key.key, key.defaultIsCurrent ? current : key.defaultValue);
}

bool ReadSettingBool(const IniFile& ini, const SettingKey& key) {
  assert(key.type == SettingType::Boolean);
  return ini.ReadBool(key.section, key.key, key.defaultValue != 0);
}

std::string ReadSettingString(const IniFile& ini, const SettingKey& key) {
  assert(key.type == SettingType::String);
  return ini.ReadString(key.section, key.key, "");
}

Status WriteSetting(IniFile& ini, const SettingKey& key, int value) {
  assert(key.type != SettingType::String);
  return ini.WriteInteger(key.section, key.key, value);
}

Status WriteSettingBool(IniFile& ini, const SettingKey& key, bool value) {
  assert(key.type == SettingType::Boolean);
  return ini.WriteBool(key.section, key.key, value);
}

Status WriteSettingString(IniFile& ini, const SettingKey& key, const std::string& value) {
  assert(key.type == SettingType::String);
  return ini.WriteString(key.section, key.key, value);
}

void SettingsWriter::Int(const SettingKey& key, int value) {
  if (m_status) m_status = WriteSetting(m_ini, key, value);
}

void SettingsWriter::Bool(const SettingKey& key, bool value) {
  if (m_status) m_status = WriteSettingBool(m_ini, key, value);
}

void SettingsWriter::String(const SettingKey& key, const std::string& value) {
  if (m_status) m_status = WriteSettingString(m_ini, key, value);
}

}  // namespace tinto

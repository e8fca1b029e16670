#pragma once
// Every key of "TintoEditor.ini" in one table: section, key, type and default. Keys whose
// default is "the current value" (window bounds) have no default of their own: read them with
// IniFile::HasKey first, or pass the current value as the fallback.

#include <span>
#include <string>

#include "core/format/ini_file.h"

namespace tinto {

inline constexpr const char* kSettingsFileName = "TintoEditor.ini";

enum class SettingType { Integer, Boolean, String };

struct SettingKey {
  const char* section;
  const char* key;
  SettingType type;
  int defaultValue;       // integers and booleans (0/1)
  bool defaultIsCurrent;  // true for window bounds: no fixed default
};

namespace setting {
// Skin
inline constexpr SettingKey kSkinEnabled{"Skin", "Enabled", SettingType::Boolean, 1, false};
inline constexpr SettingKey kSkinName{"Skin", "Name", SettingType::String, 0, false};
// Main
inline constexpr SettingKey kMainLeft{"Main", "Left", SettingType::Integer, 0, true};
inline constexpr SettingKey kMainTop{"Main", "Top", SettingType::Integer, 0, true};
inline constexpr SettingKey kMainWidth{"Main", "Width", SettingType::Integer, 0, true};
inline constexpr SettingKey kMainHeight{"Main", "Height", SettingType::Integer, 0, true};
inline constexpr SettingKey kMainMaximized{"Main", "Maximized", SettingType::Boolean, 0, false};
inline constexpr SettingKey kMainColorPanel{"Main", "ColorPanel", SettingType::Boolean, 0, false};
inline constexpr SettingKey kMainGrid{"Main", "Grid", SettingType::Boolean, 1, false};
inline constexpr SettingKey kMainScreen{"Main", "Screen", SettingType::Integer, 0, false};
inline constexpr SettingKey kMainDrawMode{"Main", "Draw Mode", SettingType::Integer, 1, false};
inline constexpr SettingKey kMainMagnify{"Main", "Magnify", SettingType::Integer, 4, false};
inline constexpr SettingKey kMainVSync{"Main", "VSync", SettingType::Boolean, 1, false};
inline constexpr SettingKey kMainStatic{"Main", "Static", SettingType::Boolean, 1, false};
inline constexpr SettingKey kMainBright{"Main", "Bright", SettingType::Boolean, 1, false};
inline constexpr SettingKey kMainTransparent{"Main", "Transparent", SettingType::Boolean, 1, false};
inline constexpr SettingKey kMainUseAttributes{"Main", "Use Attributes", SettingType::Boolean, 1,
                                               false};
inline constexpr SettingKey kMainTimerInterval{"Main", "Timer Interval", SettingType::Integer, 5,
                                               false};
inline constexpr SettingKey kMainPencilSize{"Main", "Pencil Size", SettingType::Integer, 1, false};
inline constexpr SettingKey kMainTool{"Main", "Tool", SettingType::Integer, 2, false};
inline constexpr SettingKey kMainUndoHistory{"Main", "UndoHistory", SettingType::Boolean, 0, false};
// Colors
inline constexpr SettingKey kColorsInk1{"Colors", "Ink 1", SettingType::Integer, 71, false};
inline constexpr SettingKey kColorsInk2{"Colors", "Ink 2", SettingType::Integer, 71, false};
inline constexpr SettingKey kColorsPaper1{"Colors", "Paper 1", SettingType::Integer, 0, false};
inline constexpr SettingKey kColorsPaper2{"Colors", "Paper 2", SettingType::Integer, 0, false};
// Size
inline constexpr SettingKey kSizeDX{"Size", "DX", SettingType::Integer, 32, false};
inline constexpr SettingKey kSizeDY{"Size", "DY", SettingType::Integer, 192, false};
inline constexpr SettingKey kSizeMltLeft{"Size", "MLT Left", SettingType::Integer, 0, false};
inline constexpr SettingKey kSizeMltWidth{"Size", "MLT Width", SettingType::Integer, 18, false};
// Dialogs
inline constexpr SettingKey kDialogsOpenTree{"Dialogs", "Open TreePanelState", SettingType::Boolean,
                                             0, false};
inline constexpr SettingKey kDialogsSaveTree{"Dialogs", "Save TreePanelState", SettingType::Boolean,
                                             0, false};
// Import: the dialog's own keys; the options' keys are in import_option_table.h
inline constexpr SettingKey kImportLowLink{"Import", "Low Link", SettingType::Boolean, 1, false};
inline constexpr SettingKey kImportHiLink{"Import", "Hi Link", SettingType::Boolean, 1, false};
inline constexpr SettingKey kImportRealTime{"Import", "RealTime", SettingType::Boolean, 1, false};
inline constexpr SettingKey kImportMagnify{"Import", "Magnify", SettingType::Integer, 4, false};
inline constexpr SettingKey kImportLeft{"Import", "Left", SettingType::Integer, 0, true};
inline constexpr SettingKey kImportTop{"Import", "Top", SettingType::Integer, 0, true};
inline constexpr SettingKey kImportWidth{"Import", "Width", SettingType::Integer, 0, true};
inline constexpr SettingKey kImportHeight{"Import", "Height", SettingType::Integer, 0, true};
// Preview
inline constexpr SettingKey kPreviewMagnify{"Preview", "Magnify", SettingType::Integer, 4, false};
inline constexpr SettingKey kPreviewNoFlic{"Preview", "No Flic", SettingType::Boolean, 0, false};
inline constexpr SettingKey kPreviewMaximized{"Preview", "Maximized", SettingType::Boolean, 0,
                                              false};
inline constexpr SettingKey kPreviewLeft{"Preview", "Left", SettingType::Integer, 0, true};
inline constexpr SettingKey kPreviewTop{"Preview", "Top", SettingType::Integer, 0, true};
inline constexpr SettingKey kPreviewWidth{"Preview", "Width", SettingType::Integer, 0, true};
inline constexpr SettingKey kPreviewHeight{"Preview", "Height", SettingType::Integer, 0, true};
}  // namespace setting

// Every key a full write pass stores, in that order (the order of a new file's lines): all of
// the above except kMainStatic, which is read but never written. The keys of the import options
// are not here: the option table declares them (import_option_table.h), and section "Import"
// is written by WriteImportSection (import_section.h).
std::span<const SettingKey> AllSettingKeys();

// Typed reads with the key's own default; `current` serves keys whose default is the current
// value. A string key's default is empty.
int ReadSetting(const IniFile& ini, const SettingKey& key, int current = 0);
bool ReadSettingBool(const IniFile& ini, const SettingKey& key);
std::string ReadSettingString(const IniFile& ini, const SettingKey& key);

Status WriteSetting(IniFile& ini, const SettingKey& key, int value);
Status WriteSettingBool(IniFile& ini, const SettingKey& key, bool value);
Status WriteSettingString(IniFile& ini, const SettingKey& key, const std::string& value);

// A write pass: writes keys one by one until the first failure; later writes are skipped and
// Result() holds that failure.
class SettingsWriter {
 public:
  explicit SettingsWriter(IniFile& ini) : m_ini(ini) {}

  void Int(const SettingKey& key, int value);
  void Bool(const SettingKey& key, bool value);
  void String(const SettingKey& key, const std::string& value);
  const Status& Result() const { return m_status; }

 private:
  IniFile& m_ini;
  Status m_status = Status::Ok();
};

}  // namespace tinto

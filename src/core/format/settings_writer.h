#pragma once
// A write pass over the settings file that stops at the first key it cannot write: later keys
// are skipped and keep their old values, and Result() names the failure.

#include <string>

#include "core/format/settings_keys.h"

namespace tinto {

class SettingsWriter {
 public:
  explicit SettingsWriter(IniFile& ini) : m_ini(ini) {}

  void Int(const SettingKey& key, int value) {
    if (m_status) m_status = WriteSetting(m_ini, key, value);
  }
  void Bool(const SettingKey& key, bool value) {
    if (m_status) m_status = WriteSettingBool(m_ini, key, value);
  }
  void String(const SettingKey& key, const std::string& value) {
    if (m_status) m_status = WriteSettingString(m_ini, key, value);
  }
  const Status& Result() const { return m_status; }

 private:
  IniFile& m_ini;
  Status m_status = Status::Ok();
};

}  // namespace tinto

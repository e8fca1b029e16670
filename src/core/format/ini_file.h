#pragma once
// A private-profile settings file: "[Section]" header lines followed by "Key=Value" lines.
// Section and key names match without regard to ASCII letter case. Every read and every write
// goes to the file itself, one key at a time, with no cache. A key written for the first time
// goes at the end of its section, a new section at the end of the file; every line the module
// does not understand (comments, blank lines, other keys, garbage) is kept as it was.
// A write replaces the file through a temporary file and a rename, so a failed write never
// leaves a damaged file behind.

#include <string>
#include <string_view>

#include "core/status.h"

namespace tinto {

class IniFile {
 public:
  explicit IniFile(std::string path) : m_path(std::move(path)) {}
  const std::string& Path() const { return m_path; }

  // The stored text cut to 2047 characters, or `fallback` when the file, section or key is
  // missing. With duplicate sections or keys the first occurrence counts.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Decimal text, or hexadecimal after "0x"/"0X" when the text is longer than 2 characters;
  // anything that does not parse as an int gives `fallback`.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // An integer read whose fallback is 1 or 0; any non-zero value is true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  // Whether the key is present (for keys whose default is "the current value").
  bool HasKey(std::string_view section, std::string_view key) const;

  // On failure: "Unable to write to <path>"; the file keeps its previous content.
  Status WriteString(std::string_view section, std::string_view key, std::string_view value);
  Status WriteInteger(std::string_view section, std::string_view key, int value);
  Status WriteBool(std::string_view section, std::string_view key, bool value);

 private:
  std::string m_path;
};

// The running executable's folder with a trailing separator; empty when it cannot be found.
std::string ProgramDir();

// Where "TintoEditor.ini" is read and written: in `programDir` when that folder is writable
// (or already holds a writable settings file), otherwise in the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config), so an installed program keeps working.
std::string SettingsFilePath(const std::string& programDir);

}  // namespace tinto

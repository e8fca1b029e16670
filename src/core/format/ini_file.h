#pragma once
// A private-profile settings file: "[Section]" header lines followed by "Key=Value" lines.
// Section and key names match without regard to ASCII letter case. Every read and every write
// goes to the file itself, one key at a time, with no cache. A key written for the first time
// goes at the end of its section, a new section at the end of the file; every line the module
// does not understand (comments, blank lines, other keys, garbage) is kept as it was.
// A write replaces the file through a temporary file and a rename, so a failed write never
// leaves a damaged file behind; a write that changes nothing does not touch the file.
// WriteAtOnce gathers many writes into one such replacement.
// The text rules (lines, names, comments, duplicates) are those of ini_text.h. A path that is
// not a regular file, cannot be read or is larger than 16 MiB reads as a missing file and
// refuses writes.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/status.h"

namespace tinto {

class IniFile {
 public:
  explicit IniFile(std::string path) : m_path(std::move(path)) {}
  const std::string& Path() const { return m_path; }

  // The stored text, trimmed, cut at a NUL byte and to 2047 bytes (the reader's 2048-byte
  // buffer), or `fallback` when the file, section or key is missing. With duplicate sections
  // or keys the first occurrence counts.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Decimal text, or hexadecimal after "0x"/"0X" when the text is longer than 2 characters;
  // anything that does not parse as an int as a whole ("12abc", "", out of range) gives
  // `fallback` (see ParseIniInteger).
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // An integer read whose fallback is 1 or 0; any non-zero value is true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  // Whether the key is present (for keys whose default is "the current value").
  bool HasKey(std::string_view section, std::string_view key) const;

  // On failure: "Unable to write to <full path>"; the file keeps its previous content.
  // A missing file is created. CR, LF and NUL bytes are dropped from a value, so it stays
  // on one line; a section or key name that would not read back as itself (empty, with a line
  // break, "]" in a section, "=" in a key; see ini_text.h) fails the same way.
  Status WriteString(std::string_view section, std::string_view key, std::string_view value);
  Status WriteInteger(std::string_view section, std::string_view key, int value);
  Status WriteBool(std::string_view section, std::string_view key, bool value);

  // Runs `writes` with every write of this object kept in memory (reads see them), then
  // replaces the file once. The writes made before one that fails are still stored, as they
  // would be one at a time, and that failure is returned; so is a failed replacement, which
  // leaves the file as it was. Not reentrant.
  Status WriteAtOnce(const std::function<Status(IniFile&)>& writes);

 private:
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  Status Failure() const;

  std::string m_path;
  // The file's text with the writes made so far, while WriteAtOnce runs.
  std::optional<std::string> m_pending;
};

// The running executable's folder with a trailing separator; empty when it cannot be found.
std::string ProgramDir();

// Whether the user may create files in `folder` (an installed program's folder is not).
bool IsWritableFolder(const std::filesystem::path& folder);

// Where "TintoEditor.ini" is read and written: in `programDir` when that folder exists and is
// writable (writes replace the file through a new file in its folder, so a writable file in a
// read-only folder would not do), otherwise in the user's configuration folder
// ($XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config), which is created when
// missing, so an installed program keeps working.
std::string SettingsFilePath(const std::string& programDir);

}  // namespace tinto

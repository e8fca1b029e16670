#pragma once
// The bytes of a private-profile file, without any file access: finding one key and setting
// one key while every other byte stays as it was.
//
// Lines end with LF or CR LF; a UTF-8 byte order mark before the first line is ignored.
// A line whose first non-blank character is "[" and that holds a "]" is a section header
// naming the text between them; a line starting with ";" is a comment; a line with "=" after a
// non-empty name is a key line; any other line (garbage, "[" without "]") is kept and ignored.
// Names and values are trimmed of blanks (space, tab, CR, VT, FF) and names match without
// regard to ASCII letter case. With duplicate sections or keys the first one counts: a key
// that only occurs in a later copy of its section is not found there.

#include <optional>
#include <string>
#include <string_view>

namespace tinto {

// The trimmed value of `key` in the first section named `section`, or nullopt. The view
// points into `text`.
std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key);

// Whether a name, once trimmed, would be read back as itself: non-empty, free of CR, LF and
// NUL, and, for a section, without "]"; for a key, without "=" and not starting with "[" or ";".
bool IsValidIniSectionName(std::string_view section);
bool IsValidIniKeyName(std::string_view key);

// `value` without CR, LF and NUL bytes, so that a written value cannot start a new line.
std::string SanitizeIniValue(std::string_view value);

// `text` with `key` of `section` set to `value` (names must be valid, `value` sanitized).
// An existing key keeps everything up to its value's first byte; a new key goes after the
// last key line of the first matching section, a new section to the end of the text after a
// blank line. Added lines end like the text's first line (LF when it has none); a last line
// without a line end gets one before anything is added after it.
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

// Integer text: when longer than 2 characters and starting with "0x" or "0X", hexadecimal
// digits; otherwise an optional "+" or "-" and decimal digits. Leading zeros are allowed
// ("010" is 10). Text with anything else in it ("12abc", "1 2", "0x") or a value outside
// the range of int gives nullopt.
std::optional<int> ParseIniInteger(std::string_view text);

}  // namespace tinto

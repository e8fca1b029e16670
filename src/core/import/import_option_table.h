#pragma once
// Every import option described once: its name, range, default, settings key, `tinto convert`
// flag, captions and where the Import Expert shows it. The dialog builds its sliders, size
// fields, check boxes and drop-downs from it, the status bar its value labels, the settings pass
// its keys of section "Import", the tool its flags and their help, and "Auto" its search; a new
// option is a field of ImportOptions (with its default) and one row here.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/import/import_options.h"

namespace tinto {

enum class OptionKind {
  Integer,  // a number within `range`, in steps of 10^-decimals ("0.35" is 35 with 2 decimals)
  Boolean,  // on or off: 1 or 0
  Choice,   // one of the names ChoiceName gives for 0..range.max
};

// Which conversion reads the option; the dialog greys out what the chosen method ignores.
enum class OptionUse { Both, Classic, Perceptual };

// Where the Import Expert shows the option: a slider of the column (in `group`), a size field of
// the tool bar, a check box or drop-down of the bottom row, or not at all.
enum class OptionPlace { Sliders, ToolBar, BottomRow, Nowhere };

// What "Auto" does with the option (auto_options.h).
enum class AutoRole {
  Kept,         // left as the user set it
  Frame0Level,  // moved together with the other frame-0 levels, later on its own
  Frame1Level,  // likewise for frame 1
  Level,        // moved on its own
  EveryValue,   // every value tried after each round of moves
  Seeded,       // set by the search's starting points only
};

// The option's key in section "Import" of the settings file.
struct OptionKey {
  const char* name = nullptr;  // none: not stored
  // The key's place among the section's lines: the file lists the section's keys in this order,
  // the dialog's own keys (import_settings.h) at 8-10, 14 and 17-20.
  int order = 0;
  int unreadable = 0;  // what a key that does not parse reads as (Integer, Boolean)
  // A missing key reads as the option's default, else as `unreadable`.
  bool missingTakesDefault = true;
};

// The option's value label in the dialog's status bar: "Red 1: 096".
struct OptionStatusLabel {
  const char* name = nullptr;  // object name; none: no label
  const char* caption = nullptr;
  int order = 0;      // from the left
  int gapBefore = 0;  // pixels from the previous label's left (the first: from the bar's left)
};

// Reads and writes of one field of ImportOptions as an int (bool and enum fields too).
struct OptionField {
  int (*get)(const ImportOptions&) = nullptr;
  void (*set)(ImportOptions&, int) = nullptr;
};

template <auto Member>
constexpr OptionField FieldOf() {
  using Field = std::remove_cvref_t<decltype(ImportOptions{}.*Member)>;
  return {[](const ImportOptions& options) { return static_cast<int>(options.*Member); },
          [](ImportOptions& options, int value) {
            if constexpr (std::is_same_v<Field, bool>)
              options.*Member = value != 0;
            else
              options.*Member = static_cast<Field>(value);
          }};
}

struct ImportOptionRow {
  std::string_view name{};  // the control's design name, its object name in the dialog
  OptionKind kind = OptionKind::Integer;
  IntRange range{0, 1};
  OptionField field{};
  OptionKey key{};
  std::string_view flag{};     // `tinto convert --flag`; a Boolean also takes --no-flag
  std::string_view help{};     // its description in `tinto convert --help`
  std::string_view caption{};  // on the check box, or the label before the field
  std::string_view hint{};     // tooltip
  OptionUse use = OptionUse::Both;
  OptionPlace place = OptionPlace::Nowhere;
  bool waitsForPicture = false;  // the dialog greys it out until a picture is loaded
  int group = 0;  // sliders: 0 "Scr 1", 1 between, 2 "Scr 2"; a later group goes right of them
  AutoRole autoRole = AutoRole::Kept;
  OptionStatusLabel status{};
  int decimals = 0;
  std::string_view (*choiceName)(int index) = nullptr;

  int Get(const ImportOptions& options) const { return field.get(options); }
  void Set(ImportOptions& options, int value) const { field.set(options, value); }
  int Default() const { return Get(ImportOptions{}); }
  // Whether the method `method` reads this option.
  bool UsedBy(ImportMethod method) const;
};

// In the order the dialog lays the options out and the tool's help lists them.
std::span<const ImportOptionRow> ImportOptionTable();
// The row of that name, or null.
const ImportOptionRow* FindImportOption(std::string_view name);

// The value as the tool, the help and the settings file write it: a number ("96", "0.35"),
// "on"/"off" for a Boolean, the name of a Choice.
std::string OptionValueText(const ImportOptionRow& row, int value);
// A value the tool was given: a number (whole, or with up to `decimals` places; clamped to the
// range), or a Choice's name in any letter case. nullopt when it is neither.
std::optional<int> ParseOptionValue(const ImportOptionRow& row, std::string_view text);
// "Classic or Perceptual": what a Choice accepts.
std::string ChoiceNames(const ImportOptionRow& row);

}  // namespace tinto

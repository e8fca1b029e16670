#include "core/import/import_option_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tinto {
namespace {

using enum OptionKind;
using enum OptionUse;
using enum OptionPlace;
using enum AutoRole;

std::string_view MethodName(int index) {
  return ImportMethodName(static_cast<ImportMethod>(index));
}
std::string_view FilterName(int index) {
  return kResampleFilters[static_cast<std::size_t>(index)].name;
}

// clang-format off
// A threshold slider of the classic conversion; Auto moves it with its frame's other levels.
template <auto Member>
constexpr ImportOptionRow Threshold(std::string_view name, std::string_view flag,
                                    std::string_view help, OptionKey key, int group, AutoRole role,
                                    OptionStatusLabel status) {
  return {.name = name, .kind = Integer, .range = {0, 255}, .field = FieldOf<Member>(),
          .key = key, .flag = flag, .help = help, .use = Classic, .place = Sliders,
          .waitsForPicture = true, .group = group, .autoRole = role, .status = status};
}

// The stored defaults of the threshold keys (256 for screen 1, 270 for screen 2, 256 for
// Contrast) switch every channel off, so a missing key reads as the option's default instead; a
// key that does not parse still reads as the stored default, which the range clamps.
constexpr ImportOptionRow kRows[] = {
    Threshold<&ImportOptions::LR>("LR", "lr", "screen 1 red threshold", {"LR", 0, 256}, 0,
                                  Frame0Level, {"lbR1", "Red 1: ", 0, 15}),
    Threshold<&ImportOptions::LG>("LG", "lg", "screen 1 green threshold", {"LG", 1, 256}, 0,
                                  Frame0Level, {"lbG1", "Grn 1: ", 1, 65}),
    Threshold<&ImportOptions::LB>("LB", "lb", "screen 1 blue threshold", {"LB", 2, 256}, 0,
                                  Frame0Level, {"lbB1", "Blu 1: ", 2, 65}),
    {.name = "HTH", .kind = Integer, .range = {1, 256}, .field = FieldOf<&ImportOptions::HTH>(),
     .key = {"HTH", 3, 170}, .flag = "hth", .help = "half threshold / brightness",
     .hint = "Half TresHold", .use = Classic, .place = Sliders, .waitsForPicture = true,
     .group = 1, .autoRole = Level, .status = {"lbBrightness", "Brightness: ", 6, 100}},
    {.name = "Contrast", .kind = Integer, .range = {0, 4},
     .field = FieldOf<&ImportOptions::Contrast>(), .key = {"Contrast", 4, 256},
     .flag = "contrast", .help = "contrast of the dither", .hint = "Contrast", .use = Classic,
     .place = Sliders, .waitsForPicture = true, .group = 1, .autoRole = EveryValue,
     .status = {"lbContrast", "Contrast: ", 7, 100}},
    Threshold<&ImportOptions::HR>("HR", "hr", "screen 2 red threshold", {"HR", 5, 270}, 2,
                                  Frame1Level, {"lbR2", "Red 2: ", 3, 100}),
    Threshold<&ImportOptions::HG>("HG", "hg", "screen 2 green threshold", {"HG", 6, 270}, 2,
                                  Frame1Level, {"lbG2", "Grn 2: ", 4, 65}),
    Threshold<&ImportOptions::HB>("HB", "hb", "screen 2 blue threshold", {"HB", 7, 270}, 2,
                                  Frame1Level, {"lbB2", "Blu 2: ", 5, 65}),
    {.name = "DX", .kind = Integer, .range = kDxRange, .field = FieldOf<&ImportOptions::DX>(),
     .flag = "dx", .help = "width in columns", .caption = "Total Width:", .hint = "DX Size",
     .place = ToolBar},
    {.name = "DY", .kind = Integer, .range = kDyRange, .field = FieldOf<&ImportOptions::DY>(),
     .key = {"DY", 13, 192, false}, .flag = "dy", .help = "height in rows", .caption = "DY:",
     .place = ToolBar},
    // The key "DX" holds the MLT width.
    {.name = "MLTWidth", .kind = Integer, .range = kMltWidthRange,
     .field = FieldOf<&ImportOptions::MLTWidth>(), .key = {"DX", 12, 32, false},
     .flag = "mlt-width", .help = "8x1 columns", .caption = "Width MLT:", .place = ToolBar},
    {.name = "MLTLeft", .kind = Integer, .range = kMltLeftRange,
     .field = FieldOf<&ImportOptions::MLTLeft>(), .flag = "mlt-left",
     .help = "first 8x1 column", .caption = "Left MLT:", .place = ToolBar},
    // A new settings file starts the dialog without "Stretch"; the tool stretches by default.
    {.name = "CBStretch", .kind = Boolean, .field = FieldOf<&ImportOptions::Stretch>(),
     .key = {"Stretch", 11, 0, false}, .flag = "stretch",
     .help = "resample to DX*8 x DY first; off: DX and DY follow the picture",
     .caption = "Stretch", .place = BottomRow, .waitsForPicture = true},
    {.name = "Filters", .kind = Choice, .range = {0, int(kResampleFilters.size()) - 1},
     .field = FieldOf<&ImportOptions::Filter>(), .flag = "filter", .help = "resampling filter",
     .hint = "Filter", .place = BottomRow, .waitsForPicture = true, .choiceName = FilterName},
    {.name = "Method", .kind = Choice, .range = {0, 1},
     .field = FieldOf<&ImportOptions::Method>(), .key = {"Method", 21}, .flag = "method",
     .help = "conversion method", .hint = "Method", .place = BottomRow,
     .waitsForPicture = true, .choiceName = MethodName},
    // The dialog has no room for it; the tool alone sets it.
    {.name = "FlickerWeight", .kind = Integer, .range = {0, 100},
     .field = FieldOf<&ImportOptions::FlickerWeight>(), .flag = "flicker-weight",
     .help = "perceptual method only: how much steadier frames count against the accuracy "
             "of the mix (0: the mix alone)",
     .use = Perceptual, .decimals = 2},
    {.name = "CBDither", .kind = Boolean, .field = FieldOf<&ImportOptions::Dither>(),
     .key = {"Dither", 15, 1, false}, .flag = "dither",
     .help = "ordered dither; off: the plain 8x1 fit", .caption = "Dither", .use = Classic,
     .place = BottomRow, .waitsForPicture = true},
    {.name = "Bright", .kind = Boolean, .field = FieldOf<&ImportOptions::Bright>(),
     .flag = "bright", .help = "decide bright per cell", .caption = "Bright", .use = Classic,
     .place = BottomRow, .autoRole = Seeded},
    {.name = "TintoMode", .kind = Boolean, .field = FieldOf<&ImportOptions::TintoMode>(),
     .key = {"Tinto 8x2", 16, 0, false}, .flag = "tinto8x2",
     .help = "8x2 cells over the whole width; off: 8x1 + 8x8",
     .caption = "Tinto 8x2 Full Screen", .place = BottomRow},
};
// clang-format on

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

int PowerOfTen(int exponent) {
  int power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  return power;
}

// A decimal number with at most `decimals` places, in steps of 10^-decimals.
std::optional<long long> ParseSteps(std::string_view text, int decimals) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
  if (static_cast<int>(fraction.size()) > decimals) return std::nullopt;
  const bool negative = whole.starts_with('-');
  const std::string_view digits = negative ? whole.substr(1) : whole;
  if (digits.empty() && fraction.empty()) return std::nullopt;
  long long steps = 0;
  for (std::string_view part : {digits, fraction})
    for (char c : part) {
      if (c < '0' || c > '9' || steps > (1LL << 40)) return std::nullopt;
      steps = steps * 10 + (c - '0');
    }
  for (std::size_t i = fraction.size(); i < static_cast<std::size_t>(decimals); ++i) steps *= 10;
  return negative ? -steps : steps;
}

}  // namespace

bool ImportOptionRow::UsedBy(ImportMethod method) const {
  if (use == OptionUse::Both) return true;
  return (use == OptionUse::Classic) == (method == ImportMethod::Classic);
}

std::span<const ImportOptionRow> ImportOptionTable() { return kRows; }

const ImportOptionRow* FindImportOption(std::string_view name) {
  for (const ImportOptionRow& row : kRows)
    if (row.name == name) return &row;
  return nullptr;
}

std::string OptionValueText(const ImportOptionRow& row, int value) {
  if (row.kind == Boolean) return value != 0 ? "on" : "off";
  if (row.kind == Choice) return std::string(row.choiceName(row.range.Clamp(value)));
  if (row.decimals == 0) return std::to_string(value);
  const int scale = PowerOfTen(row.decimals);
  std::string fraction = std::to_string(std::abs(value % scale));
  fraction.insert(0, static_cast<std::size_t>(row.decimals) - fraction.size(), '0');
  // Built by appending: gcc 12 at -O3 warns falsely about a literal + a temporary string.
  std::string text = value < 0 ? "-" : "";
  text += std::to_string(std::abs(value / scale));
  text += '.';
  return text += fraction;
}

std::optional<int> ParseOptionValue(const ImportOptionRow& row, std::string_view text) {
  if (row.kind == Choice) {
    for (int index = 0; index <= row.range.max; ++index)
      if (SameLetters(text, row.choiceName(index))) return index;
    return std::nullopt;
  }
  const std::optional<long long> steps = ParseSteps(text, row.kind == Integer ? row.decimals : 0);
  if (!steps) return std::nullopt;
  return static_cast<int>(std::clamp<long long>(*steps, row.range.min, row.range.max));
}

std::string ChoiceNames(const ImportOptionRow& row) {
  std::string names;
  for (int index = 0; index <= row.range.max; ++index) {
    if (index > 0) names += index == row.range.max ? " or " : ", ";
    names += row.choiceName(index);
  }
  return names;
}

}  // namespace tinto

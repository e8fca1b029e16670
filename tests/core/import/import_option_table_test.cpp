#include "core/import/import_option_table.h"

#include <set>

#include "support/test_common.h"

namespace tinto {
namespace {

// Every number and choice below and above its range, by hand: thresholds 0..255, HTH 1..256,
// Contrast 0..4, the seven filters, the two methods, DX 1..32, DY 1..192, MLT Left 0..31,
// Width 1..18 and the flicker weight 0..100 hundredths; then the MLT window pulled into DX (31 + 18
// into 32 gives 14 + 18, 5 + 18 into 10 gives 0 + 10).
TEST(ImportOptions, FittingClampsEveryOptionAndPullsTheWindowIntoDx) {
  const auto all = [](int value) {
    ImportOptions options;
    for (const ImportOptionRow& row : ImportOptionTable())
      if (row.kind != OptionKind::Boolean) row.Set(options, value);
    return options;
  };
  // clang-format off
  const ImportOptions lowest{.Method = ImportMethod::Classic, .LR = 0, .LG = 0, .LB = 0, .HR = 0,
      .HG = 0, .HB = 0, .HTH = 1, .Contrast = 0, .Filter = 0, .DX = 1, .DY = 1, .MLTLeft = 0,
      .MLTWidth = 1, .FlickerWeight = 0};
  const ImportOptions highest{.Method = ImportMethod::Perceptual, .LR = 255, .LG = 255,
      .LB = 255, .HR = 255, .HG = 255, .HB = 255, .HTH = 256, .Contrast = 4, .Filter = 6,
      .DX = 32, .DY = 192, .MLTLeft = 14, .MLTWidth = 18, .FlickerWeight = 100};
  // clang-format on
  EXPECT_EQ(*FitImportOptions(all(-500)), lowest);
  EXPECT_EQ(*FitImportOptions(all(999)), highest);
  const FittedImportOptions window = FitImportOptions({.DX = 10, .MLTLeft = 5, .MLTWidth = 18});
  EXPECT_EQ(std::pair(window->MLTLeft, window->MLTWidth), std::pair(0, 10));
}

// A made-up option in hundredths, as a weight from 0 to 1 would be.
constexpr ImportOptionRow kHundredths{.name = "Weight",
                                      .kind = OptionKind::Integer,
                                      .range = {0, 100},
                                      .field = FieldOf<&ImportOptions::HTH>(),
                                      .decimals = 2};

TEST(ImportOptionTable, ReadsValuesAsTheToolTakesThemAndWritesThemBack) {
  const ImportOptionRow& lr = *FindImportOption("LR");
  const ImportOptionRow& method = *FindImportOption("Method");
  const ImportOptionRow& filters = *FindImportOption("Filters");
  const std::tuple<const ImportOptionRow&, const char*, std::optional<int>> cases[] = {
      {lr, "300", 255},
      {lr, "-4", 0},
      {lr, "+7", 7},
      {lr, "7.5", {}},
      {lr, "", {}},
      {lr, "0x10", {}},
      {lr, "99999999999999", {}},
      {method, "perceptual", 1},
      {method, "CLASSIC", 0},
      {method, "fancy", {}},
      {filters, "lanczos3", 5},
      {kHundredths, "0.35", 35},
      {kHundredths, ".5", 50},
      {kHundredths, "1", 100},
      {kHundredths, "0.355", {}},
      {kHundredths, "-", {}},
  };
  for (const auto& [row, text, value] : cases)
    EXPECT_EQ(ParseOptionValue(row, text), value) << text;
  EXPECT_EQ(OptionValueText(kHundredths, 5), "0.05");
  EXPECT_EQ(OptionValueText(kHundredths, 100), "1.00");
  EXPECT_EQ(OptionValueText(method, 1), "Perceptual");
  EXPECT_EQ(ChoiceNames(method), "Classic or Perceptual");
  EXPECT_EQ(OptionValueText(*FindImportOption("CBDither"), 1), "on");
}

// What makes a new row safe to add: one name, flag, key and key place each (the dialog's own
// keys take places 8-10, 14 and 17-20), a default within its range.
TEST(ImportOptionTable, NamesFlagsAndKeysAreEachUsedOnce) {
  std::set<std::string_view> names, flags, keys;
  std::set<int> orders = {8, 9, 10, 14, 17, 18, 19, 20};
  for (const ImportOptionRow& row : ImportOptionTable()) {
    EXPECT_TRUE(names.insert(row.name).second &&
                (row.flag.empty() || flags.insert(row.flag).second))
        << row.name;
    EXPECT_EQ(row.range.Clamp(row.Default()), row.Default()) << row.name;
    EXPECT_TRUE(row.key.name == nullptr ||
                (keys.insert(row.key.name).second && orders.insert(row.key.order).second))
        << row.name;
  }
}

}  // namespace
}  // namespace tinto

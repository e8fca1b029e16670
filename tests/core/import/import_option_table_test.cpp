#include "core/import/import_option_table.h"

#include <set>

#include "support/test_common.h"

namespace tinto {
namespace {

// Every option below, above and inside its range; the MLT window then pulled into DX (31 + 18
// into 32 gives 14 + 18).
TEST(ImportOptions, FittingClampsEveryOptionAndPullsTheWindowIntoDx) {
  // clang-format off
  const ImportOptions low{.Method = ImportMethod(-3), .LR = -500, .LG = -500, .LB = -500,
      .HR = -500, .HG = -500, .HB = -500, .HTH = -500, .Contrast = -500, .Filter = -500,
      .DX = -500, .DY = -500, .MLTLeft = -500, .MLTWidth = -500};
  const ImportOptions high{.Method = ImportMethod(9), .LR = 999, .LG = 999, .LB = 999,
      .HR = 999, .HG = 999, .HB = 999, .HTH = 999, .Contrast = 999, .Filter = 999,
      .DX = 999, .DY = 999, .MLTLeft = 999, .MLTWidth = 999};
  const ImportOptions lowest{.Method = ImportMethod::Classic, .LR = 0, .LG = 0, .LB = 0,
      .HR = 0, .HG = 0, .HB = 0, .HTH = 1, .Contrast = 0, .Filter = 0,
      .DX = 1, .DY = 1, .MLTLeft = 0, .MLTWidth = 1};
  const ImportOptions highest{.Method = ImportMethod::Perceptual, .LR = 255, .LG = 255,
      .LB = 255, .HR = 255, .HG = 255, .HB = 255, .HTH = 256, .Contrast = 4, .Filter = 6,
      .DX = 32, .DY = 192, .MLTLeft = 14, .MLTWidth = 18};
  // clang-format on
  EXPECT_EQ(*FitImportOptions(low), lowest);
  EXPECT_EQ(*FitImportOptions(high), highest);
  EXPECT_EQ(*FitImportOptions(highest), highest);
  const ImportOptions window{.DX = 10, .MLTLeft = 5, .MLTWidth = 18};
  EXPECT_EQ(std::pair(FitImportOptions(window)->MLTLeft, FitImportOptions(window)->MLTWidth),
            std::pair(0, 10));
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
  const struct {
    const ImportOptionRow& row;
    const char* text;
    std::optional<int> value;
  } cases[] = {
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
  for (const auto& c : cases) EXPECT_EQ(ParseOptionValue(c.row, c.text), c.value) << c.text;
  EXPECT_EQ(OptionValueText(kHundredths, 5), "0.05");
  EXPECT_EQ(OptionValueText(kHundredths, 100), "1.00");
  EXPECT_EQ(OptionValueText(method, 1), "Perceptual");
  EXPECT_EQ(ChoiceNames(method), "Classic or Perceptual");
  EXPECT_EQ(OptionValueText(*FindImportOption("CBDither"), 1), "on");
}

// What makes a new row safe to add: one name, flag, key and key place each, a default within its
// range, status labels numbered from the left without gaps.
TEST(ImportOptionTable, NamesFlagsAndKeysAreEachUsedOnce) {
  std::set<std::string_view> names, flags, keys;
  std::set<int> orders, labels;
  int labelCount = 0;
  for (const ImportOptionRow& row : ImportOptionTable()) {
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
    EXPECT_TRUE(row.flag.empty() || flags.insert(row.flag).second) << row.name;
    EXPECT_EQ(row.range.Clamp(row.Default()), row.Default()) << row.name;
    EXPECT_EQ(row.kind == OptionKind::Choice, row.choiceName != nullptr) << row.name;
    if (row.key.name != nullptr) {
      EXPECT_TRUE(keys.insert(row.key.name).second) << row.name;
      EXPECT_TRUE(orders.insert(row.key.order).second) << row.name;
    }
    if (row.status.name != nullptr) labels.insert(row.status.order), ++labelCount;
  }
  // The dialog's own keys take these places.
  for (int order : {8, 9, 10, 14, 17, 18, 19, 20}) EXPECT_FALSE(orders.contains(order)) << order;
  EXPECT_EQ(static_cast<int>(labels.size()), labelCount);
  EXPECT_TRUE(labels.empty() || *labels.rbegin() == labelCount - 1);
}

}  // namespace
}  // namespace tinto

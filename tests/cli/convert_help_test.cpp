// `tinto convert --help` against the option table and the keys the settings file has always had.

#include "cli/tool_run.h"
#include "core/import/import_option_table.h"

namespace tinto::cli {
namespace {

// Each option's help, its continuation lines joined, by the flag that starts it.
std::map<std::string, std::string> HelpByFlag() {
  const ToolRun run = RunCli({"convert", "--help"});
  EXPECT_EQ(run.status, 0);
  std::map<std::string, std::string> entries;
  std::istringstream lines(run.out);
  std::string* entry = nullptr;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("  --")) {
      const std::string flag = line.substr(4, line.find(' ', 4) - 4);
      entry = &entries[flag];
      *entry = line;
    } else if (entry != nullptr && line.starts_with(std::string(28, ' '))) {
      *entry += " " + line.substr(28);
    } else {
      entry = nullptr;
    }
  }
  return entries;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ConvertHelp, ShowsEachOptionsRangeDefaultAndKeyFromTheTable) {
  const std::map<std::string, std::string> help = HelpByFlag();
  for (const ImportOptionRow& row : ImportOptionTable()) {
    if (row.flag.empty()) continue;
    const auto found = help.find(std::string(row.flag));
    ASSERT_NE(found, help.end()) << row.flag;
    const std::string& text = found->second;
    std::string values;
    if (row.kind == OptionKind::Integer)
      values = ", " + OptionValueText(row, row.range.min) + ".." +
               OptionValueText(row, row.range.max) + " ";
    if (row.kind == OptionKind::Choice) values = ChoiceNames(row);
    EXPECT_TRUE(Has(text, values)) << text;
    EXPECT_TRUE(Has(text, "(default " + OptionValueText(row, row.Default()))) << text;
    const std::string key = row.key.name ? "; key " + std::string(row.key.name) + ")" : "";
    EXPECT_EQ(Has(text, "; key "), !key.empty()) << text;
    EXPECT_TRUE(key.empty() || text.ends_with(key)) << text;
  }
}

// The tool's defaults and ranges as the README and every settings file written so far know them.
TEST(ConvertHelp, KeepsTheKnownRangesDefaultsAndKeys) {
  const std::map<std::string, std::string> help = HelpByFlag();
  const struct {
    const char* flag;
    const char* range;
    const char* origin;
  } known[] = {
      {"lr", "0..255", "(default 96; key LR)"},
      {"lg", "0..255", "(default 96; key LG)"},
      {"lb", "0..255", "(default 96; key LB)"},
      {"hth", "1..256", "(default 128; key HTH)"},
      {"contrast", "0..4", "(default 2; key Contrast)"},
      {"hr", "0..255", "(default 160; key HR)"},
      {"hg", "0..255", "(default 160; key HG)"},
      {"hb", "0..255", "(default 160; key HB)"},
      {"dx", "1..32", "(default 32)"},
      {"dy", "1..192", "(default 192; key DY)"},
      {"mlt-width", "1..18", "(default 18; key DX)"},
      {"mlt-left", "0..31", "(default 0)"},
      {"stretch", "", "(default on; key Stretch)"},
      {"dither", "", "(default on; key Dither)"},
      {"bright", "", "(default off)"},
      {"tinto8x2", "", "(default off; key Tinto 8x2)"},
      {"method", "Classic or Perceptual", "(default Classic; key Method)"},
      {"filter", "Lanczos3 or Mitchell", "(default Lanczos3)"},
  };
  for (const auto& option : known) {
    ASSERT_TRUE(help.contains(option.flag)) << option.flag;
    const std::string& text = help.at(option.flag);
    EXPECT_TRUE(Has(text, option.range) && text.ends_with(option.origin)) << text;
  }
}

}  // namespace
}  // namespace tinto::cli

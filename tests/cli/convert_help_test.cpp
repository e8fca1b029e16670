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
      entry->append(" ").append(line, 28);
    } else {
      entry = nullptr;
    }
  }
  return entries;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Each flag of the option table has its help line, with the row's values range, default and key;
// the values are those the README and every settings file written so far know.
TEST(ConvertHelp, ShowsEachOptionsRangeDefaultAndKeyFromTheTable) {
  const std::map<std::string, std::string> help = HelpByFlag();
  for (const ImportOptionRow& row : ImportOptionTable()) {
    if (row.flag.empty()) continue;
    ASSERT_TRUE(help.contains(std::string(row.flag))) << row.flag;
    const std::string& text = help.at(std::string(row.flag));
    std::string values = row.kind == OptionKind::Choice ? ChoiceNames(row) : "";
    if (row.kind == OptionKind::Integer)
      values = ", " + OptionValueText(row, row.range.min) + ".." +
               OptionValueText(row, row.range.max) + " ";
    std::string origin = "(default " + OptionValueText(row, row.Default());
    origin += row.key.name ? "; key " + std::string(row.key.name) + ")" : ")";
    EXPECT_TRUE(Has(text, values) && text.ends_with(origin)) << text;
  }
  const std::pair<const char*, const char*> known[] = {
      {"lr", ", 0..255 (default 96; key LR)"},
      {"hth", ", 1..256 (default 128; key HTH)"},
      {"contrast", ", 0..4 (default 2; key Contrast)"},
      {"hb", ", 0..255 (default 160; key HB)"},
      {"dx", ", 1..32 (default 32)"},
      {"mlt-width", ", 1..18 (default 18; key DX)"},
      {"stretch", "(default on; key Stretch)"},
      {"tinto8x2", "(default off; key Tinto 8x2)"},
      {"method", "Classic or Perceptual (default Classic; key Method)"}};
  for (const auto& [flag, end] : known) EXPECT_TRUE(help.at(flag).ends_with(end)) << flag;
}

}  // namespace
}  // namespace tinto::cli

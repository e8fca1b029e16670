#include "core/session/import_section.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/import/import_option_table.h"

namespace tinto {
namespace {

constexpr const char* kSection = "Import";

int ReadOption(const IniFile& ini, const ImportOptionRow& row) {
  const OptionKey& key = row.key;
  if (!ini.HasKey(kSection, key.name))
    return key.missingTakesDefault ? row.Default() : key.unreadable;
  if (row.kind == OptionKind::Boolean) return ini.ReadBool(kSection, key.name, key.unreadable != 0);
  if (row.kind == OptionKind::Integer && row.decimals == 0)
    return ini.ReadInteger(kSection, key.name, key.unreadable);
  const std::string text = ini.ReadString(kSection, key.name, "");
  return ParseOptionValue(row, text).value_or(key.unreadable);
}

Status WriteOption(IniFile& ini, const ImportOptionRow& row, int value) {
  if (row.kind == OptionKind::Boolean) return ini.WriteBool(kSection, row.key.name, value != 0);
  if (row.kind == OptionKind::Integer && row.decimals == 0)
    return ini.WriteInteger(kSection, row.key.name, value);
  return ini.WriteString(kSection, row.key.name, OptionValueText(row, value));
}

}  // namespace

ImportOptions ReadImportOptionKeys(const IniFile& ini, ImportOptions options) {
  for (const ImportOptionRow& row : ImportOptionTable())
    if (row.key.name != nullptr) row.Set(options, ReadOption(ini, row));
  return options;
}

Status WriteImportSection(IniFile& ini, const ImportOptions& options,
                          std::span<const DialogKey> dialogKeys) {
  struct Line {
    int order;
    const ImportOptionRow* row;  // null: a dialog key
    const DialogKey* dialogKey;
  };
  std::vector<Line> lines;
  for (const ImportOptionRow& row : ImportOptionTable())
    if (row.key.name != nullptr) lines.push_back({row.key.order, &row, nullptr});
  for (const DialogKey& key : dialogKeys) lines.push_back({key.order, nullptr, &key});
  std::stable_sort(lines.begin(), lines.end(),
                   [](const Line& a, const Line& b) { return a.order < b.order; });
  for (const Line& line : lines) {
    const Status status = line.row != nullptr
                              ? WriteOption(ini, *line.row, line.row->Get(options))
                              : WriteSetting(ini, *line.dialogKey->key, line.dialogKey->value);
    if (!status) return status;
  }
  return Status::Ok();
}

}  // namespace tinto

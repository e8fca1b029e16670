#pragma once
// Section "Import" of the settings file: the keys of the import options (import_option_table.h)
// and the keys the dialog keeps for itself, in the section's order.

#include <span>

#include "core/format/ini_file.h"
#include "core/format/settings_keys.h"
#include "core/import/import_options.h"
#include "core/status.h"

namespace tinto {

// A key of the section that is no import option (a "Link" box, the window's bounds), with its
// place among the section's lines (OptionKey::order) and the value to write.
struct DialogKey {
  const SettingKey* key;
  int order;
  int value;
};

// `options` with every stored option read from the file. A key that does not parse reads as its
// stored default; a missing one as the option's default or the stored default (OptionKey). The
// values are as stored: fitting clamps them. Options without a key keep their value.
ImportOptions ReadImportOptionKeys(const IniFile& ini, ImportOptions options);

// Writes the keys of `options` and `dialogKeys` merged in the section's order, stopping at the
// first failure, which it returns.
Status WriteImportSection(IniFile& ini, const ImportOptions& options,
                          std::span<const DialogKey> dialogKeys);

}  // namespace tinto

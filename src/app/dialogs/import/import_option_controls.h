#pragma once
// The Import Expert's control of each option of the option table (a slider, a size field, a
// check box or a drop-down), found by the option's name, and the reads and writes of their
// values as ImportOptions. Options the dialog does not show keep the values they are given.

#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

#include "core/import/import_option_table.h"

class TOptionControls {
 public:
  // `control` shows `row`: a QSlider or QSpinBox (Integer), QCheckBox (Boolean) or QComboBox
  // (Choice) whose value is the option's.
  void Add(const tinto::ImportOptionRow& row, QWidget* control);
  // The control of the option of that name, or null.
  QWidget* Control(std::string_view name) const;

  // `options` with the value of every shown option as its control holds it.
  tinto::ImportOptions Read(tinto::ImportOptions options) const;
  // Each control that differs set to its option's value in `options`; its handler runs, as a
  // user's change would.
  void Write(const tinto::ImportOptions& options) const;
  // Each control enabled when its option is used by `method`, and a picture is loaded if it
  // waits for one; `alsoEnabled` may hold one back for a rule of the dialog's own.
  void Enable(bool loaded, tinto::ImportMethod method,
              const std::function<bool(const tinto::ImportOptionRow&)>& alsoEnabled) const;
  // `changed(row)` after a check box, drop-down or size field changed its value.
  void ConnectChanges(QObject* context,
                      const std::function<void(const tinto::ImportOptionRow&)>& changed) const;

 private:
  struct Entry {
    const tinto::ImportOptionRow* row;
    QWidget* control;
  };
  std::vector<Entry> m_entries;
};

// A check box or a drop-down for an option of the bottom row, named after it.
QWidget* MakeBottomRowControl(const tinto::ImportOptionRow& row, QWidget* parent);

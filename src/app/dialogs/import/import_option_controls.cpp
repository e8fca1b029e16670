#include "app/dialogs/import/import_option_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QSpinBox>

namespace {

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

int ValueOf(const QWidget* control) {
  if (auto* slider = qobject_cast<const QSlider*>(control)) return slider->value();
  if (auto* spin = qobject_cast<const QSpinBox*>(control)) return spin->value();
  if (auto* box = qobject_cast<const QCheckBox*>(control)) return box->isChecked() ? 1 : 0;
  return qobject_cast<const QComboBox*>(control)->currentIndex();
}

void SetValueOf(QWidget* control, int value) {
  if (auto* slider = qobject_cast<QSlider*>(control))
    slider->setValue(value);
  else if (auto* spin = qobject_cast<QSpinBox*>(control))
    spin->setValue(value);
  else if (auto* box = qobject_cast<QCheckBox*>(control))
    box->setChecked(value != 0);
  else
    qobject_cast<QComboBox*>(control)->setCurrentIndex(value);
}

}  // namespace

void TOptionControls::Add(const tinto::ImportOptionRow& row, QWidget* control) {
  m_entries.push_back({&row, control});
}

QWidget* TOptionControls::Control(std::string_view name) const {
  for (const Entry& entry : m_entries)
    if (entry.row->name == name) return entry.control;
  return nullptr;
}

tinto::ImportOptions TOptionControls::Read(tinto::ImportOptions options) const {
  for (const Entry& entry : m_entries) entry.row->Set(options, ValueOf(entry.control));
  return options;
}

void TOptionControls::Write(const tinto::ImportOptions& options) const {
  for (const Entry& entry : m_entries) {
    const int value = entry.row->Get(options);
    if (ValueOf(entry.control) != value) SetValueOf(entry.control, value);
  }
}

void TOptionControls::Enable(
    bool loaded, tinto::ImportMethod method,
    const std::function<bool(const tinto::ImportOptionRow&)>& alsoEnabled) const {
  for (const Entry& entry : m_entries) {
    const tinto::ImportOptionRow& row = *entry.row;
    entry.control->setEnabled((loaded || !row.waitsForPicture) && row.UsedBy(method) &&
                              alsoEnabled(row));
  }
}

void TOptionControls::ConnectChanges(
    QObject* context, const std::function<void(const tinto::ImportOptionRow&)>& changed) const {
  for (const Entry& entry : m_entries) {
    const tinto::ImportOptionRow* row = entry.row;
    auto report = [changed, row] { changed(*row); };
    if (auto* box = qobject_cast<QCheckBox*>(entry.control))
      QObject::connect(box, &QCheckBox::toggled, context, report);
    else if (auto* combo = qobject_cast<QComboBox*>(entry.control))
      QObject::connect(combo, &QComboBox::currentIndexChanged, context, report);
    else if (auto* spin = qobject_cast<QSpinBox*>(entry.control))
      QObject::connect(spin, &QSpinBox::valueChanged, context, report);
  }
}

QWidget* MakeBottomRowControl(const tinto::ImportOptionRow& row, QWidget* parent) {
  QWidget* control = nullptr;
  if (row.kind == tinto::OptionKind::Choice) {
    auto* combo = new QComboBox(parent);
    for (int index = 0; index <= row.range.max; ++index)
      combo->addItem(Latin1(row.choiceName(index)));
    combo->setCurrentIndex(row.Default());
    // The width follows the items, so no name is clipped.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    control = combo;
  } else {
    auto* box = new QCheckBox(Latin1(row.caption), parent);
    box->setChecked(row.Default() != 0);
    control = box;
  }
  control->setObjectName(Latin1(row.name));
  if (!row.hint.empty()) control->setToolTip(Latin1(row.hint));
  return control;
}

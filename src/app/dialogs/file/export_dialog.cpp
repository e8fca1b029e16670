#include "app/dialogs/file/export_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <array>

namespace {

constexpr std::array kFormats = {
    ExportFormat::MixPng, ExportFormat::Frame1Png, ExportFormat::Frame2Png, ExportFormat::TwoFile,
    ExportFormat::Scr1,   ExportFormat::Scr2,      ExportFormat::Img,       ExportFormat::Mg8,
    ExportFormat::Mg4,    ExportFormat::Mg2,       ExportFormat::Mg1};

// Qt's own dialog lays its rows out in a grid; the scale goes in a row below the file types.
// Without that grid the dialog has no scale box and exports at scale 1.
QSpinBox* AddScaleBox(QFileDialog& dialog, int scale) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (grid == nullptr) return nullptr;
  auto* box = new QSpinBox(&dialog);
  box->setObjectName(QStringLiteral("Scale"));
  box->setRange(1, TExportDialog::kMaxScale);
  box->setValue(scale);
  auto* label = new QLabel(QStringLiteral("&Scale:"), &dialog);
  label->setObjectName(QStringLiteral("ScaleLabel"));
  label->setBuddy(box);
  const int row = grid->rowCount();
  grid->addWidget(label, row, 0);
  grid->addWidget(box, row, 1);
  return box;
}

ExportFormat FormatOf(const QString& filter) {
  for (ExportFormat format : kFormats)
    if (TExportDialog::NameFilter(format) == filter) return format;
  return ExportFormat::MixPng;
}

}  // namespace

QString TExportDialog::NameFilter(ExportFormat format) {
  switch (format) {
    case ExportFormat::MixPng:
      return QStringLiteral("PNG, static mix (*.png)");
    case ExportFormat::Frame1Png:
      return QStringLiteral("PNG, screen 1 (*.png)");
    case ExportFormat::Frame2Png:
      return QStringLiteral("PNG, screen 2 (*.png)");
    case ExportFormat::TwoFile:
      return QStringLiteral("Two-file picture (*.od0 *.od1)");
    case ExportFormat::Scr1:
      return QStringLiteral("Screen dump, screen 1 (*.scr)");
    case ExportFormat::Scr2:
      return QStringLiteral("Screen dump, screen 2 (*.scr)");
    case ExportFormat::Img:
      return QStringLiteral("Two-screen dump (*.img)");
    case ExportFormat::Mg8:
      return QStringLiteral("Multicolour, 8x8 cells (*.mg8)");
    case ExportFormat::Mg4:
      return QStringLiteral("Multicolour, 8x4 cells (*.mg4)");
    case ExportFormat::Mg2:
      return QStringLiteral("Multicolour, 8x2 cells (*.mg2)");
    case ExportFormat::Mg1:
      break;
  }
  return QStringLiteral("Multicolour, 8x1 + 8x8 cells (*.mg1)");
}

std::optional<ExportChoice> TExportDialog::Execute() {
  QFileDialog dialog(m_parent, QString::fromLatin1(kExportDialogTitle));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList filters;
  for (ExportFormat format : kFormats) filters << NameFilter(format);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(NameFilter(m_format));
  if (!m_directory.isEmpty()) dialog.setDirectory(m_directory);
  QSpinBox* scale = AddScaleBox(dialog, m_scale);
  if (scale != nullptr) {
    // Only the PNG types have a scale: box and label grey out while another type is chosen.
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("ScaleLabel"));
    const auto follow = [&dialog, scale, label] {
      const bool scaled = IsPngFormat(FormatOf(dialog.selectedNameFilter()));
      scale->setEnabled(scaled);
      label->setEnabled(scaled);
    };
    follow();
    // The type box reports every change of type, also one made by keys or by the program.
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
      QObject::connect(types, &QComboBox::currentIndexChanged, scale, follow);
    QObject::connect(&dialog, &QFileDialog::filterSelected, scale, follow);
  }
  const bool accepted = m_runner ? m_runner(dialog) : dialog.exec() == QDialog::Accepted;
  const QStringList chosen = dialog.selectedFiles();
  if (!accepted || chosen.isEmpty()) return std::nullopt;
  m_directory = dialog.directory().absolutePath();
  m_format = FormatOf(dialog.selectedNameFilter());
  m_scale = scale != nullptr ? scale->value() : 1;
  return ExportChoice{chosen.first(), m_format, m_scale};
}

TExportDialog::Runner TExportDialog::Scripted(const QString& path, ExportFormat format, int scale) {
  return [path, format, scale](QFileDialog& dialog) {
    dialog.selectNameFilter(NameFilter(format));
    if (auto* box = dialog.findChild<QSpinBox*>(QStringLiteral("Scale"))) box->setValue(scale);
    dialog.selectFile(path);
    return true;
  };
}

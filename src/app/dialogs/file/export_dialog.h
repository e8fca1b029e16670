#pragma once
// The Export dialog: the platform's (Qt's own, non-native) save dialog titled "Export..." whose
// file types are the export formats (PNGs, the two-file picture and the screen files other
// tools read), with a "Scale" box under them for the PNG formats. It neither adds an extension
// nor asks before overwriting: the export flow does both.

#include <QString>
#include <functional>
#include <optional>

#include "app/editor/file_dialogs.h"

class QFileDialog;
class QWidget;

inline constexpr const char* kExportDialogTitle = "Export...";

class TExportDialog : public ExportFileDialog {
 public:
  // Runs a ready file dialog in place of its modal exec(); returns whether it was accepted.
  using Runner = std::function<bool(QFileDialog& dialog)>;

  static constexpr int kMaxScale = 8;

  explicit TExportDialog(QWidget* parent = nullptr) : m_parent(parent) {}

  // Null (the default) runs the dialog modally.
  void SetRunner(Runner runner) { m_runner = std::move(runner); }
  // The chosen file, format and scale; none when cancelled. The folder, format and scale of an
  // accepted run are where the next run starts.
  std::optional<ExportChoice> Execute() override;

  // The file type shown for `format`, as the dialog lists it.
  static QString NameFilter(ExportFormat format);
  // A runner that answers without showing a window: `path`, `format` and `scale` chosen.
  static Runner Scripted(const QString& path, ExportFormat format, int scale);

 private:
  QWidget* m_parent;
  Runner m_runner;
  QString m_directory;
  ExportFormat m_format = ExportFormat::MixPng;
  int m_scale = 1;
};

#pragma once
// What the document flows, the import dialog and the skin commands ask of the file dialogs.
// The dialogs themselves live above this folder and implement these; whoever creates a flow
// hands it the dialogs it runs, so that the flows never see a dialog's widgets.

#include <QString>
#include <optional>

// One run of the shared open dialog. The dialog keeps its folder, its typed name and its
// preview from run to run; a request says only what differs between the callers.
struct OpenRequest {
  QString title;
  // "description|masks|..." pairs; empty keeps the file types of the run before.
  QString filter;
  // The picture preview at the right; the picture file types then replace `filter`.
  bool showPicture = false;
  // The run starts in `startFolder` instead when the dialog was left in `replacedFolder`
  // (compared as folders); empty: where it was left.
  QString startFolder;
  QString replacedFolder;
  // The file types and the typed name are put back after the run, so that the next caller
  // finds them as it left them.
  bool restoresFilterAndName = false;
};

class OpenFileDialog {
 public:
  virtual ~OpenFileDialog() = default;

  // Runs the dialog for `request`; the chosen file's full path, none when cancelled.
  virtual std::optional<QString> Execute(const OpenRequest& request) = 0;

 protected:
  OpenFileDialog() = default;
  OpenFileDialog(const OpenFileDialog&) = default;
  OpenFileDialog& operator=(const OpenFileDialog&) = default;
};

class SaveFileDialog {
 public:
  virtual ~SaveFileDialog() = default;

  // Asks for a file name: the chosen full path as typed (no extension added), or an empty
  // string when cancelled.
  virtual QString Execute() = 0;

 protected:
  SaveFileDialog() = default;
  SaveFileDialog(const SaveFileDialog&) = default;
  SaveFileDialog& operator=(const SaveFileDialog&) = default;
};

enum class ExportFormat {
  MixPng,
  Frame1Png,
  Frame2Png,
  TwoFile,
  Scr1,  // a screen dump of screen 1
  Scr2,  // of screen 2
  Img,
  Mg8,
  Mg4,
  Mg2,
  Mg1
};

constexpr bool IsPngFormat(ExportFormat format) {
  return format == ExportFormat::MixPng || format == ExportFormat::Frame1Png ||
         format == ExportFormat::Frame2Png;
}

struct ExportChoice {
  QString path;  // as typed, full path
  ExportFormat format = ExportFormat::MixPng;
  int scale = 1;  // 1..8, PNG formats only
};

class ExportFileDialog {
 public:
  virtual ~ExportFileDialog() = default;

  // The chosen file, format and scale; none when cancelled.
  virtual std::optional<ExportChoice> Execute() = 0;

 protected:
  ExportFileDialog() = default;
  ExportFileDialog(const ExportFileDialog&) = default;
  ExportFileDialog& operator=(const ExportFileDialog&) = default;
};

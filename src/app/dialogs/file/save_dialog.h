#pragma once
// The main window's Save dialog: the platform's (Qt's own, non-native) file dialog titled
// "Save Tinto file..." with the Tinto filter, and a folder tree in a roll-up panel at its left
// in place of the places sidebar; whether that panel is rolled up is remembered by the caller
// ("Save TreePanelState"). The dialog neither adds an extension nor asks before overwriting:
// the caller does both.

#include <QString>
#include <functional>

#include "app/editor/file_dialogs.h"

class QFileDialog;
class QWidget;

inline constexpr const char* kSaveDialogTitle = "Save Tinto file...";
inline constexpr const char* kSaveDialogFilter = "Tinto Files (*.tin)|*.tin|All files (*.*)|*.*";

class TSaveDialog : public SaveFileDialog {
 public:
  // Runs a ready file dialog in place of its modal exec(); returns whether it was accepted.
  using Runner = std::function<bool(QFileDialog& dialog)>;

  // `parent` (may be null) is the dialog's parent window.
  explicit TSaveDialog(QWidget* parent = nullptr) : m_parent(parent) {}

  bool TreeRolledUp() const { return m_treeRolledUp; }
  void SetTreeRolledUp(bool rolledUp) { m_treeRolledUp = rolledUp; }
  // Null (the default) runs the dialog modally.
  void SetRunner(Runner runner) { m_runner = std::move(runner); }

  // Asks for a file name: the chosen full path as typed (no extension added), or an empty
  // string when cancelled. The folder of an accepted run is where the next run starts.
  QString Execute() override;

  // Runners that answer without showing a window: `path` chosen, or a cancel.
  static Runner ScriptedName(const QString& path);
  static Runner ScriptedCancel();

 private:
  void AddFolderPanel(QFileDialog& dialog);

  QWidget* m_parent;
  Runner m_runner;
  bool m_treeRolledUp = false;
  QString m_directory;
};

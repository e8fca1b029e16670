#pragma once
// The editor's main window: menu, geometry bar, mode bar, tool palette, editing canvas, the
// roll-up panel "Colors & Preview" and the status bar. It owns the session (the picture, its
// geometry, the document state, undo and the four display bitmaps) and the view state for the
// whole run and shows them; its display driver renders the picture and runs the flicker.
// Bars, panels and images carry their design names as object names ("SizePanel", "Panel2",
// "pnTools", "Panel3", "Panel4", "CPanel", "SB0", "Image_1", "Image_2", "Preview1",
// "Preview2"); its commands too ("CanvasController", "ExportFlow", "UndoCommands").

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/file/export_dialog.h"
#include "app/dialogs/file/open_dialog.h"
#include "app/dialogs/file/save_dialog.h"
#include "app/editor/document_window.h"
#include "app/editor/editor_session.h"
#include "app/editor/main_actions.h"
#include "app/editor/main_settings.h"
#include "app/editor/view_state.h"
#include "app/main_window/skin_commands.h"
#include "app/platform/async_timer.h"
#include "core/status.h"

class InstanceSlot;
class MessageService;
class TCanvasArea;
class TCanvasController;
class TClipboardCommands;
class TColorPanel;
class TColorsPreviewPanel;
class TDisplayDriver;
class TDocumentFlows;
class TExportFlow;
class SkinData;
class TGeometryBar;
class TModeBar;
class TStatusBar;
class TToolPalette;
class TUndoCommands;

struct MainFormOptions {
  // The program's folder with a trailing separator; empty: the running executable's.
  std::string programDir;
  // The settings file; empty: the standard place for `programDir`.
  std::string settingsPath;
  // Where messages go; null: modal message boxes over the window. Not owned.
  MessageService* messages = nullptr;
};

class TMainForm : public QMainWindow, public DocumentWindow, public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kDesignClientWidth = 606;
  static constexpr int kDesignClientHeight = 424;

  // Builds the window and runs its creation steps (FormCreate): settings are read here.
  explicit TMainForm(MainFormOptions options = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Runs the colour chooser at a global pointer position and returns its pick (low byte the
  // frame-0 colour, high byte the frame-1 colour, 65535 cancelled). The flicker stops while it
  // runs; the chooser never takes the activation from this window, so its close does what an
  // activation does: "No Flic" takes the master state at once.
  void SetColorChooser(std::function<int(QPoint globalPointer)> choose);

  // Bars and panels laid out from the current metrics (design widths with "Skin Enabled"
  // off); also run after every skin change.
  void LayoutToolbars() override;
  void LayoutColorPanel() override;

  TEditorSession& Session() { return m_session; }
  TViewState& View() { return m_view; }
  // The flicker timer of the small preview.
  TAsyncTimer& Timer();
  const TMainActions& Actions() const { return m_actions; }
  const std::string& SettingsPath() const { return m_settingsPath; }
  const std::string& ProgramDir() const override { return m_programDir; }
  const std::string& SkinFileName() const override { return m_skinFileName; }
  void SetSkinFileName(std::string name) override { m_skinFileName = std::move(name); }
  QAction* SkinEnabledAction() const override { return m_actions.SkinEnabled; }
  QWidget* SkinnedWidget() override { return this; }
  // New, Open, Save, Save As, Import and the close query's save step.
  TDocumentFlows* Flows() const { return m_flows; }
  // The clipboard commands.
  TClipboardCommands* Clipboard() const { return m_clipboard; }
  // The picture open dialog, created after this window as its child.
  void SetOpenDialog(TfrmOpen* openDialog);
  // The Save and Export dialogs the flows run.
  TSaveDialog& SaveDialog() { return m_saveDialog; }
  TExportDialog& ExportDialog() { return m_exportDialog; }
  // Shows the preview window modally; a click on the small preview runs it with the flicker
  // timer stopped and restores the display after it.
  void SetPreviewOpener(std::function<void()> open) { m_openPreview = std::move(open); }
  // Another window's share of the settings file. The close pass writes the main window's keys,
  // then calls each writer in the order they were added; the first failure stops it.
  void AddSettingsWriter(SettingsSectionWriter writer);
  TfrmOpen* OpenDialog() const override { return m_openDialog; }
  MessageService& Messages() const { return *m_messages; }
  // The skin store every window follows, and the two skin commands.
  SkinData& Skin() const { return *m_skinData; }
  TSkinCommands& SkinCommands() const { return *m_skinCommands; }
  // Shows the about box modally ("About", F1).
  void SetAboutRunner(std::function<void()> runner) { m_aboutRunner = std::move(runner); }

 protected:
  // DocumentWindow
  void PauseDisplay() override;
  void RestoreDisplay() override;
  void DropSelection() override;
  void ShowNewPicture() override;

  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWindow();
  void ConnectControls();
  void ConnectMenu();
  void ConnectView();
  TColorPanel* ColorPanel() const;
  // Re-creates the display bitmaps for the current geometry, places the images and renders.
  void LayoutImages();
  void SizeImages();
  void RefreshDisplay();
  void ShowDocumentState();
  void ShowRestoredPicture(bool geometryChanged);
  void ApplyWindowSettings(const MainWindowSettings& settings);
  void StepAsideFromOtherEditors();
  MainWindowSettings CollectWindowSettings() const;
  void FormCreate();
  bool FormCloseQuery();
  tinto::Status SaveSettings();
  void FormActivate();
  void FormDeactivate();
  void FormResize();
  void Panel4ChangeRollState();
  void GridClick();
  void Grid1Click();
  void TMagnifyChange();
  void cbAttribClick();
  void N12Click(QAction* item);
  void SetAttrMode(tinto::AttrMode mode);
  void SkinEnabledClick();

  std::string m_programDir;
  std::string m_settingsPath;
  std::unique_ptr<InstanceSlot> m_instance;
  std::unique_ptr<MessageService> m_ownMessages;
  MessageService* m_messages;
  TEditorSession m_session;
  TViewState m_view;
  TMainActions m_actions{};
  std::string m_skinFileName;
  std::function<void()> m_openPreview;
  std::vector<SettingsSectionWriter> m_settingsWriters;
  TSaveDialog m_saveDialog{this};
  TExportDialog m_exportDialog{this};
  TfrmOpen* m_openDialog = nullptr;
  SkinData* m_skinData = nullptr;
  TSkinCommands* m_skinCommands = nullptr;
  std::function<void()> m_aboutRunner;

  TGeometryBar* m_sizePanel = nullptr;
  TModeBar* m_panel2 = nullptr;
  TToolPalette* m_pnTools = nullptr;
  TStatusBar* m_sb0 = nullptr;
  TColorsPreviewPanel* m_panel4 = nullptr;
  TCanvasArea* m_panel3 = nullptr;
  TDisplayDriver* m_display = nullptr;
  TCanvasController* m_canvas = nullptr;
  TDocumentFlows* m_flows = nullptr;
  TExportFlow* m_export = nullptr;
  TClipboardCommands* m_clipboard = nullptr;
  TUndoCommands* m_undo = nullptr;
};

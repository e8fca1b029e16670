#pragma once
// The editor's main window: menu, geometry bar, mode bar, tool palette, editing canvas, the
// roll-up panel "Colors & Preview" and the status bar. It owns the session (the picture, its
// geometry, the document state, undo and the four display bitmaps) and the view
// state for the whole run, shows them, and drives the flicker of the small previews on its own
// timer.

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
class TColorForm;
class TColorPanel;
class TColorsPreviewPanel;
class TDocumentFlows;
class TExportFlow;
class SkinData;
class TGeometryBar;
class TKelImage;
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

  // The colour chooser, created after this window; it holds the master "No Flic" and "VSync"
  // options. Not owned.
  void SetColorForm(TColorForm* colorForm);

  // Bars and panels laid out from the current metrics (design widths with "Skin Enabled"
  // off); also run after every skin change.
  void LayoutToolbars() override;
  void LayoutColorPanel() override;
  // Re-creates the display bitmaps for the current geometry, places the images and renders.
  void LayoutImages();
  void SizeImages();
  // Renders the whole picture into the four bitmaps; does nothing while the window is hidden.
  void RenderScreen();
  // Repaints the visible canvas image and preview at once, then lets pending events run.
  void RefreshDisplay();
  // Re-applies the "No Flic" box: static mix, or flicker on the timer.
  void NoFlicClick();
  void TimerTimer();
  // Ticks `Grid` as a user click would: `Grid1` takes the same tick and the display refreshes.
  void SetGrid(bool ticked);

  TEditorSession& Session() { return m_session; }
  TViewState& View() { return m_view; }
  TAsyncTimer& Timer() { return m_timer; }
  const TMainActions& Actions() const { return m_actions; }
  const std::string& SettingsPath() const { return m_settingsPath; }
  const std::string& ProgramDir() const override { return m_programDir; }
  const std::string& SkinFileName() const override { return m_skinFileName; }
  void SetSkinFileName(std::string name) override { m_skinFileName = std::move(name); }
  QAction* SkinEnabledAction() const override { return m_actions.SkinEnabled; }
  QWidget* SkinnedWidget() override { return this; }
  TColorForm* ColorForm() const { return m_colorForm; }

  TGeometryBar* SizePanel() const { return m_sizePanel; }
  TModeBar* Panel2() const { return m_panel2; }
  TToolPalette* PnTools() const { return m_pnTools; }
  TStatusBar* SB0() const { return m_sb0; }
  TColorsPreviewPanel* Panel4() const { return m_panel4; }
  TColorPanel* ColorPanel() const;
  TCanvasArea* Panel3() const { return m_panel3; }
  TKelImage* Image_1() const;
  TKelImage* Image_2() const;
  TKelImage* Preview1() const;
  TKelImage* Preview2() const;
  QImage* DisplayImage(int index);  // 0 Image_1, 1 Image_2, 2 Preview1, 3 Preview2
  TCanvasController* Canvas() const { return m_canvas; }
  // New, Open, Save, Save As, Import and the close query's save step.
  TDocumentFlows* Flows() const { return m_flows; }
  // "&Export..." and the clipboard commands.
  TExportFlow* Exporter() const { return m_export; }
  TClipboardCommands* Clipboard() const { return m_clipboard; }
  // "&Undo", "&Redo" and "Undo &History".
  TUndoCommands* UndoCommands() const { return m_undo; }
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
  void RestoreDisplay() override { NoFlicClick(); }
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
  void FCClick();
  void S_1Click();
  void GridClick();
  void Grid1Click();
  void TMagnifyChange();
  void cbAttribClick();
  void N12Click(QAction* item);
  void SetAttrMode(tinto::AttrMode mode);
  void SkinEnabledClick();
  bool MasterNoFlic() const;
  bool MasterVSync() const;

  std::string m_programDir;
  std::string m_settingsPath;
  std::unique_ptr<InstanceSlot> m_instance;
  std::unique_ptr<MessageService> m_ownMessages;
  MessageService* m_messages;
  TEditorSession m_session;
  TViewState m_view;
  TAsyncTimer m_timer;
  TMainActions m_actions{};
  std::string m_skinFileName;
  TColorForm* m_colorForm = nullptr;
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
  TCanvasController* m_canvas = nullptr;
  TDocumentFlows* m_flows = nullptr;
  TExportFlow* m_export = nullptr;
  TClipboardCommands* m_clipboard = nullptr;
  TUndoCommands* m_undo = nullptr;
};

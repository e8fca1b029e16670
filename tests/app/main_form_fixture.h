#pragma once
// A main window on a settings file in a per-test folder, with scripted messages, and the bars
// and panels the tests reach through it.

#include "app/canvas/canvas_area.h"
#include "app/canvas/canvas_controller.h"
#include "app/canvas/status_bar.h"
#include "app/color/color_panel.h"
#include "app/dialogs/file/open_dialog.h"
#include "app/editor/document_flows.h"
#include "app/editor/export_flow.h"
#include "app/editor/undo_commands.h"
#include "app/gui_test.h"
#include "app/main_window/colors_preview_panel.h"
#include "app/main_window/geometry_bar.h"
#include "app/main_window/main_form.h"
#include "app/main_window/mode_bar.h"
#include "app/main_window/tool_palette.h"
#include "app/widgets/kel_image.h"
#include "core/format/ini_file.h"

namespace tinto::test {

// A change of the picture as a tool makes it, through the session's door: pixel (x, y) of
// screen 1 set.
inline void DrawPixel(TEditorSession& session, int x, int y) {
  session.Change(ChangeKind::Stroke, [&] { session.Screen().SetPixel(0, x, y); });
}

// The main window's bars, panels and images, found by their object names.
inline TGeometryBar* SizePanel(const QWidget& form) {
  return ChildNamed<TGeometryBar>(form, "SizePanel");
}
inline TModeBar* Panel2(const QWidget& form) { return ChildNamed<TModeBar>(form, "Panel2"); }
inline TToolPalette* PnTools(const QWidget& form) {
  return ChildNamed<TToolPalette>(form, "pnTools");
}
inline TStatusBar* SB0(const QWidget& form) { return ChildNamed<TStatusBar>(form, "SB0"); }
inline TCanvasArea* Panel3(const QWidget& form) { return ChildNamed<TCanvasArea>(form, "Panel3"); }
inline TColorsPreviewPanel* Panel4(const QWidget& form) {
  return ChildNamed<TColorsPreviewPanel>(form, "Panel4");
}
inline TColorPanel* ColorPanel(const QWidget& form) {
  return ChildNamed<TColorPanel>(form, "CPanel");
}
// "Image_1", "Image_2", "Preview1" or "Preview2".
inline TKelImage* KelImage(const QWidget& form, const char* name) {
  return ChildNamed<TKelImage>(form, name);
}

// The main window's commands, found by their object names.
inline TCanvasController* Canvas(const QWidget& form) {
  return ChildNamed<TCanvasController>(form, "CanvasController");
}
inline TExportFlow* Exporter(const QWidget& form) {
  return ChildNamed<TExportFlow>(form, "ExportFlow");
}
inline TUndoCommands* UndoCommands(const QWidget& form) {
  return ChildNamed<TUndoCommands>(form, "UndoCommands");
}

class MainFormTest : public WindowTest {
 protected:
  std::string ProgramDir() const { return m_dir.Path().string() + "/"; }

  MainFormOptions Options(const std::string& settingsPath = {}) {
    MainFormOptions options;
    options.programDir = ProgramDir();
    options.settingsPath = settingsPath.empty() ? SettingsPath() : settingsPath;
    options.messages = &m_messages;
    return options;
  }

  TMainForm& Create(const std::string& settingsPath = {}) {
    m_form = std::make_unique<TMainForm>(Options(settingsPath));
    // A shortcut such as F2 must never leave a test waiting on a modal save dialog.
    m_form->SaveDialog().SetRunner(TSaveDialog::ScriptedCancel());
    return *m_form;
  }

  TMainForm& CreateShown() {
    ShowActive(Create());
    return *m_form;
  }

  // A real open dialog on the window, starting in the program's folder.
  TfrmOpen* InstallOpenDialog() {
    auto* dialog =
        new TfrmOpen(IniFile(SettingsPath()), m_messages, Q(m_form->ProgramDir()), m_form.get());
    m_form->SetOpenDialog(dialog);
    return dialog;
  }

  std::unique_ptr<TMainForm> m_form;
};

}  // namespace tinto::test

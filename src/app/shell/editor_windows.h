#pragma once
// Every window of the editor, created once in start-up order: the wait window first (shown
// with "Loading. Please Wait." before any other window exists), then the main window, whose
// creation reads its settings, then the colour chooser, the import dialog and the preview window,
// each reading its own, the about box, then the picture open dialog; finally the wait window is
// hidden and its text becomes the one shown at every later skin switch.

#include <functional>
#include <memory>

#include "app/main_window/main_form.h"

namespace tinto {
class IniFile;
}
class TAbout;
class TColorForm;
class TfrmOpen;
class TImportExpert;
class TPreviewForm;
class TWait;

enum class StartupStep {
  WaitShown,
  MainFormCreated,
  ColorFormCreated,
  AboutCreated,
  WaitHidden,
  MainFormShown
};

class EditorWindows {
 public:
  // `onStep` (optional) is called after each step, for observers such as tests.
  explicit EditorWindows(MainFormOptions options = {},
                         std::function<void(StartupStep)> onStep = {});
  ~EditorWindows();

  // Shows the main window; its first activation starts the display.
  void ShowMainWindow();

  TWait& Wait() { return *m_wait; }
  TMainForm& MainForm() { return *m_mainForm; }
  TColorForm& ColorForm() { return *m_colorForm; }
  TImportExpert& ImportExpert() { return *m_importExpert; }
  TPreviewForm& PreviewForm() { return *m_previewForm; }
  TAbout& About() { return *m_about; }

 private:
  void Step(StartupStep step);
  TImportExpert* CreateImportExpert(const tinto::IniFile& settings);
  TAbout* CreateAbout();
  void FollowSkinChanges(TfrmOpen* openDialog);

  std::function<void(StartupStep)> m_onStep;
  std::unique_ptr<TWait> m_wait;
  std::unique_ptr<TMainForm> m_mainForm;
  TColorForm* m_colorForm = nullptr;        // owned by the main window
  TImportExpert* m_importExpert = nullptr;  // owned by the main window
  TPreviewForm* m_previewForm = nullptr;    // owned by the main window
  TAbout* m_about = nullptr;                // owned by the main window
};

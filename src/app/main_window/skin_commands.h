#pragma once
// The main window's two skin commands, "Skin Enabled" and "Load Skin...", and the relayout of
// the bars after every skin change. While a skin is applied the main window is hidden and the
// wait window is the only window on screen, so no half-styled window is ever seen.

#include <QObject>
#include <functional>

class QString;
class SkinData;
class TfrmOpen;
class TMainForm;
class TWait;

inline constexpr const char* kSkinDialogTitle = "Open Skin File...";
inline constexpr const char* kSkinFilter = "Skin Files (*.ini,*.ods)|*.ini;*.ods";

// What the commands do, in order, for observers such as tests.
enum class SkinStep {
  MainHidden,
  WaitShown,
  SkinLoaded,
  SkinSwitchedOff,
  SkinChangedRelayout,  // LayoutToolbars run because the active skin changed
  ToolbarsLaidOut,
  ColorPanelLaidOut,
  WaitHidden,
  MainShown,
};

class TSkinCommands : public QObject {
  Q_OBJECT

 public:
  // Runs the open dialog; true when it ended with OK.
  using OpenRunner = std::function<bool(TfrmOpen& dialog)>;

  TSkinCommands(TMainForm& form, SkinData& skinData);

  // The wait window, created before the main window; not owned. Without one the commands
  // skip showing it.
  void SetWait(TWait* wait) { m_wait = wait; }
  void SetOpenRunner(OpenRunner runner) { m_openRunner = std::move(runner); }
  void SetStepObserver(std::function<void(SkinStep)> observer) { m_observer = std::move(observer); }

  // A relative name is looked up in the program's folder. Result as LoadSkinFile.
  bool LoadSkinFile(const QString& name);
  void SkinEnabledClick();
  void LoadSkin1Click();

 private:
  void Step(SkinStep step);
  void HideMainShowWait();
  void HideWaitShowMain();
  void RunChosenSkin(const QString& fileName);

  TMainForm& m_form;
  SkinData& m_skinData;
  TWait* m_wait = nullptr;
  OpenRunner m_openRunner;
  std::function<void(SkinStep)> m_observer;
};

#pragma once
// The main window's two skin commands, "Skin Enabled" and "Load Skin...", and the relayout of
// the bars after every skin change. While a skin is applied the main window is hidden and the
// wait window is the only window on screen, so no half-styled window is ever seen.

#include <QObject>
#include <functional>
#include <string>

class QAction;
class QString;
class QWidget;
class OpenFileDialog;
class SkinData;
class TWait;

// What the skin commands need of the window they restyle; the main window implements it.
class SkinnedWindow {
 public:
  virtual ~SkinnedWindow() = default;

  // The window hidden while a skin is applied; also the commands' parent.
  virtual QWidget* SkinnedWidget() = 0;
  // The program's folder with a trailing separator; relative skin names are looked up there.
  virtual const std::string& ProgramDir() const = 0;
  virtual const std::string& SkinFileName() const = 0;
  virtual void SetSkinFileName(std::string name) = 0;
  // "Skin Enabled", whose tick the commands read and set.
  virtual QAction* SkinEnabledAction() const = 0;
  // The picture open dialog; null before it exists.
  virtual OpenFileDialog* OpenDialog() const = 0;
  virtual void LayoutToolbars() = 0;
  virtual void LayoutColorPanel() = 0;

 protected:
  SkinnedWindow() = default;
  SkinnedWindow(const SkinnedWindow&) = default;
  SkinnedWindow& operator=(const SkinnedWindow&) = default;
};

inline constexpr const char* kSkinDialogTitle = "Open Skin File...";
inline constexpr const char* kSkinFilter = "Skin Files (*.ini,*.ods)|*.ini;*.ods";

// What the commands do, in order, for observers such as tests.
enum class SkinStep {
  MainHidden,
  WaitShown,
  SkinLoaded,
  SkinSwitchedOff,
  SkinChangedRelayout,  // LayoutToolbars and LayoutColorPanel run: the active skin changed
  ToolbarsLaidOut,
  ColorPanelLaidOut,
  WaitHidden,
  MainShown,
};

class TSkinCommands : public QObject {
  Q_OBJECT

 public:
  // `window` and `skinData` must outlive the commands.
  TSkinCommands(SkinnedWindow& window, SkinData& skinData);

  // The wait window, created before the main window; not owned. Without one the commands
  // skip showing it.
  void SetWait(TWait* wait) { m_wait = wait; }
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

  SkinnedWindow& m_form;
  SkinData& m_skinData;
  TWait* m_wait = nullptr;
  std::function<void(SkinStep)> m_observer;
};

#include "app/main_window/skin_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "app/editor/file_dialogs.h"
#include "app/skin/skin_data.h"
#include "app/skin/skin_loader.h"
#include "app/widgets/wait_form.h"

namespace {

// An installed editor's folder holds no skins; they lie this far from it. Empty elsewhere.
QString InstalledSkinsFolder(const std::string& programDir) {
  const QDir program(QString::fromStdString(programDir));
  if (programDir.empty() || program.exists(QStringLiteral("skins"))) return {};
  const QString installed =
      QString::fromStdString(programDir) + QStringLiteral(TINTO_SKINS_FROM_PROGRAM);
  return QFileInfo(installed).isDir() ? installed : QString();
}

// An installed skin is named through the program's folder ("bin/../share/..."): the settings
// keep a skin by its name relative to that folder, and forget any other.
QString NamedFromProgramDir(const QString& chosen, const std::string& programDir) {
  const QString installed = InstalledSkinsFolder(programDir);
  const QFileInfo file(chosen);
  if (installed.isEmpty() || file.absoluteDir() != QDir(installed)) return chosen;
  return installed + QLatin1Char('/') + file.fileName();
}

}  // namespace

TSkinCommands::TSkinCommands(SkinnedWindow& window, SkinData& skinData)
    : QObject(window.SkinnedWidget()), m_form(window), m_skinData(skinData) {
  // The colour panel's check boxes are measured in the skin's font too: a skin switched off
  // must not leave them at the widths of its own.
  connect(&m_skinData, &SkinData::SkinChanged, this, [this] {
    m_form.LayoutToolbars();
    m_form.LayoutColorPanel();
    Step(SkinStep::SkinChangedRelayout);
  });
}

bool TSkinCommands::LoadSkinFile(const QString& name) {
  // The settings keep a skin inside the program's folder relative to it.
  const QString path = name.isEmpty() || QFileInfo(name).isAbsolute()
                           ? name
                           : QDir(QString::fromStdString(m_form.ProgramDir())).filePath(name);
  const bool found = ::LoadSkinFile(m_skinData, path);
  Step(found ? SkinStep::SkinLoaded : SkinStep::SkinSwitchedOff);
  return found;
}

void TSkinCommands::SkinEnabledClick() {
  // The action has already inverted its tick.
  HideMainShowWait();
  if (m_form.SkinEnabledAction()->isChecked()) {
    LoadSkinFile(QString::fromStdString(m_form.SkinFileName()));
  } else {
    m_skinData.SwitchOff();
    Step(SkinStep::SkinSwitchedOff);
  }
  HideWaitShowMain();
  m_form.LayoutToolbars();
  Step(SkinStep::ToolbarsLaidOut);
}

// The picture dialog is borrowed: its file types and typed name are put back after the run.
// "Load Skin..." starts in the installed skins instead of the program's folder.
void TSkinCommands::LoadSkin1Click() {
  OpenFileDialog* dialog = m_form.OpenDialog();
  if (dialog == nullptr) return;
  OpenRequest request;
  request.title = QString::fromLatin1(kSkinDialogTitle);
  request.filter = QString::fromLatin1(kSkinFilter);
  request.startFolder = InstalledSkinsFolder(m_form.ProgramDir());
  request.replacedFolder = QString::fromStdString(m_form.ProgramDir());
  request.restoresFilterAndName = true;
  const std::optional<QString> chosen = dialog->Execute(request);
  if (chosen && QFileInfo(*chosen).isFile())
    RunChosenSkin(NamedFromProgramDir(*chosen, m_form.ProgramDir()));
}

void TSkinCommands::RunChosenSkin(const QString& fileName) {
  HideMainShowWait();
  m_form.SetSkinFileName(fileName.toStdString());
  LoadSkinFile(fileName);
  m_form.SkinEnabledAction()->setChecked(true);
  m_form.LayoutToolbars();
  Step(SkinStep::ToolbarsLaidOut);
  m_form.LayoutColorPanel();
  Step(SkinStep::ColorPanelLaidOut);
  HideWaitShowMain();
}

void TSkinCommands::HideMainShowWait() {
  m_form.SkinnedWidget()->hide();
  Step(SkinStep::MainHidden);
  if (m_wait != nullptr) m_wait->ShowAndPaint();
  Step(SkinStep::WaitShown);
}

void TSkinCommands::HideWaitShowMain() {
  if (m_wait != nullptr) m_wait->hide();
  Step(SkinStep::WaitHidden);
  m_form.SkinnedWidget()->show();
  Step(SkinStep::MainShown);
}

void TSkinCommands::Step(SkinStep step) {
  if (m_observer) m_observer(step);
}

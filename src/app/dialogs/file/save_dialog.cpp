#include "app/dialogs/file/save_dialog.h"

#include <QFileDialog>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/dialogs/file/file_filter.h"
#include "app/dialogs/file/folder_tree.h"
#include "app/widgets/rollup_panel.h"

namespace {

constexpr int kPanelWidth = 150;

// QSplitter keeps a widget's share when the widget's fixed width changes, which would leave a
// blank gap beside the rolled-up panel: the next shown widget takes what the panel gives up,
// and gives it back when the panel unrolls.
void FitSplitterToPanel(QSplitter& splitter, QWidget& panel) {
  const int index = splitter.indexOf(&panel);
  if (index < 0) return;
  int next = index + 1;
  while (next < splitter.count() && splitter.widget(next)->isHidden()) ++next;
  if (next >= splitter.count()) return;
  QList<int> sizes = splitter.sizes();
  sizes[next] += sizes[index] - panel.minimumWidth();
  sizes[index] = panel.minimumWidth();
  splitter.setSizes(sizes);
}

}  // namespace

QString TSaveDialog::Execute() {
  QFileDialog dialog(m_parent, QString::fromLatin1(kSaveDialogTitle));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(QtNameFilters(QString::fromLatin1(kSaveDialogFilter)).split(";;"));
  if (!m_directory.isEmpty()) dialog.setDirectory(m_directory);
  AddFolderPanel(dialog);
  const bool accepted = m_runner ? m_runner(dialog) : dialog.exec() == QDialog::Accepted;
  if (auto* panel = dialog.findChild<TRollUpPanel*>(QStringLiteral("pnDir")))
    m_treeRolledUp = panel->RolledUp();
  const QStringList chosen = dialog.selectedFiles();
  if (!accepted || chosen.isEmpty()) return {};
  m_directory = dialog.directory().absolutePath();
  return chosen.first();
}

// Qt's own dialog keeps its places sidebar and its file views in a QSplitter named "splitter";
// the folder tree takes the sidebar's place. Without that splitter the dialog stays as Qt
// builds it.
void TSaveDialog::AddFolderPanel(QFileDialog& dialog) {
  auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
  if (splitter == nullptr) return;
  if (auto* sidebar = dialog.findChild<QWidget*>(QStringLiteral("sidebar"))) sidebar->hide();
  auto* panel = new TRollUpPanel(dialog.directory().absolutePath());
  panel->setObjectName(QStringLiteral("pnDir"));
  panel->SetExpandedWidth(kPanelWidth);
  panel->SetCaptionElideMode(Qt::ElideLeft);
  auto* tree = new TFolderTree(panel->Client());
  tree->setObjectName(QStringLiteral("DirList"));
  auto* layout = new QVBoxLayout(panel->Client());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree);
  panel->SetRolledUp(m_treeRolledUp);
  if (!m_treeRolledUp) tree->SelectFolder(panel->Caption());
  splitter->insertWidget(0, panel);
  splitter->setCollapsible(0, false);

  const auto follow = [panel, tree](const QString& folder) {
    panel->SetCaption(folder);
    if (!panel->RolledUp()) tree->SelectFolder(folder);
  };
  QObject::connect(&dialog, &QFileDialog::directoryEntered, panel, follow);
  // setDirectory does not report directoryEntered.
  QObject::connect(tree, &QTreeView::clicked, &dialog, [&dialog, tree, follow] {
    const QString folder = tree->SelectedFolder();
    if (folder.isEmpty()) return;
    dialog.setDirectory(folder);
    follow(dialog.directory().absolutePath());
  });
  QObject::connect(panel, &TRollUpPanel::ChangeRollState, panel, [splitter, panel, tree] {
    FitSplitterToPanel(*splitter, *panel);
    if (!panel->RolledUp()) tree->SelectFolder(panel->Caption());
  });
}

TSaveDialog::Runner TSaveDialog::ScriptedName(const QString& path) {
  return [path](QFileDialog& dialog) {
    dialog.selectFile(path);
    return true;
  };
}

TSaveDialog::Runner TSaveDialog::ScriptedCancel() {
  return [](QFileDialog&) { return false; };
}

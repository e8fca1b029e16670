#include "app/folder_tree.h"

#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

#include "app/file_icons.h"

TFolderTree::TFolderTree(QWidget* parent) : QTreeView(parent), m_model(new QFileSystemModel(this)) {
  m_model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
  m_model->setReadOnly(true);
  m_model->setIconProvider(StyleFileIcons());
  m_model->setRootPath(QString());
  setModel(m_model);
  for (int column = 1; column < m_model->columnCount(); ++column) hideColumn(column);
  header()->hide();
  setIndentation(19);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Long folder names scroll sideways instead of being cut off.
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
  connect(m_model, &QFileSystemModel::directoryLoaded, this, &TFolderTree::FolderLoaded);
}

QString TFolderTree::SelectedFolder() const {
  const QModelIndex current = currentIndex();
  return current.isValid() && selectionModel()->isSelected(current) ? m_model->filePath(current)
                                                                    : QString();
}

void TFolderTree::SelectFolder(const QString& folder) {
  const QModelIndex index = QFileInfo(folder).isDir() ? m_model->index(folder) : QModelIndex();
  if (!index.isValid()) {
    clearSelection();
    return;
  }
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
    expand(parent);
  setCurrentIndex(index);
  scrollTo(index);
  m_followSelection = true;
}

void TFolderTree::FolderLoaded(const QString& path) {
  if (!m_followSelection) return;
  const QString selected = SelectedFolder();
  const QString prefix = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
  if (selected.startsWith(prefix)) scrollTo(currentIndex());
}

void TFolderTree::showEvent(QShowEvent* event) {
  QTreeView::showEvent(event);
  if (m_followSelection) scrollTo(currentIndex());
}

bool TFolderTree::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel)
    m_followSelection = false;
  return QTreeView::viewportEvent(event);
}

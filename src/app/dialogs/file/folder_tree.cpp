#include "app/dialogs/file/folder_tree.h"

#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "app/dialogs/file/file_icons.h"

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
  // Loading and sorting move the selected row after it was scrolled to.
  connect(m_model, &QFileSystemModel::directoryLoaded, this, &TFolderTree::KeepSelectionInView);
  connect(m_model, &QAbstractItemModel::rowsInserted, this, &TFolderTree::KeepSelectionInView);
  connect(m_model, &QAbstractItemModel::layoutChanged, this, &TFolderTree::KeepSelectionInView);
  // actionTriggered reports the user's use of a scroll bar, never our own setValue.
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TFolderTree::StopFollowing);
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &TFolderTree::StopFollowing);
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
  m_followSelection = true;
  ScrollToSelection();
  KeepSelectionInView();
}

// Deferred, and once for a burst of changes: the view lays out its rows and scroll bars only
// after the change that moved them has been reported.
void TFolderTree::KeepSelectionInView() {
  if (!m_followSelection || m_scrollPending) return;
  m_scrollPending = true;
  QTimer::singleShot(0, this, [this] {
    m_scrollPending = false;
    if (m_followSelection) ScrollToSelection();
  });
}

void TFolderTree::ScrollToSelection() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  scrollTo(current);
  ScrollNameIntoView(current);
}

// The tree has one column, as wide as its widest row; scrollTo shows that column's start,
// which leaves a deep folder's indented name outside a narrow tree.
void TFolderTree::ScrollNameIntoView(const QModelIndex& index) {
  const QRect name = visualRect(index);
  const int branchLeft = name.left() - indentation();
  const int overflow = name.left() + sizeHintForIndex(index).width() - viewport()->width();
  const int shift = branchLeft < 0 ? branchLeft : std::clamp(overflow, 0, branchLeft);
  if (shift != 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() + shift);
}

void TFolderTree::showEvent(QShowEvent* event) {
  QTreeView::showEvent(event);
  KeepSelectionInView();
}

bool TFolderTree::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
      StopFollowing();
      break;
    case QEvent::Resize:
      KeepSelectionInView();
      break;
    default:
      break;
  }
  return QTreeView::viewportEvent(event);
}

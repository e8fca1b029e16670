#include "app/dialogs/file/file_list.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QMouseEvent>
#include <QTreeView>

#include "app/dialogs/file/file_filter.h"
#include "app/dialogs/file/file_icons.h"

namespace {

constexpr int kAttributesColumn = 4;
constexpr int kColumnWidths[] = {200, 70, 150, 110, 60};

QString AttributeLetters(const QFileInfo& info) {
  QString letters;
  if (!info.isWritable()) letters += QLatin1Char('R');
  if (info.isHidden()) letters += QLatin1Char('H');
  if (info.isSymLink()) letters += QLatin1Char('L');
  return letters;
}

// QFileSystemModel with the column titles of the details view and an extra "Attributes"
// column; the base model answers nothing for a column it does not know.
class TDetailsFileModel : public QFileSystemModel {
 public:
  using QFileSystemModel::QFileSystemModel;

  int columnCount(const QModelIndex& parent) const override {
    return parent.column() > 0 ? 0 : kAttributesColumn + 1;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (index.column() != kAttributesColumn) return QFileSystemModel::data(index, role);
    if (role != Qt::DisplayRole) return {};
    return AttributeLetters(fileInfo(index.siblingAtColumn(0)));
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    static const char* const kTitles[] = {"Name", "Size", "Type", "Modified", "Attributes"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section > kAttributesColumn)
      return QFileSystemModel::headerData(section, orientation, role);
    return QString::fromLatin1(kTitles[section]);
  }

  // The base model cannot sort by a column it does not know; attributes sort by name.
  void sort(int column, Qt::SortOrder order) override {
    QFileSystemModel::sort(column == kAttributesColumn ? 0 : column, order);
  }
};

}  // namespace

TFileList::TFileList(QWidget* parent)
    : QStackedWidget(parent),
      m_model(new TDetailsFileModel(this)),
      m_listView(new QListView(this)),
      m_detailsView(new QTreeView(this)) {
  m_model->setReadOnly(true);
  m_model->setIconProvider(StyleFileIcons());
  m_model->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
  m_model->setNameFilterDisables(false);
  m_listView->setModel(m_model);
  m_detailsView->setModel(m_model);
  // Both views share one selection, so switching the style keeps the selected entry.
  m_detailsView->setSelectionModel(m_listView->selectionModel());
  SetUpView(m_listView);
  SetUpView(m_detailsView);
  m_detailsView->setRootIsDecorated(false);
  m_detailsView->setItemsExpandable(false);
  m_detailsView->setSortingEnabled(true);
  m_detailsView->sortByColumn(0, Qt::AscendingOrder);
  m_detailsView->header()->setStretchLastSection(false);
  for (int column = 0; column <= kAttributesColumn; ++column)
    m_detailsView->header()->resizeSection(column, kColumnWidths[column]);
  addWidget(m_listView);
  addWidget(m_detailsView);
  connect(m_listView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TFileList::SelectionChanged);
  SetViewStyle(FileViewStyle::List);
}

void TFileList::SetUpView(QAbstractItemView* view) {
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->viewport()->installEventFilter(this);
  connect(view, &QAbstractItemView::clicked, this, [this] {
    if (m_pressOnSelected) emit Click();
  });
  connect(view, &QAbstractItemView::doubleClicked, this, &TFileList::EntryDoubleClicked);
}

void TFileList::SetFolder(const QString& folder) {
  m_folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  const QModelIndex root = m_model->setRootPath(m_folder);
  m_listView->selectionModel()->clear();
  m_listView->setRootIndex(root);
  m_detailsView->setRootIndex(root);
}

void TFileList::SetMasks(const QString& masks) {
  m_model->setNameFilters(CaseInsensitiveMasks(masks));
}

void TFileList::SetViewStyle(FileViewStyle style) {
  m_style = style;
  if (style == FileViewStyle::Details) {
    setCurrentWidget(m_detailsView);
    return;
  }
  const bool large = style == FileViewStyle::LargeIcon;
  m_listView->setViewMode(large ? QListView::IconMode : QListView::ListMode);
  m_listView->setFlow(style == FileViewStyle::List ? QListView::TopToBottom
                                                   : QListView::LeftToRight);
  m_listView->setWrapping(true);
  m_listView->setResizeMode(QListView::Adjust);
  m_listView->setMovement(QListView::Static);
  m_listView->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
  m_listView->setGridSize(large ? QSize(96, 64) : QSize());
  m_listView->setWordWrap(large);
  m_listView->setSpacing(large ? 0 : 2);
  setCurrentWidget(m_listView);
}

QString TFileList::SelectedPath() const {
  const QModelIndexList rows = m_listView->selectionModel()->selectedRows();
  return rows.isEmpty() ? QString() : m_model->filePath(rows.first());
}

bool TFileList::SelectedIsFile() const {
  const QModelIndexList rows = m_listView->selectionModel()->selectedRows();
  return !rows.isEmpty() && !m_model->isDir(rows.first());
}

QAbstractItemView* TFileList::CurrentView() const {
  return m_style == FileViewStyle::Details ? static_cast<QAbstractItemView*>(m_detailsView)
                                           : m_listView;
}

bool TFileList::eventFilter(QObject* watched, QEvent* event) {
  // Only a press on an entry that is already selected makes the release a Click: a press on
  // another entry selects it, which SelectItem reports.
  if (event->type() == QEvent::MouseButtonPress) {
    const QAbstractItemView* view = CurrentView();
    if (watched == view->viewport()) {
      const QModelIndex index =
          view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      m_pressOnSelected =
          index.isValid() && view->selectionModel()->isSelected(index.siblingAtColumn(0));
    }
  }
  return QStackedWidget::eventFilter(watched, event);
}

void TFileList::SelectionChanged() {
  const QString previous = m_selectedPath;
  m_selectedPath = SelectedPath();
  if (previous == m_selectedPath) return;
  if (!previous.isEmpty()) emit SelectItem(previous, false);
  if (!m_selectedPath.isEmpty()) emit SelectItem(m_selectedPath, true);
}

void TFileList::EntryDoubleClicked(const QModelIndex& index) {
  if (!index.isValid()) return;
  if (!m_model->isDir(index)) {
    emit DblClick();
    return;
  }
  SetFolder(m_model->filePath(index));
  emit FolderEntered();
}

#pragma once
// The file list of the picture open dialog: one folder's subfolders and its files matching a
// mask list, read-only, in four view styles. Folders load in the background; entries appear
// when the model has read them (QFileSystemModel::directoryLoaded).
// Details columns: "Name" (200), "Size" (70, right-aligned), "Type" (150), "Modified" (110),
// "Attributes" (60: R read-only, H hidden, L symbolic link).

#include <QStackedWidget>

class QAbstractItemView;
class QFileSystemModel;
class QListView;
class QTreeView;

enum class FileViewStyle { List, SmallIcon, LargeIcon, Details };

class TFileList : public QStackedWidget {
  Q_OBJECT

 public:
  explicit TFileList(QWidget* parent = nullptr);

  // The shown folder as a clean absolute path ("/" for the root).
  const QString& Folder() const { return m_folder; }
  // Shows `folder` (made absolute and clean) with nothing selected.
  void SetFolder(const QString& folder);
  // A ";"-separated mask list such as "*.jpg;*.jpeg"; letter case is ignored, folders are
  // always shown.
  void SetMasks(const QString& masks);
  void SetViewStyle(FileViewStyle style);

  // Full path of the selected entry; empty when nothing is selected.
  QString SelectedPath() const;
  // Whether the selected entry is a file (not a folder).
  bool SelectedIsFile() const;

  QFileSystemModel* Model() const { return m_model; }
  // The view of the current style (the details view or the icon/list view).
  QAbstractItemView* CurrentView() const;

 signals:
  // An entry became selected or unselected.
  void SelectItem(const QString& path, bool selected);
  // A click on an entry that was already selected; a click that selects an entry is reported
  // by SelectItem alone.
  void Click();
  // A double click on a file. A double click on a folder enters it instead (FolderEntered).
  void DblClick();
  void FolderEntered();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetUpView(QAbstractItemView* view);
  void SelectionChanged();
  void EntryDoubleClicked(const QModelIndex& index);

  QFileSystemModel* m_model;
  QListView* m_listView;
  QTreeView* m_detailsView;
  QString m_folder;
  FileViewStyle m_style = FileViewStyle::List;
  bool m_pressOnSelected = false;
  QString m_selectedPath;
};

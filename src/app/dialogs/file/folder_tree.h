#pragma once
// A read-only tree of the file system's folders (no files), starting at the root, with
// indent 19 and its selection kept visible. Folders load in the background as they are
// expanded.

#include <QTreeView>

class QFileSystemModel;

class TFolderTree : public QTreeView {
  Q_OBJECT

 public:
  explicit TFolderTree(QWidget* parent = nullptr);

  // The selected folder's path; empty when nothing is selected.
  QString SelectedFolder() const;
  // Selects `folder`, expanding its parents and scrolling it into view (its name too, not
  // only its row). It stays in view while its parents finish loading (which moves its row)
  // and while the tree is shown or resized, until the user scrolls or clicks the tree. A
  // missing folder clears the selection.
  void SelectFolder(const QString& folder);

 protected:
  void showEvent(QShowEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void KeepSelectionInView();
  void ScrollToSelection();
  void ScrollNameIntoView(const QModelIndex& index);
  void StopFollowing() { m_followSelection = false; }

  QFileSystemModel* m_model;
  bool m_followSelection = false;
  bool m_scrollPending = false;
};

#pragma once
// The picture the editor works on, for the whole run: the two frames, their geometry, the
// document's name and modified flag, how undo works, and the four display bitmaps the
// renderer writes. Windows show it and change it through this object; DocumentStateChanged
// tells them when the title, Undo or Redo must follow.
//
// Every change of the picture goes through one door: BeginChange before writing into Screen()
// or Geometry(), EndChange after (Change does both around an edit). The undo keeper behind the
// door, the single snapshot or the step history, decides what Undo and Redo do and whether the
// document is modified; no caller decides it.

#include <QObject>
#include <memory>
#include <string>

#include "app/editor/display_images.h"
#include "core/model/document.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/model/undo_keeper.h"

class TEditorSession : public QObject {
  Q_OBJECT

 public:
  // `currentDirectory` as Document takes it; by default the process's own. Undo starts as the
  // single snapshot.
  explicit TEditorSession(tinto::Document::DirectoryProvider currentDirectory = {},
                          QObject* parent = nullptr);
  ~TEditorSession() override;

  tinto::ScreenBuffers& Screen() { return m_screen; }
  tinto::ScreenGeometry& Geometry() { return m_geometry; }
  tinto::Document& Document() { return m_document; }
  const tinto::UndoKeeper& Undoing() const { return *m_undo; }
  TDisplayImages& Images() { return m_images; }

  // The door (see above). A stroke calls BeginChange before each plot and EndChange at the
  // release: its plots form one change.
  void BeginChange(tinto::ChangeKind kind);
  void EndChange();
  template <typename Edit>
  void Change(tinto::ChangeKind kind, Edit&& edit) {
    BeginChange(kind);
    edit();
    EndChange();
  }
  // Replaces the whole picture and its geometry as one change of `kind`, and makes the
  // document untitled: the Import Expert's result, and any picture taken in the same way. Undo
  // gives back the picture before it (with the single snapshot: its pixels and attributes).
  void TakePicture(const tinto::ScreenGeometry& geometry, const tinto::ScreenBlock& pixels,
                   const tinto::ScreenBlock& attrs, tinto::ChangeKind kind);
  // False when there was nothing to undo or redo.
  bool Undo();
  bool Redo();

  // The picture was written to `name`: the document takes the name and is saved.
  void MarkSaved(const std::string& name);
  // New and Open: the document is `name`, not modified, with nothing to undo.
  void StartDocument(const std::string& name);

  // The step history instead of the single snapshot. Switching drops what was held: Undo is
  // as after a save, and the modified mark stays as it was.
  bool UndoHistoryOn() const { return m_historyOn; }
  void SetUndoHistory(bool on);

 signals:
  // The caption, or what Undo and Redo can do, may have changed.
  void DocumentStateChanged();

 private:
  void ShowState();

  tinto::ScreenBuffers m_screen;
  tinto::ScreenGeometry m_geometry;
  tinto::Document m_document;
  bool m_historyOn = false;
  std::unique_ptr<tinto::UndoKeeper> m_undo;
  TDisplayImages m_images;
};

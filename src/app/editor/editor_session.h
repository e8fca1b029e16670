#pragma once
// The picture the editor works on, for the whole run: the two frames, their geometry, the
// document's name and modified flag, the undo snapshot and the four display bitmaps the
// renderer writes. Windows show it and change it through this object; DocumentStateChanged
// tells them when the title or the Undo command must follow.

#include <QObject>

#include "app/editor/display_images.h"
#include "core/model/document.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/model/undo_snapshot.h"

class TEditorSession : public QObject {
  Q_OBJECT

 public:
  // `currentDirectory` as Document takes it; by default the process's own.
  explicit TEditorSession(tinto::Document::DirectoryProvider currentDirectory = {},
                          QObject* parent = nullptr);

  tinto::ScreenBuffers& Screen() { return m_screen; }
  tinto::ScreenGeometry& Geometry() { return m_geometry; }
  tinto::Document& Document() { return m_document; }
  tinto::UndoSnapshot& Undo() { return m_undo; }
  TDisplayImages& Images() { return m_images; }

  // Document::SetModified (title and undo rule), then DocumentStateChanged.
  void SetModified(bool value);
  // The document's name (made absolute), then DocumentStateChanged.
  void Rename(const std::string& name);
  // Takes an undo snapshot now (also when one exists), then DocumentStateChanged.
  void TakeUndoSnapshot();
  // Restores the undo snapshot into the picture; false when none was available.
  bool RestoreUndo();

 signals:
  // The caption or the availability of Undo may have changed.
  void DocumentStateChanged();

 private:
  tinto::ScreenBuffers m_screen;
  tinto::ScreenGeometry m_geometry;
  tinto::UndoSnapshot m_undo;
  tinto::Document m_document;
  TDisplayImages m_images;
};

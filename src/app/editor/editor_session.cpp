#include "app/editor/editor_session.h"

#include "core/model/snapshot_undo.h"
#include "core/model/undo_history.h"

TEditorSession::TEditorSession(tinto::Document::DirectoryProvider currentDirectory, QObject* parent)
    : QObject(parent),
      m_document(std::move(currentDirectory)),
      m_undo(std::make_unique<tinto::SnapshotUndo>(m_screen, false)) {}

TEditorSession::~TEditorSession() = default;

void TEditorSession::BeginChange(tinto::ChangeKind kind) {
  if (m_undo->BeginChange(kind)) ShowState();
}

void TEditorSession::EndChange() {
  if (m_undo->EndChange()) ShowState();
}

void TEditorSession::TakePicture(const tinto::ScreenGeometry& geometry,
                                 const tinto::ScreenBlock& pixels, const tinto::ScreenBlock& attrs,
                                 tinto::ChangeKind kind) {
  Change(kind, [&] {
    m_geometry = geometry;
    m_screen.LoadScreen(pixels, attrs);
    m_document.SetFileName(tinto::kUntitledName);
  });
}

bool TEditorSession::Undo() {
  const bool undone = m_undo->Undo();
  ShowState();
  return undone;
}

bool TEditorSession::Redo() {
  const bool redone = m_undo->Redo();
  ShowState();
  return redone;
}

void TEditorSession::MarkSaved(const std::string& name) {
  m_document.SetFileName(name);
  m_undo->MarkSaved();
  ShowState();
}

void TEditorSession::StartDocument(const std::string& name) {
  m_document.SetFileName(name);
  m_undo->Restart();
  ShowState();
}

void TEditorSession::SetUndoHistory(bool on) {
  m_undo->EndChange();
  const bool modified = m_undo->Modified();
  m_historyOn = on;
  if (on)
    m_undo = std::make_unique<tinto::UndoHistory>(m_screen, m_geometry, modified);
  else
    m_undo = std::make_unique<tinto::SnapshotUndo>(m_screen, modified);
  ShowState();
}

void TEditorSession::ShowState() {
  m_document.SetModified(m_undo->Modified());
  emit DocumentStateChanged();
}

#include "app/editor/editor_session.h"

TEditorSession::TEditorSession(tinto::Document::DirectoryProvider currentDirectory, QObject* parent)
    : QObject(parent), m_document(m_screen, m_undo, std::move(currentDirectory)) {}

void TEditorSession::SetModified(bool value) {
  m_document.SetModified(value);
  emit DocumentStateChanged();
}

void TEditorSession::Rename(const std::string& name) {
  m_document.SetFileName(name);
  emit DocumentStateChanged();
}

void TEditorSession::TakeUndoSnapshot() {
  m_undo.Take(m_screen);
  emit DocumentStateChanged();
}

bool TEditorSession::RestoreUndo() {
  const bool restored = m_undo.Restore(m_screen);
  emit DocumentStateChanged();
  return restored;
}

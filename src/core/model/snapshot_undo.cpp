#include "core/model/snapshot_undo.h"

namespace tinto {

SnapshotUndo::SnapshotUndo(ScreenBuffers& screen, bool modified)
    : m_screen(screen), m_modified(modified) {}

bool SnapshotUndo::BeginChange(ChangeKind kind) {
  if (m_open == kind) return false;
  EndChange();
  m_open = kind;
  if (ChangesGeometryOnly(kind)) return true;
  // A stroke keeps the snapshot taken when undo became available, so that one Undo takes back
  // every stroke since; the other changes replace the picture wholesale or in blocks, and
  // their own snapshot makes Undo take back exactly them.
  if (kind != ChangeKind::Stroke || !m_snapshot.Available()) m_snapshot.Take(m_screen);
  m_modified = true;
  return true;
}

bool SnapshotUndo::EndChange() {
  const bool wasOpen = m_open.has_value();
  m_open.reset();
  return wasOpen;
}

bool SnapshotUndo::Undo() {
  EndChange();
  return m_snapshot.Restore(m_screen);
}

bool SnapshotUndo::Redo() {
  EndChange();
  return false;
}

void SnapshotUndo::MarkSaved() {
  EndChange();
  if (!m_snapshot.Available()) m_snapshot.Take(m_screen);
  if (!m_modified) return;
  m_modified = false;
  m_snapshot.Disable();
}

void SnapshotUndo::Restart() {
  EndChange();
  m_modified = false;
  m_snapshot.Disable();
}

}  // namespace tinto

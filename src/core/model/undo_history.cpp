#include "core/model/undo_history.h"

namespace tinto {

UndoHistory::UndoHistory(ScreenBuffers& screen, ScreenGeometry& geometry, bool modified,
                         std::size_t budget)
    : m_screen(screen), m_geometry(geometry), m_budget(budget) {
  if (!modified) m_savedAt = 0;
}

bool UndoHistory::BeginChange(ChangeKind kind) {
  if (m_open == kind) return false;
  EndChange();
  m_before->screen = m_screen;
  m_before->geometry = m_geometry;
  m_open = kind;
  return true;
}

bool UndoHistory::EndChange() {
  if (!m_open) return false;
  const ChangeKind kind = *m_open;
  m_open.reset();
  PictureChange change = PictureChange::Between(*m_before, m_screen, m_geometry);
  if (!change.Empty()) Record(std::move(change), kind);
  return true;
}

void UndoHistory::Record(PictureChange change, ChangeKind kind) {
  while (m_steps.size() > m_position) {
    m_heldBytes -= m_steps.back().change.HeldBytes();
    m_steps.pop_back();
  }
  if (m_savedAt > m_position) m_savedAt.reset();
  m_heldBytes += change.HeldBytes();
  m_steps.push_back({std::move(change), kind});
  ++m_position;
  DropOldestOverBudget();
}

void UndoHistory::DropOldestOverBudget() {
  while (m_heldBytes > m_budget && m_steps.size() > 1) {
    m_heldBytes -= m_steps.front().change.HeldBytes();
    m_steps.pop_front();
    --m_position;
    // The picture before the dropped step can no longer be reached.
    if (m_savedAt == 0u)
      m_savedAt.reset();
    else if (m_savedAt)
      --*m_savedAt;
  }
}

bool UndoHistory::Undo() {
  EndChange();
  if (!CanUndo()) return false;
  --m_position;
  m_steps[m_position].change.PutBefore(m_screen, m_geometry);
  return true;
}

bool UndoHistory::Redo() {
  EndChange();
  if (!CanRedo()) return false;
  m_steps[m_position].change.PutAfter(m_screen, m_geometry);
  ++m_position;
  return true;
}

std::optional<ChangeKind> UndoHistory::NextUndo() const {
  if (!CanUndo()) return std::nullopt;
  return m_steps[m_position - 1].kind;
}

std::optional<ChangeKind> UndoHistory::NextRedo() const {
  if (!CanRedo()) return std::nullopt;
  return m_steps[m_position].kind;
}

void UndoHistory::MarkSaved() {
  EndChange();
  m_savedAt = m_position;
}

void UndoHistory::Restart() {
  m_open.reset();
  m_steps.clear();
  m_position = 0;
  m_savedAt = 0;
  m_heldBytes = 0;
}

}  // namespace tinto

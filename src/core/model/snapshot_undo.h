#pragma once
// The single undo snapshot as the editor has always kept it. A change while undo is
// unavailable snapshots both blocks first; a drop, a paste, a cut and an import always take a
// fresh snapshot; a geometry change touches neither undo nor the modified mark. Undo puts the
// pixels and attributes back (never the geometry) and leaves the modified mark alone; there is
// no redo. A save of a modified picture makes undo unavailable; a save of an unmodified one
// snapshots it when undo is unavailable.

#include "core/model/undo_keeper.h"
#include "core/model/undo_snapshot.h"

namespace tinto {

class SnapshotUndo final : public UndoKeeper {
 public:
  // `screen` must outlive the keeper. Undo starts unavailable.
  SnapshotUndo(ScreenBuffers& screen, bool modified);

  bool BeginChange(ChangeKind kind) override;
  bool EndChange() override;
  bool Undo() override;
  bool Redo() override;
  bool CanUndo() const override { return m_snapshot.Available(); }
  bool CanRedo() const override { return false; }
  std::optional<ChangeKind> NextUndo() const override { return std::nullopt; }
  std::optional<ChangeKind> NextRedo() const override { return std::nullopt; }
  bool Modified() const override { return m_modified; }
  void MarkSaved() override;
  void Restart() override;

 private:
  ScreenBuffers& m_screen;
  UndoSnapshot m_snapshot;
  bool m_modified;
  std::optional<ChangeKind> m_open;
};

}  // namespace tinto

#pragma once
// The undo history: every change of the picture is one step, which Undo takes back and Redo
// brings back, one at a time. A step holds what the change did (PictureChange), so it puts
// back pixels, attributes, geometry and mode. A new step after an Undo drops the steps ahead.
// The modified mark means "not at the step last saved or opened". The steps together hold at
// most `budget` bytes; the oldest go first, the newest is always kept.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>

#include "core/model/picture_change.h"
#include "core/model/undo_keeper.h"

namespace tinto {

// 64 MB hold at least 256 steps of any kind: a step that rewrites every byte of both blocks
// holds about 60 KB.
inline constexpr std::size_t kUndoHistoryBudget = std::size_t{64} << 20;

class UndoHistory final : public UndoKeeper {
 public:
  // `screen` and `geometry` must outlive the history. With `modified`, no step is at the saved
  // point until the next save.
  UndoHistory(ScreenBuffers& screen, ScreenGeometry& geometry, bool modified,
              std::size_t budget = kUndoHistoryBudget);

  // The picture as it is is kept until EndChange, which records the difference as one step;
  // a change that changed nothing is no step.
  bool BeginChange(ChangeKind kind) override;
  bool EndChange() override;
  bool Undo() override;
  bool Redo() override;
  bool CanUndo() const override { return m_position > 0; }
  bool CanRedo() const override { return m_position < m_steps.size(); }
  std::optional<ChangeKind> NextUndo() const override;
  std::optional<ChangeKind> NextRedo() const override;
  bool Modified() const override { return m_savedAt != m_position; }
  void MarkSaved() override;
  void Restart() override;

  std::size_t StepCount() const { return m_steps.size(); }
  // What the steps hold, without the copy an open change keeps.
  std::size_t HeldBytes() const { return m_heldBytes; }

 private:
  struct Step {
    PictureChange change;
    ChangeKind kind;
  };
  void Record(PictureChange change, ChangeKind kind);
  void DropOldestOverBudget();

  ScreenBuffers& m_screen;
  ScreenGeometry& m_geometry;
  std::size_t m_budget;
  std::deque<Step> m_steps;
  // Steps applied: the picture is as it was after m_steps[m_position - 1].
  std::size_t m_position = 0;
  // The position last saved or opened; none once that step was dropped or overwritten.
  std::optional<std::size_t> m_savedAt;
  std::size_t m_heldBytes = 0;
  std::optional<ChangeKind> m_open;
  // The picture as it was when the open change began; kept between changes to spare an
  // allocation on every stroke.
  std::unique_ptr<PictureState> m_before = std::make_unique<PictureState>();
};

}  // namespace tinto

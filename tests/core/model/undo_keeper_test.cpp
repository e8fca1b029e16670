#include "core/model/model_test_helpers.h"
#include "core/model/snapshot_undo.h"
#include "core/model/undo_history.h"

namespace tinto {
namespace {

// A short script of user actions run against both keepers. Each change k (its place in the
// script) sets pixel (k, 0): 's' a stroke of two plots, 'd' a drop, 'p' a paste, 'c' a cut,
// 'i' an import, which also clears the rest of the picture, 'e' a stroke that changes nothing,
// 'w' Total Width one narrower. 'u' Undo, 'r' Redo, 'v' a save, 'n' New or Open.
class UndoScript {
 public:
  explicit UndoScript(bool history) {
    if (history)
      m_keeper = std::make_unique<UndoHistory>(m_screen, m_geometry, false);
    else
      m_keeper = std::make_unique<SnapshotUndo>(m_screen, false);
  }

  // The marks set in row 0, then DX, then Undo, Redo and the modified mark: "01|31|UR*".
  std::string Run(const std::string& script) {
    for (std::size_t k = 0; k < script.size(); ++k) Do(script[k], static_cast<int>(k));
    std::string marks;
    for (int x = 0; x < 10; ++x)
      if (m_screen.Pixel(0, x, 0)) marks += static_cast<char>('0' + x);
    return marks + "|" + std::to_string(m_geometry.DX()) + "|" + (m_keeper->CanUndo() ? "U" : "-") +
           (m_keeper->CanRedo() ? "R" : "-") + (m_keeper->Modified() ? "*" : "-");
  }

 private:
  void Do(char op, int k) {
    const std::pair<char, ChangeKind> kinds[] = {{'s', ChangeKind::Stroke},
                                                 {'d', ChangeKind::Drop},
                                                 {'p', ChangeKind::Paste},
                                                 {'c', ChangeKind::Cut}};
    for (auto [letter, kind] : kinds)
      if (op == letter) Mark(kind, k);
    if (op == 'i') {
      m_keeper->BeginChange(ChangeKind::Import);
      m_screen.ClearScreen();
      m_screen.SetPixel(0, k, 0);
      m_keeper->EndChange();
    }
    if (op == 'e') {
      m_keeper->BeginChange(ChangeKind::Stroke);
      m_keeper->EndChange();
    }
    if (op == 'w') {
      m_keeper->BeginChange(ChangeKind::TotalWidth);
      m_geometry.SetDX(m_geometry.DX() - 1);
      m_keeper->EndChange();
    }
    if (op == 'u') m_keeper->Undo();
    if (op == 'r') m_keeper->Redo();
    if (op == 'v') m_keeper->MarkSaved();
    if (op == 'n') m_keeper->Restart();
  }

  // A stroke opens its change again before every plot; it stays one change.
  void Mark(ChangeKind kind, int k) {
    m_keeper->BeginChange(kind);
    m_screen.SetPixel(0, k, 0);
    m_keeper->BeginChange(kind);
    m_screen.SetPixel(0, k, 1);
    m_keeper->EndChange();
  }

  ScreenBuffers m_screen;
  ScreenGeometry m_geometry = test::MakeGeometry(32, 192);
  std::unique_ptr<UndoKeeper> m_keeper;
};

// Script, then the state with the single snapshot and with the history.
TEST(UndoKeeper, ScriptsEndAsEachKeeperRules) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      // One Undo takes back every stroke since the snapshot, or one stroke; Undo keeps "*"
      // with the snapshot, and undoing back to the opened picture removes it with the history.
      {"sss", "012|32|U-*", "012|32|U-*"},
      {"sssu", "|32|--*", "01|32|UR*"},
      {"sssuuu", "|32|--*", "|32|-R-"},
      {"sssuuur", "|32|--*", "0|32|UR*"},
      // A fourth stroke after an Undo is the only one the next Undo takes back.
      {"sssusu", "|32|--*", "01|32|UR*"},
      // Drops, pastes, cuts and imports take a fresh snapshot; the import did not (its stroke
      // was lost for good).
      {"sdu", "0|32|--*", "0|32|UR*"},
      {"spu", "0|32|--*", "0|32|UR*"},
      {"scu", "0|32|--*", "0|32|UR*"},
      {"siu", "0|32|--*", "0|32|UR*"},
      {"vsiu", "1|32|--*", "1|32|UR*"},
      // The snapshot leaves the geometry alone; the history has it as a step of its own.
      {"sw", "0|31|U-*", "0|31|U-*"},
      {"swu", "|31|--*", "0|32|UR*"},
      {"w", "|31|---", "|31|U-*"},
      // A save of a modified picture makes undo unavailable; of an unmodified one, snapshots.
      {"svu", "0|32|---", "|32|-R*"},
      {"v", "|32|U--", "|32|---"},
      {"ssvur", "01|32|---", "01|32|U--"},
      // A new step after an Undo drops the steps ahead, and with them a save made there.
      {"ssvusuu", "01|32|--*", "|32|-R*"},
      {"ssvus", "014|32|U-*", "04|32|U-*"},
      // A stroke that changes nothing marks the picture with the snapshot, and is no step.
      {"e", "|32|U-*", "|32|---"},
      {"seu", "|32|--*", "|32|-R-"},
      // New and Open keep nothing.
      {"ssn", "01|32|---", "01|32|---"},
      {"ssuns", "4|32|U-*", "04|32|U-*"},
  };
  for (const auto& [script, snapshot, history] : cases) {
    EXPECT_EQ(UndoScript(false).Run(script), snapshot) << script << " with the snapshot";
    EXPECT_EQ(UndoScript(true).Run(script), history) << script << " with the history";
  }
}

TEST(UndoKeeper, MenuNamesTheStepsAndTheSnapshotNamesNone) {
  ScreenBuffers screen;
  ScreenGeometry geometry;
  UndoHistory history(screen, geometry, false);
  SnapshotUndo snapshot(screen, false);
  for (UndoKeeper* keeper :
       {static_cast<UndoKeeper*>(&history), static_cast<UndoKeeper*>(&snapshot)}) {
    keeper->BeginChange(ChangeKind::Cut);
    screen.SetPixel(0, 1, 1);
    keeper->EndChange();
    keeper->BeginChange(ChangeKind::AttrMode);
    geometry.SetMode(geometry.Mode() == AttrMode::Mode8x1 ? AttrMode::Mode8x2 : AttrMode::Mode8x1);
    keeper->EndChange();
  }
  EXPECT_EQ(history.NextUndo(), ChangeKind::AttrMode);
  history.Undo();
  EXPECT_EQ(history.NextUndo(), ChangeKind::Cut);
  EXPECT_EQ(history.NextRedo(), ChangeKind::AttrMode);
  EXPECT_EQ(snapshot.NextUndo(), std::nullopt);
  EXPECT_STREQ(ChangeName(ChangeKind::TotalWidth), "Total Width");
  EXPECT_STREQ(ChangeName(ChangeKind::MltWindow), "MLT Window");
}

}  // namespace
}  // namespace tinto

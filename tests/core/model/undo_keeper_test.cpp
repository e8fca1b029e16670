#include "core/model/model_test_helpers.h"
#include "core/model/snapshot_undo.h"
#include "core/model/undo_history.h"

namespace tinto {
namespace {

// A script of user actions run against one keeper. Change k (its place in the script) sets
// pixel (k, 0), a stroke in two plots: 's' a stroke, 'd' a drop, 'p' a paste, 'c' a cut, 'i' an
// import (which also clears the rest), 'e' a stroke that changes nothing, 'w' Total Width one
// narrower. 'u' Undo, 'r' Redo, 'v' a save, 'n' New or Open. Returns the marks set, DX, and
// whether Undo and Redo can act and the picture is modified: "01|31|UR*".
std::string RunScript(bool history, const std::string& script) {
  ScreenBuffers screen;
  ScreenGeometry geometry = test::MakeGeometry(32, 192);
  std::unique_ptr<UndoKeeper> keeper = std::make_unique<SnapshotUndo>(screen, false);
  if (history) keeper = std::make_unique<UndoHistory>(screen, geometry, false);
  const std::string kinds = "sdpciew";  // in the order of ChangeKind, then 'e' and 'w'
  const ChangeKind kindOf[] = {ChangeKind::Stroke,    ChangeKind::Drop,   ChangeKind::Paste,
                               ChangeKind::Cut,       ChangeKind::Import, ChangeKind::Stroke,
                               ChangeKind::TotalWidth};
  for (int k = 0; k < static_cast<int>(script.size()); ++k) {
    const char op = script[static_cast<std::size_t>(k)];
    if (kinds.find(op) != std::string::npos) {
      keeper->BeginChange(kindOf[kinds.find(op)]);
      if (op == 'i') screen.ClearScreen();
      if (op == 'w') geometry.SetDX(geometry.DX() - 1);
      if (op != 'e' && op != 'w') screen.SetPixel(0, k, 0);
      keeper->BeginChange(kindOf[kinds.find(op)]);  // the next plot: the change stays open
      if (op != 'e' && op != 'w') screen.SetPixel(0, k, 1);
      keeper->EndChange();
    }
    if (op == 'u') keeper->Undo();
    if (op == 'r') keeper->Redo();
    if (op == 'v') keeper->MarkSaved();
    if (op == 'n') keeper->Restart();
  }
  std::string marks;
  for (int x = 0; x < 10; ++x)
    if (screen.Pixel(0, x, 0)) marks += static_cast<char>('0' + x);
  return marks + "|" + std::to_string(geometry.DX()) + "|" + (keeper->CanUndo() ? "U" : "-") +
         (keeper->CanRedo() ? "R" : "-") + (keeper->Modified() ? "*" : "-");
}

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
      // A drop (as a paste, a cut and an import) takes a fresh snapshot; the import did not
      // (its stroke was lost for good).
      {"sdu", "0|32|--*", "0|32|UR*"},
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
    EXPECT_EQ(RunScript(false, script), snapshot) << script << " with the snapshot";
    EXPECT_EQ(RunScript(true, script), history) << script << " with the history";
  }
}

}  // namespace
}  // namespace tinto

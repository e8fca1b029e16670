#include "core/model/undo_history.h"

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::FirstDifference;
using test::MakeGeometry;
using test::RandomScreen;

// The picture from `from` after one kind of change.
PictureState Changed(const PictureState& from, int kind, unsigned seed) {
  PictureState to = from;
  if (kind == 0) to.screen = RandomScreen(seed);                              // every byte
  if (kind == 1) to.screen.PixelByte(1, 191, 31) ^= 0x01;                     // the last pixel byte
  if (kind == 2) to.screen.Attrs()[0] ^= 0xFF;                                // the first attribute
  if (kind == 3) to.geometry = MakeGeometry(7, 50, AttrMode::Mode8x2, 3, 4);  // geometry alone
  if (kind == 4) {  // bytes 8 apart and 9 apart
    for (int i : {100, 108, 117}) to.screen.Pixels()[i] ^= 0x42;
    to.geometry.SetMltLeft(1);
  }
  return to;
}

// Each step records the change from the picture before it; Undo and Redo walk the steps one
// at a time and land on the exact bytes and geometry of every picture on the way. A step
// holds what changed, twice: the one that rewrites every byte about 48 KB, the others little.
TEST(UndoHistory, StepsUndoAndRedoToTheExactPictures) {
  std::vector<PictureState> pictures{{RandomScreen(1), MakeGeometry(32, 192)}};
  for (int kind = 0; kind < 5; ++kind)
    pictures.push_back(Changed(pictures.back(), kind, 10u + static_cast<unsigned>(kind)));
  PictureState now = pictures.front();
  UndoHistory history(now.screen, now.geometry, false);
  for (std::size_t i = 1; i < pictures.size(); ++i) {
    history.BeginChange(ChangeKind::Stroke);
    now = pictures[i];
    history.EndChange();
  }
  ASSERT_EQ(history.StepCount(), 5u);
  EXPECT_LT(history.HeldBytes(), 2u * kBlockBytes * 2 + 1000);
  for (std::size_t i = pictures.size() - 1; i > 0; --i) {
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(FirstDifference(now.screen, pictures[i - 1].screen), "") << "undo to " << i - 1;
    EXPECT_EQ(now.geometry, pictures[i - 1].geometry) << "undo to " << i - 1;
  }
  EXPECT_FALSE(history.Undo());
  for (std::size_t i = 1; i < pictures.size(); ++i) {
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(FirstDifference(now.screen, pictures[i].screen), "") << "redo to " << i;
    EXPECT_EQ(now.geometry, pictures[i].geometry) << "redo to " << i;
  }
  EXPECT_FALSE(history.Redo());
}

// Full-screen steps, each a new random picture: the budget keeps the newest, which undo back
// to the exact pictures, and drops the oldest; the saved point goes with them.
TEST(UndoHistory, OldestStepsGoFirstWhenTheBudgetIsFull) {
  const std::pair<std::size_t, std::size_t> cases[] = {
      {kUndoHistoryBudget, 300},  // the editor's 64 MB hold all 300 steps
      {200'000, 12},              // four steps of about 48 KB fit
      {1, 3}};                    // the newest is always kept
  for (auto [budget, steps] : cases) {
    PictureState now{RandomScreen(0), MakeGeometry(32, 192)};
    UndoHistory history(now.screen, now.geometry, false, budget);
    for (unsigned i = 1; i <= steps; ++i) {
      history.BeginChange(ChangeKind::Import);
      now.screen = RandomScreen(i);
      history.EndChange();
    }
    SCOPED_TRACE(budget);
    EXPECT_GE(history.StepCount(), std::min<std::size_t>(steps, budget / 60000 + 1));
    EXPECT_LE(history.HeldBytes(), std::max<std::size_t>(budget, 60000));
    EXPECT_TRUE(history.Modified());
    std::size_t undone = 0;
    while (history.Undo()) ++undone;
    EXPECT_EQ(undone, history.StepCount());
    EXPECT_EQ(FirstDifference(now.screen, RandomScreen(static_cast<unsigned>(steps - undone))), "");
    EXPECT_EQ(history.Modified(), undone < steps) << "the opened picture is gone with its step";
  }
}

}  // namespace
}  // namespace tinto

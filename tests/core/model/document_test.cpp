#include "core/model/document.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

class DocumentTest : public ::testing::Test {
 protected:
  ScreenBuffers screen;
  UndoSnapshot undo;
  std::string workingDirectory = "/home/artist/work";
  Document document{screen, undo, [this] { return workingDirectory; }};
};

TEST_F(DocumentTest, StartsAsAbsoluteUntitledWithUndoUnavailable) {
  document.Reset();
  EXPECT_EQ(document.WindowCaption(), "Tinto Editor - [/home/artist/work/Untitled.tin]");
  EXPECT_EQ(document.ApplicationTitle(), document.WindowCaption());
  EXPECT_FALSE(document.Modified());
  EXPECT_FALSE(undo.Available());
}

TEST_F(DocumentTest, FirstModificationSnapshotsAndMarksTheCaption) {
  document.Reset();
  screen.SetPixel(0, 3, 4);
  document.SetModified(true);
  EXPECT_TRUE(undo.Available());
  EXPECT_EQ(document.WindowCaption(), "Tinto Editor - [/home/artist/work/Untitled.tin]*");
  EXPECT_EQ(document.ApplicationTitle(), "Tinto Editor - [/home/artist/work/Untitled.tin]");
  EXPECT_EQ(undo.Pixels()[ByteIndex(0, 3, 4)], 0x10);

  // Undo is available now, so a second call takes no new snapshot.
  screen.SetPixel(0, 0, 0);
  document.SetModified(true);
  EXPECT_EQ(undo.Pixels()[0], 0x00);
}

TEST_F(DocumentTest, UnmodifyingDisablesUndo) {
  document.Reset();
  document.SetModified(true);
  document.SetModified(false);
  EXPECT_FALSE(undo.Available());
  EXPECT_EQ(document.WindowCaption(), "Tinto Editor - [/home/artist/work/Untitled.tin]");
}

TEST_F(DocumentTest, SettingAnUnchangedFlagStillSnapshotsButKeepsTheTitle) {
  document.Reset();
  std::string before = document.WindowCaption();
  document.SetFileName("other.tin");
  document.SetModified(false);
  EXPECT_TRUE(undo.Available());
  EXPECT_EQ(document.WindowCaption(), before);
  EXPECT_EQ(document.FileName(), "other.tin");
}

TEST_F(DocumentTest, BareNameGetsTheWorkingDirectoryWithOneSeparator) {
  workingDirectory = "/";
  document.SetFileName("pic.tin");
  document.SetModified(true);
  EXPECT_EQ(document.FileName(), "/pic.tin");

  workingDirectory = "/data/";
  document.SetFileName("a.tin");
  document.SetModified(false);
  EXPECT_EQ(document.FileName(), "/data/a.tin");
}

TEST_F(DocumentTest, NameWithAFolderIsKept) {
  document.SetFileName("pics/cat.tin");
  document.SetModified(true);
  EXPECT_EQ(document.FileName(), "pics/cat.tin");
}

TEST(UndoSnapshot, RestoreBringsBackBothBlocksOnce) {
  ScreenBuffers screen;
  UndoSnapshot undo;
  screen.SetPixel(1, 10, 10);
  screen.SetAttr(1, 10, 10, 0x47);
  undo.Take(screen);
  screen.ClearScreen();
  ASSERT_TRUE(undo.Restore(screen));
  EXPECT_TRUE(screen.Pixel(1, 10, 10));
  EXPECT_EQ(screen.Attr(1, 10, 10), 0x47);
  EXPECT_FALSE(undo.Available());

  screen.ClearScreen();
  EXPECT_FALSE(undo.Restore(screen));
  EXPECT_FALSE(screen.Pixel(1, 10, 10));
}

}  // namespace
}  // namespace tinto

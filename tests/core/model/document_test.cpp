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
  const std::string before = document.WindowCaption();
  document.SetModified(false);
  EXPECT_TRUE(undo.Available());
  EXPECT_EQ(document.WindowCaption(), before);
}

TEST_F(DocumentTest, NewNameRebuildsTheTitleAndKeepsTheModifiedMark) {
  document.Reset();
  document.SetModified(true);
  document.SetFileName("/pics/cat.tin");
  EXPECT_EQ(document.WindowCaption(), "Tinto Editor - [/pics/cat.tin]*");
  EXPECT_EQ(document.ApplicationTitle(), "Tinto Editor - [/pics/cat.tin]");
}

TEST_F(DocumentTest, NamesAreStoredAbsoluteAndLexicallyNormal) {
  struct Case {
    const char* workingDirectory;
    const char* name;
    const char* stored;
  };
  const Case cases[] = {
      {"/home/artist/work", "pic.tin", "/home/artist/work/pic.tin"},
      {"/", "pic.tin", "/pic.tin"},
      {"/data/", "a.tin", "/data/a.tin"},
      {"/home/artist/work", "pics/cat.tin", "/home/artist/work/pics/cat.tin"},
      {"/home/artist/work", "app/../../x.tin", "/home/artist/x.tin"},
      {"/elsewhere", "/a/./b//c.tin", "/a/b/c.tin"},
  };
  for (const Case& c : cases) {
    workingDirectory = c.workingDirectory;
    document.SetFileName(c.name);
    EXPECT_EQ(document.FileName(), c.stored) << c.name;
  }
}

TEST(DocumentName, TintoExtensionIsAddedOnlyWhenTheFileNameItselfHasNoDot) {
  struct Case {
    const char* typed;
    const char* saved;
  };
  const Case cases[] = {
      {"pic", "pic.tin"},
      {"pic.scr", "pic.scr"},
      {"/home/my.pictures/cat", "/home/my.pictures/cat.tin"},
      {"/a.b/c.d/e.", "/a.b/c.d/e."},
  };
  for (const Case& c : cases) EXPECT_EQ(WithTintoExtension(c.typed), c.saved) << c.typed;
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

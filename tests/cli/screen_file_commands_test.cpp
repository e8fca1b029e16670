// The tool writes the screen files of other tools that hold a picture, refuses the others, and
// reads them wherever it reads pictures.
#include "cli/tool_run.h"
#include "core/format/native_format.h"
#include "core/model/model_test_helpers.h"

namespace tinto::cli {
namespace {

// "8x2 Full Screen", all black but the 8x8 cell of column 0 in frame 0 and the 8x2 cell of
// rows 0-1 there in frame 1: only .mg2 holds both frames, a .scr holds frame 0.
TEST(ScreenFileCommands, ExportWritesTheFilesThatHoldThePictureAndTheOthersCommandsReadThem) {
  test::TempDir dir;
  const std::string tin = dir.File("p.tin");
  ScreenBuffers screen;
  for (int row = 0; row < 8; ++row) screen.AttrByte(0, row, 0) = 0x22;
  screen.AttrByte(1, 0, 0) = screen.AttrByte(1, 1, 0) = 0x11;
  ASSERT_TRUE(WriteNativeFile(tin, screen, test::MakeGeometry(32, 192, AttrMode::Mode8x2)));
  ASSERT_EQ(RunCli({"export", tin, dir.File("p.mg2")}).status, 0);
  ASSERT_EQ(RunCli({"export", tin, dir.File("p.scr"), "--frame", "0"}).status, 0);
  EXPECT_EQ(test::ReadAll(dir.File("p.scr"))[6144], '\x22');

  // Without --frame a .scr of two different screens is refused, naming the output.
  const ToolRun refused = RunCli({"export", tin, dir.File("q.scr")});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, dir.File("q.scr") +
                             ": This picture's two screens differ; a screen dump holds one "
                             "screen. Choose the screen to write (--frame 0 or 1), or export as "
                             ".mg2.\n");
  EXPECT_EQ(RunCli({"export", tin, dir.File("q.img")}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("q.scr")) ||
               std::filesystem::exists(dir.File("q.img")));

  ASSERT_EQ(RunCli({"convert", dir.File("p.mg2"), dir.File("c.tin")}).status, 0);
  EXPECT_TRUE(test::ReadAll(dir.File("c.tin")) == test::ReadAll(tin));
  const ToolRun info = RunCli({"info", dir.File("p.scr")});
  EXPECT_EQ(info.out,
            "Total Width: 32 (256 pixels)\nDY: 192\nLeft MLT: 0\nWidth MLT: 18\n"
            "Mode: 8x2 Full Screen\n");
}

}  // namespace
}  // namespace tinto::cli

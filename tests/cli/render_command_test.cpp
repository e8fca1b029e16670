#include "cli/tool_run.h"
#include "core/format/native_format.h"
#include "core/format/ondrel_format.h"
#include "core/model/model_test_helpers.h"
#include "core/model/renderer.h"
#include "tinto_version.h"

namespace tinto::cli {
namespace {

// The second frame with attributes, then the mix without them three times enlarged: what the
// core renderer makes of the picture as the file stores it. The pair exported is what the
// two-file writer makes of it; a stem "pic.od0" names the pair "pic", not "pic.od0.od0".
TEST(RenderAndExportCommands, WriteWhatTheCoreMakesOfTheStoredPicture) {
  test::TempDir dir;
  const std::string input = dir.File("pic.tin");
  ASSERT_TRUE(WriteNativeFile(input, test::RandomScreen(1),
                              test::MakeGeometry(10, 40, AttrMode::Mode8x1, 0, 10)));
  ScreenBuffers stored;
  ScreenGeometry g;
  ASSERT_TRUE(ReadNativeFile(input, stored, g));
  // Frame, options, attributes, which bitmap, scale. Frame 0 is the default, which the two-file
  // test below renders.
  const std::tuple<const char*, Args, bool, int, int> cases[] = {
      {"1", {}, true, 1, 1}, {"mix", {"--scale", "3", "--no-attributes"}, false, 2, 3}};
  for (const auto& [frame, options, attributes, which, scale] : cases) {
    DisplayBitmapSet expected(80, 40);
    RenderScreen(stored, g, {attributes, true}, expected.Views());
    const Bitmap24* bitmaps[] = {&expected.image1, &expected.image2, &expected.preview1};
    Args args = {"render", input, dir.File("out.png"), "--frame", frame};
    args.insert(args.end(), options.begin(), options.end());
    ToolRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectPngShows(dir.File("out.png"), *bitmaps[which], scale);
  }
  const ToolRun run = RunCli({"export", input, dir.File("pair.od0")});
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_TRUE(WriteOndrelFiles(dir.File("ref"), stored, g));
  for (const char* extension : {".od0", ".od1"})
    EXPECT_EQ(test::ReadAll(dir.File("pair") + extension),
              test::ReadAll(dir.File("ref") + extension));
  EXPECT_FALSE(std::filesystem::exists(dir.File("pair.od0.od0")));
}

TEST(RenderCommand, ReadsATwoFilePictureWithTheGivenSize) {
  test::TempDir dir;
  // Frame files hold DX*DY pixel bytes, then DX*DY attribute bytes.
  test::WriteAll(dir.File("two.od0"), std::string(8, '\xF0') + std::string(8, '\x47'));
  test::WriteAll(dir.File("two.od1"), std::string(8, '\x0F') + std::string(8, '\x02'));
  ToolRun run =
      RunCli({"render", dir.File("two.od0"), dir.File("two.png"), "--dx", "2", "--dy", "4"});
  ASSERT_EQ(run.status, 0) << run.err;
  QImage image(QString::fromStdString(dir.File("two.png")));
  ASSERT_EQ(image.size(), QSize(16, 4));
  EXPECT_EQ(image.pixel(0, 0), qRgb(254, 254, 254));  // bright white ink
  EXPECT_EQ(image.pixel(4, 0), qRgb(0, 0, 0));        // black paper
}

TEST(ToolVersion, PrintsTheEditorsVersionLine) {
  const ToolRun run = RunCli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string(kTintoVersionLine) + "\n");
}

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

// The tool writes the screen files of other tools that hold a picture and refuses the others;
// it reads them wherever it reads pictures.
#include "cli/tool_run.h"
#include "core/format/native_format.h"
#include "core/format/screen_file_format.h"

namespace tinto::cli {
namespace {

// 8x8 cells, frame 0 all 0x4A, frame 1 all 0x01 at 8x8 except that column 0 of frame 1 has
// 8x2 cells (rows 0-1 0x11, 2-7 0x01), in "8x2 Full Screen" at DX 32, DY 192.
struct ScreenFileCommands : testing::Test {
  void SetUp() override {
    screen.Attrs().fill(0x4A);
    std::fill(screen.Attrs().begin() + kPlaneBytes, screen.Attrs().end(), 0x01);
    for (int row = 0; row < kScreenHeight; row += 8) {
      screen.AttrByte(1, row, 0) = screen.AttrByte(1, row + 1, 0) = 0x11;
      screen.PixelByte(0, row, 3) = 0xC3;
    }
    geometry.SetDX(32);
    geometry.SetMode(AttrMode::Mode8x2);
    ASSERT_TRUE(WriteNativeFile(dir.File("p.tin"), screen, geometry));
  }
  std::string Expected(ScreenFile file, FrameIndex frame) const {
    std::string bytes;
    EXPECT_TRUE(EncodeScreenFile(file, screen, geometry, frame, bytes));
    return bytes;
  }
  test::TempDir dir;
  ScreenBuffers screen;
  ScreenGeometry geometry;
};

TEST_F(ScreenFileCommands, ExportWritesTheFileItsExtensionNamesOrRefusesWithTheReason) {
  const std::string input = dir.File("p.tin");
  ToolRun run = RunCli({"export", input, dir.File("p.mg2")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(test::ReadAll(dir.File("p.mg2")) == Expected(ScreenFile::Mg2, 0));
  run = RunCli({"export", input, dir.File("p.scr"), "--frame", "0"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(test::ReadAll(dir.File("p.scr")) == Expected(ScreenFile::Scr, 0));

  const std::pair<std::string, std::string> refused[] = {
      {"q.img",
       "This picture has 8x2 cells; a two-screen dump holds 8x8 cells. Export as .mg2, or "
       "import the rendered picture again.\n"},
      {"q.scr",
       "This picture's two screens differ; a screen dump holds one screen. Choose the "
       "screen to write (--frame 0 or 1), or export as .mg2.\n"},
  };
  for (const auto& [name, message] : refused) {
    run = RunCli({"export", input, dir.File(name)});
    EXPECT_EQ(run.status, 1) << name;
    EXPECT_EQ(run.err, dir.File(name) + ": " + message) << name;
    EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
  }
  run = RunCli({"export", input, dir.File("q.scr"), "--frame", "1"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Screen 2 has 8x2 cells"), std::string::npos) << run.err;
  EXPECT_EQ(RunCli({"export", input, dir.File("q.img"), "--frame", "1"}).status, 2);
  EXPECT_EQ(RunCli({"export", input, dir.File("q.scr"), "--frame", "2"}).status, 2);
  EXPECT_EQ(RunCli({"export", dir.File("p.mg2"), dir.File("p.mg2")}).status, 1);
}

TEST_F(ScreenFileCommands, InfoRenderAndConvertReadScreenFiles) {
  ASSERT_EQ(RunCli({"export", dir.File("p.tin"), dir.File("p.MG2")}).status, 0);
  ASSERT_EQ(RunCli({"convert", dir.File("p.MG2"), dir.File("c.tin")}).status, 0);
  EXPECT_TRUE(test::ReadAll(dir.File("c.tin")) == test::ReadAll(dir.File("p.tin")));
  // Frame 1 at column 0: paper 0x11 is red in rows 0-1, paper 0x01 black in rows 2-7.
  ASSERT_EQ(RunCli({"render", dir.File("p.MG2"), dir.File("p.png"), "--frame", "1"}).status, 0);
  const QImage png(QString::fromStdString(dir.File("p.png")));
  EXPECT_EQ(png.pixel(0, 1), qRgb(177, 0, 0));
  EXPECT_EQ(png.pixel(0, 2), qRgb(0, 0, 0));

  ASSERT_TRUE(WriteScreenFile(dir.File("e.mg1"), ScreenFile::Mg1, ScreenBuffers(), geometry, 0));
  const ToolRun info = RunCli({"info", dir.File("e.mg1")});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out,
            "Total Width: 32 (256 pixels)\nDY: 192\nLeft MLT: 8\nWidth MLT: 16\n"
            "Mode: 8x1 + 8x8\n");
  test::WriteAll(dir.File("short.mg2"), "MGH");
  const ToolRun bad = RunCli({"info", dir.File("short.mg2")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "File " + dir.File("short.mg2") +
                         "\nIs 3 bytes long; a file of 8x2 cells (.mg2) is 18688 bytes.\n");
}

}  // namespace
}  // namespace tinto::cli

#include "cli/tool_run.h"
#include "core/format/native_format.h"
#include "core/format/ondrel_format.h"
#include "core/model/model_test_helpers.h"
#include "core/model/renderer.h"

namespace tinto::cli {
namespace {

// The second frame with attributes, then the mix without them three times enlarged: what the
// core renderer makes of the picture as the file stores it.
TEST(RenderCommand, WritesTheRenderersBitmaps) {
  test::TempDir dir;
  const std::string input = dir.File("pic.tin");
  ASSERT_TRUE(WriteNativeFile(input, test::RandomScreen(1),
                              test::MakeGeometry(10, 40, AttrMode::Mode8x1, 0, 10)));
  ScreenBuffers stored;
  ScreenGeometry g;
  ASSERT_TRUE(ReadNativeFile(input, stored, g));
  // Frame 0 is the default, which the two-file test below renders.
  const struct {
    const char* frame;
    Args options;
    bool attributes;
    int which, scale;
  } cases[] = {{"1", {}, true, 1, 1}, {"mix", {"--scale", "3", "--no-attributes"}, false, 2, 3}};
  for (const auto& c : cases) {
    DisplayBitmapSet expected(80, 40);
    RenderScreen(stored, g, {c.attributes, true}, expected.Views());
    const Bitmap24* bitmaps[] = {&expected.image1, &expected.image2, &expected.preview1};
    Args args = {"render", input, dir.File("out.png"), "--frame", c.frame};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ToolRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectPngShows(dir.File("out.png"), *bitmaps[c.which], c.scale);
  }
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

TEST(InfoCommand, PrintsGeometryAndMode) {
  test::TempDir dir;
  ASSERT_TRUE(WriteNativeFile(dir.File("p.tin"), ScreenBuffers(),
                              test::MakeGeometry(32, 100, AttrMode::Mode8x2, 3, 12)));
  ToolRun run = RunCli({"info", dir.File("p.tin")});
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Total Width: 32 (256 pixels)\nDY: 100\nLeft MLT: 3\nWidth MLT: 12\n"
            "Mode: 8x2 Full Screen\n");
}

// The pair written from a .tin file is what the two-file writer makes of the file's picture.
TEST(ExportCommand, WritesTheTwoFilePictureOfTheFile) {
  test::TempDir dir;
  const std::string input = dir.File("pic.tin");
  ASSERT_TRUE(WriteNativeFile(input, test::RandomScreen(2),
                              test::MakeGeometry(10, 40, AttrMode::Mode8x1, 0, 10)));
  const ToolRun run = RunCli({"export", input, dir.File("pair")});
  ASSERT_EQ(run.status, 0) << run.err;
  ScreenBuffers stored;
  ScreenGeometry geometry;
  ASSERT_TRUE(ReadNativeFile(input, stored, geometry));
  ASSERT_TRUE(WriteOndrelFiles(dir.File("ref"), stored, geometry));
  for (const char* extension : {".od0", ".od1"})
    EXPECT_EQ(test::ReadAll(dir.File("pair") + extension),
              test::ReadAll(dir.File("ref") + extension));
}

}  // namespace
}  // namespace tinto::cli

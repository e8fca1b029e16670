#include "cli/tool_run.h"
#include "tinto_version.h"

namespace tinto::cli {
namespace {

// "pic.od0" names the pair "pic", not "pic.od0.od0"; each file holds 2 x DX x DY bytes.
TEST(ExportCommand, TakesAStemEndingInAFrameExtensionWithoutIt) {
  test::TempDir dir;
  SaveBands(dir, "in.png", 64, 48);
  ASSERT_EQ(RunCli({"convert", "--no-stretch", dir.File("in.png"), dir.File("p.tin")}).status, 0);
  ASSERT_EQ(RunCli({"export", dir.File("p.tin"), dir.File("pic.od0")}).status, 0);
  ASSERT_EQ(RunCli({"export", dir.File("p.tin"), dir.File("two.od1")}).status, 0);
  for (const char* name : {"pic.od0", "pic.od1", "two.od0", "two.od1"})
    EXPECT_EQ(std::filesystem::file_size(dir.File(name)), 2u * 8 * 48) << name;
  EXPECT_FALSE(std::filesystem::exists(dir.File("pic.od0.od0")));
}

TEST(ToolVersion, PrintsTheEditorsVersionLine) {
  const ToolRun run = RunCli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string(kTintoVersionLine) + "\n");
  EXPECT_TRUE(run.out.starts_with("Tinto Editor ")) << run.out;
}

}  // namespace
}  // namespace tinto::cli

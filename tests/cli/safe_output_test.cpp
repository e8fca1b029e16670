#include "cli/tool_run.h"

namespace tinto::cli {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;

class SafeOutput : public ::testing::Test {
 protected:
  SafeOutput() {
    for (const char* folder : {"a", "b"}) fs::create_directory(Path(folder));
    SaveBands(m_dir, "p.png", 16, 8);
    SaveBands(m_dir, "a/cat.png.bmp", 16, 8);
    for (const char* name : {"a/cat.png", "b/cat.png", "p\xff.png"})
      fs::copy_file(Path("p.png"), Path(name));
    RunCli({"convert", Path("p.png"), Path("p.tin")});
  }
  std::string Path(const std::string& name) const { return m_dir.File(name); }
  test::TempDir m_dir;
};

// Inputs that share a stem keep their extension in the output's name, and same names get a
// number; the batch goes on past an input that fails, and prints and writes the same on one
// worker as on three.
TEST_F(SafeOutput, BatchGivesEveryInputItsOwnOutputWithAnyNumberOfWorkers) {
  test::WriteAll(Path("broken.jpg"), "not a picture at all");
  SaveBands(m_dir, "dog.png", 32, 16);
  ToolRun runs[2];
  for (const char* jobs : {"1", "3"}) {
    const std::string out = Path(std::string("out") + jobs);
    fs::create_directory(out);
    ToolRun& run = runs[jobs[0] == '3'] =
        RunCli({"convert", "-j", jobs, "-o", out, Path("a/cat.png"), Path("broken.jpg"),
                Path("b/cat.png"), Path("a/cat.png.bmp"), Path("p\xff.png"), Path("dog.png")});
    EXPECT_EQ(run.status, 1);
    for (std::size_t at; (at = run.out.find(out)) != std::string::npos;)
      run.out.erase(at, out.size());
  }
  EXPECT_EQ(runs[0].out, runs[1].out);
  EXPECT_EQ(runs[0].err, runs[1].err);
  EXPECT_NE(runs[0].out.find("[6/6]"), std::string::npos) << runs[0].out;
  EXPECT_NE(runs[0].out.find("5 of 6 converted"), std::string::npos) << runs[0].out;
  EXPECT_NE(runs[0].err.find("broken.jpg"), std::string::npos);
  EXPECT_NE(runs[0].out.find("p\\xff.png -> "), std::string::npos) << runs[0].out;
  for (const char* name :
       {"cat.png.tin", "cat.png-2.tin", "cat.png-3.tin", "p\xff.tin", "dog.tin"}) {
    EXPECT_NE(ReadAll(Path("out1/") + name), "") << name;
    EXPECT_EQ(ReadAll(Path("out1/") + name), ReadAll(Path("out3/") + name)) << name;
  }
  EXPECT_FALSE(fs::exists(Path("out1/broken.tin")));
}

// The rename gives the name a new file: a hard link to the old PNG keeps the old picture.
TEST_F(SafeOutput, PngIsReplacedNotRewrittenInPlace) {
  ASSERT_EQ(RunCli({"render", Path("p.tin"), Path("r.png")}).status, 0);
  const std::string old = ReadAll(Path("r.png"));
  fs::create_hard_link(Path("r.png"), Path("twin.png"));
  ASSERT_EQ(RunCli({"render", Path("p.tin"), Path("r.png"), "--scale", "2"}).status, 0);
  EXPECT_EQ(ReadAll(Path("twin.png")), old);
  EXPECT_NE(ReadAll(Path("r.png")), old);
}

TEST_F(SafeOutput, SmallToolFaults) {
  for (const char* command : {"convert", "render", "info", "resample", "export", "score"}) {
    const ToolRun run = RunCli({command, "--help"});
    EXPECT_EQ(run.status, 0) << command;
    EXPECT_EQ(run.out.rfind(std::string("usage: tinto ") + command, 0), 0u) << run.out;
  }
  const ToolRun escaped = RunCli({"convert", Path("\x1b[2J.png"), Path("x.tin")});
  EXPECT_EQ(escaped.err.find('\x1b'), std::string::npos);
  EXPECT_NE(escaped.err.find("\\x1b[2J.png"), std::string::npos) << escaped.err;
}

}  // namespace
}  // namespace tinto::cli

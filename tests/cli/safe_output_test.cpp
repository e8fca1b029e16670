#include <sys/stat.h>
#include <unistd.h>

#include "cli/tool_run.h"

namespace tinto::cli {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;

class SafeOutput : public ::testing::Test {
 protected:
  SafeOutput() {
    for (const char* folder : {"a", "b", "out", "folder.tin"}) fs::create_directory(Path(folder));
    QImage picture(16, 8, QImage::Format_RGB888);
    picture.fill(qRgb(200, 30, 30));
    picture.save(QString::fromStdString(Path("p.png")), "png");
    for (const char* name : {"a/cat.png", "b/cat.png", "p\xff.png"})
      fs::copy_file(Path("p.png"), Path(name));
    picture.save(QString::fromStdString(Path("a/cat.png.bmp")), "bmp");
    ::mkfifo(Path("fifo.tin").c_str(), 0600);
    RunCli({"convert", Path("p.png"), Path("p.tin")});
  }
  std::string Path(const std::string& name) const { return m_dir.File(name); }
  test::TempDir m_dir;
};

struct RefusedRun {
  Args args;
  std::string error;
};

// Each run is refused with a message naming the output, and the picture stays as it was.
TEST_F(SafeOutput, RefusesOutputsThatWouldDestroyAFile) {
  const std::string d = m_dir.Path().string();
  const RefusedRun runs[] = {
      {{"convert", d + "/p.png", d + "/p.png"}, d + "/p.png: the output is the input"},
      {{"convert", d + "/p.png", d + "/q.tin", "--preview", d + "/p.png"}, d + "/p.png: the"},
      {{"resample", d + "/p.png", d + "/./p.png", "--size", "4x4"}, d + "/./p.png: the output"},
      {{"render", d + "/p.tin", d + "/p.jpg"}, d + "/p.jpg: only PNG pictures are written"},
      {{"convert", d + "/p.png", d + "/fifo.tin"}, d + "/fifo.tin is not a regular file"},
      {{"convert", d + "/p.png", d + "/folder.tin"}, d + "/folder.tin is not a regular file"},
      {{"convert", "-o", d + "/none", d + "/p.png"}, d + "/none: no such folder"},
      {{"convert", d + "/p.png", d + "/none/q.tin"}, d + "/none/q.tin: No such file"},
  };
  for (const RefusedRun& run : runs) {
    const ToolRun result = RunCli(run.args);
    EXPECT_NE(result.status, 0) << run.error;
    EXPECT_NE(result.err.find(run.error), std::string::npos) << result.err;
  }
  EXPECT_EQ(ReadAll(Path("p.png")), ReadAll(Path("a/cat.png")));
  EXPECT_TRUE(fs::is_fifo(Path("fifo.tin")));
  EXPECT_FALSE(fs::exists(Path("p.jpg")));
}

TEST_F(SafeOutput, BatchGivesEveryInputItsOwnOutput) {
  const ToolRun run = RunCli({"convert", "-o", Path("out"), Path("a/cat.png"), Path("b/cat.png"),
                              Path("a/cat.png.bmp"), Path("p\xff.png")});
  EXPECT_NE(run.out.find("4 of 4 converted"), std::string::npos) << run.out << run.err;
  for (const char* name : {"cat.png.tin", "cat.png-2.tin", "cat.png-3.tin", "p\xff.tin"})
    EXPECT_TRUE(fs::is_regular_file(Path("out") + "/" + name)) << name;
  EXPECT_NE(run.out.find("p\\xff.png -> "), std::string::npos) << run.out;
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
  fs::copy_file(Path("p.tin"), Path("trip.odyssey.tin"));
  EXPECT_EQ(RunCli({"info", Path("trip.odyssey.tin")}).status, 0);
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

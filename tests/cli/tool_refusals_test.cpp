// Every command's refusals: usage errors end with status 2, files that cannot be read or written
// with status 1, and nothing is written. "@" stands for the test's folder.
#include <sys/stat.h>

#include "cli/tool_run.h"

namespace tinto::cli {
namespace {

std::string Expand(std::string text, const std::string& folder) {
  for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, folder);
  return text;
}

TEST(ToolRefusals, EndWithTheirStatusAndMessage) {
  test::TempDir dir;
  SaveBands(dir, "in.png", 64, 64);
  ASSERT_EQ(RunCli({"convert", dir.File("in.png"), dir.File("p.tin")}).status, 0);
  std::filesystem::create_directory(dir.File("folder.png"));
  ::mkfifo(dir.File("fifo.tin").c_str(), 0600);
  const std::string picture = test::ReadAll(dir.File("in.png"));
  // clang-format off
  // Arguments, status, part of standard error.
  const std::tuple<Args, int, std::string> refusals[] = {
      // Too few arguments or an unknown command.
      {{}, 2, ""}, {{"frobnicate"}, 2, ""}, {{"convert", "@in.png"}, 2, ""}, {{"info"}, 2, ""},
      {{"render", "@p.tin"}, 2, ""}, {{"score", "@p.tin"}, 2, ""},
      {{"convert", "@in.png", "@o.tin", "--filter", "Sinc"}, 2, ""},
      {{"convert", "@in.png", "@o.tin", "--crop", "1,2,3"}, 2, ""},
      {{"convert", "@in.png", "@o.tin", "--crop", "2147483646,0,2147483647,10"}, 1,
       "outside the picture"},
      {{"convert", "@in.png", "@o.tin", "--crop", "2147483647,0,-2147483648,10"}, 2, "R > L"},
      {{"convert", "@in.png", "@o.tin", "--crop", "0,0,2147483648,10"}, 2, "L,T,R,B"},
      {{"convert", "@missing.jpg", "@o.tin"}, 1, "missing.jpg"},
      {{"convert", "@in.png", "@o.tin", "--frames", "f0.png"}, 2, ""},
      {{"convert", "-o", "@", "@in.png", "@in.png", "--preview", "p.png"}, 2, ""},
      {{"convert", "@in.png", "@o.tin", "--method", "fancy"}, 2,
       "unknown method \"fancy\" (Classic or Perceptual)"},
      {{"convert", "@in.png", "@o.tin", "--lr", "1.5"}, 2, "--lr needs a whole number, not \"1.5\""},
      {{"convert", "@in.png", "@o.tin", "--flicker-weight", "lots"}, 2,
       "--flicker-weight needs a number, not \"lots\""},
      {{"convert", "-j", "two", "@in.png", "@o.tin"}, 2, "--jobs needs a whole number"},
      {{"convert", "@in.png", "@o.tin", "-j"}, 2, ""},
      {{"resample", "@in.png", "@o.png", "--size", "0x8"}, 2, ""},
      {{"resample", "@in.png", "@o.png"}, 2, ""},
      {{"resample", "@missing.bmp", "@o.png", "--size", "2x2"}, 1, ""},
      {{"render", "@p.tin", "@o.png", "--frame", "2"}, 2, ""},
      {{"render", "@p.tin", "@o.png", "--scale", "two"}, 2, ""},
      {{"render", "@a.od0", "@o.png", "--dx", "3"}, 2, ""},
      {{"render", "@p.tin", "@folder.png"}, 1, ""},
      {{"export", "@p.tin", "o", "--dx", "3"}, 2, "--dx and --dy go together"},
      {{"export", "@none/p.tin", "@none/pair"}, 1, "none"},
      // Read failures name the file.
      {{"info", "@fifo.tin"}, 1, "@fifo.tin: Read beyond end of file\n"},
      {{"render", "@folder.png", "@o.png"}, 1, "@folder.png: Is a directory\n"},
      {{"export", "@p.tin", "@o.img", "--frame", "1"}, 2, "--frame chooses the screen of a .scr"},
      {{"export", "@p.tin", "@o.scr", "--frame", "2"}, 2, "--frame takes 0 or 1"},
      {{"score", "@in.png", "@p.tin", "--what"}, 2, ""},
      {{"score", "@none.png", "@p.tin"}, 1, "none.png"},
      {{"score", "@in.png", "@none.tin"}, 1, "none.tin"},
      // Outputs that would destroy a file are refused naming the output.
      {{"convert", "@in.png", "@in.png"}, 1, "@in.png: the output is the input"},
      {{"convert", "@in.png", "@q.tin", "--preview", "@in.png"}, 1, "@in.png: the output"},
      {{"resample", "@in.png", "@./in.png", "--size", "4x4"}, 2, "@./in.png: the output"},
      {{"render", "@p.tin", "@p.jpg"}, 2, "@p.jpg: only PNG pictures are written"},
      {{"convert", "@in.png", "@fifo.tin"}, 1, "@fifo.tin is not a regular file"},
      {{"convert", "-o", "@none", "@in.png"}, 1, "@none: no such folder"},
      {{"convert", "@in.png", "@none/q.tin"}, 1, "@none/q.tin: No such file"},
  };
  // clang-format on
  const std::string folder = dir.Path().string() + "/";
  for (const auto& [refused, status, error] : refusals) {
    Args args;
    for (const std::string& arg : refused) args.push_back(Expand(arg, folder));
    const ToolRun run = RunCli(args);
    EXPECT_EQ(run.status, status) << testing::PrintToString(args) << run.err;
    EXPECT_NE(run.err.find(Expand(error, folder)), std::string::npos) << run.err;
  }
  for (const char* name : {"o.tin", "o.png", "o.od0", "pair.od0", "p.png", "p.jpg", "q.tin"})
    EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
  EXPECT_EQ(test::ReadAll(dir.File("in.png")), picture);
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("fifo.tin")));
}

}  // namespace
}  // namespace tinto::cli

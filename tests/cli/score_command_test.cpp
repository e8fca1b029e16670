#include <regex>

#include "cli/tool_run.h"

namespace tinto::cli {
namespace {

// A small photo-like picture: a diagonal colour ramp with a darker square.
std::string MakePhoto(const test::TempDir& dir, int width, int height) {
  return SavePicture(dir, "photo.png", width, height, [=](int x, int y) {
    const bool square = x > width / 2 && y < height / 2;
    return square ? qRgb(90, 40, 20) : qRgb(x * 3 % 256, y * 5 % 256, 180 - y);
  });
}

TEST(ScoreCommand, ThePicturesOwnMixScoresPerfectly) {
  test::TempDir dir;
  const std::string tin = dir.File("p.tin"), mix = dir.File("mix.png");
  ASSERT_EQ(RunCli({"convert", MakePhoto(dir, 40, 24), tin, "--dx", "5", "--dy", "24"}).status, 0);
  ASSERT_EQ(RunCli({"render", tin, mix, "--frame", "mix"}).status, 0);
  const ToolRun run = RunCli({"score", mix, tin});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string scores = "{\"image\": \"mix\", \"seen\": \"" + tin +
                             "\", \"size\": \"40x24\", \"de00\": 0.0000, \"de00_blur\": 0.0000, "
                             "\"ssim_y\": 1.0000, \"flicker\": ";
  ASSERT_EQ(run.out.substr(0, scores.size()), scores);
  EXPECT_TRUE(std::regex_match(run.out.substr(scores.size()),
                               std::regex("0\\.\\d{4}, \"flicker_block95\": 0\\.\\d{4}\\}\n")))
      << run.out;
}

// The plain path's previews differ from the file outside the 8x1 window; the frames written
// must be the file's.
TEST(ScoreCommand, FramesOfThePlainPathAreWhatRenderShows) {
  test::TempDir dir;
  const std::string tin = dir.File("p.tin");
  ASSERT_EQ(
      RunCli({"convert", MakePhoto(dir, 64, 16), tin, "--no-dither", "--dx", "8", "--mlt-left", "2",
              "--mlt-width", "3", "--frames", dir.File("f0.png"), dir.File("f1.png")})
          .status,
      0);
  for (const char* frame : {"0", "1"}) {
    const std::string rendered = dir.File(std::string("r") + frame + ".png");
    ASSERT_EQ(RunCli({"render", tin, rendered, "--frame", frame}).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(dir.File(std::string("f") + frame + ".png"))),
              QImage(QString::fromStdString(rendered)))
        << frame;
  }
}

// The options printed by --auto, given without it, write the same file; Auto considers both
// methods whichever one is given.
TEST(ScoreCommand, AutoPrintsOptionsThatReproduceItsFile) {
  test::TempDir dir;
  const std::string photo = MakePhoto(dir, 48, 32);
  const Args size = {"--dx", "6", "--dy", "32", "--mlt-width", "3"};
  for (const char* method : {"classic", "perceptual"}) {
    Args automatic = {"convert", photo,      dir.File(method + std::string(".tin")),
                      "--auto",  "--method", method};
    automatic.insert(automatic.end(), size.begin(), size.end());
    const ToolRun run = RunCli(automatic);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.out.rfind("auto: --method ", 0), 0u) << run.out;
    Args again = {"convert", photo, dir.File("again.tin")};
    again.insert(again.end(), size.begin(), size.end());
    std::istringstream printed(run.out.substr(6));
    for (std::string word; printed >> word;) again.push_back(word);
    ASSERT_EQ(RunCli(again).status, 0);
    EXPECT_EQ(test::ReadAll(dir.File(method + std::string(".tin"))),
              test::ReadAll(dir.File("again.tin")));
  }
  EXPECT_EQ(test::ReadAll(dir.File("classic.tin")), test::ReadAll(dir.File("perceptual.tin")));
}

}  // namespace
}  // namespace tinto::cli

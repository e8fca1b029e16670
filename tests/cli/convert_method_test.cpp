#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <iterator>

#include "cli/tool_run.h"
#include "support/temp_dir.h"

namespace tinto::cli {
namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A soft diagonal gradient: the two methods cannot come out alike on it.
std::string MakeGradient(const test::TempDir& dir) {
  QImage image(64, 48, QImage::Format_RGB888);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 5, 128));
  const std::string path = dir.File("gradient.png");
  EXPECT_TRUE(image.save(QString::fromStdString(path)));
  return path;
}

TEST(ConvertMethod, ChoosesTheMethodByNameInAnyCase) {
  test::TempDir dir;
  const std::string in = MakeGradient(dir);
  ASSERT_EQ(RunCli({"convert", in, dir.File("c.tin")}).status, 0);
  ASSERT_EQ(RunCli({"convert", in, dir.File("c2.tin"), "--method", "classic"}).status, 0);
  ASSERT_EQ(RunCli({"convert", in, dir.File("p.tin"), "--method", "perceptual"}).status, 0);
  ASSERT_EQ(RunCli({"convert", in, dir.File("p2.tin"), "--method", "Perceptual"}).status, 0);
  EXPECT_EQ(Bytes(dir.File("c.tin")), Bytes(dir.File("c2.tin")));
  EXPECT_EQ(Bytes(dir.File("p.tin")), Bytes(dir.File("p2.tin")));
  EXPECT_NE(Bytes(dir.File("c.tin")), Bytes(dir.File("p.tin")));
}

TEST(ConvertMethod, RefusesAnUnknownMethodByName) {
  test::TempDir dir;
  const std::string in = MakeGradient(dir);
  ToolRun run = RunCli({"convert", in, dir.File("x.tin"), "--method", "fancy"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("unknown method \"fancy\" (classic or perceptual)"), std::string::npos);
  EXPECT_EQ(RunCli({"convert", in, dir.File("x.tin"), "--method"}).status, 2);
  EXPECT_EQ(RunCli({"convert", in, dir.File("x.tin"), "--auto", "--method", "perceptual"}).status,
            2);
  EXPECT_TRUE(Bytes(dir.File("x.tin")).empty());
}

}  // namespace
}  // namespace tinto::cli

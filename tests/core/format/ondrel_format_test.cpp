#include "core/format/ondrel_format.h"

#include <gtest/gtest.h>

#include "core/model/model_test_helpers.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using test::TempDir;

struct PathCase {
  const char* path;
  bool ondrel;
};

class OndrelPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(OndrelPath, LooksForDotOdInTheFileNameOnly) {
  EXPECT_EQ(IsOndrelPath(GetParam().path), GetParam().ondrel) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Names, OndrelPath,
    ::testing::Values(PathCase{"/pics/cat.od0", true}, PathCase{"cat.od1", true},
                      PathCase{"/pics/cat.od", true}, PathCase{"/a/cat.odd.tin", true},
                      PathCase{"/pics.od/cat.tin", false}, PathCase{"/a.od0/b/cat.tin", false},
                      PathCase{"/pics/cat.OD0", false}, PathCase{"/pics/cat.tin", false},
                      PathCase{"/x.od/", false}, PathCase{"", false}));

// A window of its own (3, 7), which reading a two-file picture replaces.
ScreenGeometry Geometry(int dx, int dy, AttrMode mode = AttrMode::Mode8x1) {
  return test::MakeGeometry(dx, dy, mode, 3, 7);
}

// Byte i of frame f's file: pixels in the first half, attributes in the second.
std::string FrameFile(FrameIndex f, int dx, int dy) {
  std::string bytes(2 * static_cast<std::size_t>(dx * dy), '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 3 + f * 100);
  return bytes;
}

class OndrelFiles : public ::testing::Test {
 protected:
  std::string Stem() const { return m_dir.File("pic.od"); }
  void WriteFrames(int dx, int dy) {
    test::WriteAll(Stem() + "0", FrameFile(0, dx, dy));
    test::WriteAll(Stem() + "1", FrameFile(1, dx, dy));
  }
  // Expects a failure with `message` that left buffers and geometry as they were.
  void ExpectRefused(const std::string& chosen, const std::string& message) {
    ScreenBuffers screen;
    screen.Pixels().fill(0x11);
    ScreenGeometry geometry = Geometry(18, 192);
    std::string name;
    EXPECT_EQ(ReadOndrelFiles(chosen, screen, geometry, name).Message(), message);
    EXPECT_EQ(name, Stem());
    EXPECT_EQ(geometry, Geometry(18, 192));
    EXPECT_EQ(screen.PixelByte(0, 0, 0), 0x11);
    EXPECT_EQ(screen.AttrByte(1, 191, 17), 0x00);
  }
  std::string SizeMessage(const std::string& name) const {
    return "Size of file " + name + " incorrect.\n\rCorrect TotalWidth and DY Values.";
  }

  TempDir m_dir;
};

TEST_F(OndrelFiles, ReadsPixelsThenAttributesOfBothFrames) {
  WriteFrames(18, 192);
  ScreenBuffers screen;
  ScreenGeometry geometry = Geometry(18, 192, AttrMode::Mode8x2);
  std::string name;
  ASSERT_TRUE(ReadOndrelFiles(Stem() + "1", screen, geometry, name));
  EXPECT_EQ(name, Stem());
  // Byte i = row * 18 + column holds (i * 3 + f * 100) mod 256; attributes start at 3456.
  EXPECT_EQ(screen.PixelByte(0, 0, 1), 3);
  EXPECT_EQ(screen.PixelByte(0, 1, 0), (18 * 3) % 256);
  EXPECT_EQ(screen.PixelByte(1, 191, 17), (3455 * 3 + 100) % 256);
  EXPECT_EQ(screen.AttrByte(0, 0, 0), (3456 * 3) % 256);
  EXPECT_EQ(screen.AttrByte(1, 2, 5), ((3456 + 41) * 3 + 100) % 256);
  EXPECT_EQ(screen.PixelByte(0, 0, 18), 0);  // outside DX
  EXPECT_EQ(geometry.Window(), (MltWindow{0, 18}));
  EXPECT_EQ(geometry.Mode(), AttrMode::Mode8x2);
  EXPECT_EQ(geometry.DX(), 18);
}

TEST_F(OndrelFiles, WindowWidthFollowsDxUpToEighteen) {
  for (int dx : {5, 20, 32}) {
    WriteFrames(dx, 16);
    ScreenBuffers screen;
    ScreenGeometry geometry = Geometry(dx, 16);
    std::string name;
    ASSERT_TRUE(ReadOndrelFiles(Stem() + "0", screen, geometry, name));
    EXPECT_EQ(geometry.Window(), (MltWindow{0, dx < 18 ? dx : 18}));
  }
}

TEST_F(OndrelFiles, RefusesAFileOfTheWrongSizeNamingIt) {
  WriteFrames(18, 192);
  test::WriteAll(Stem() + "1", FrameFile(1, 18, 192) + "x");  // 6913 bytes
  ExpectRefused(Stem() + "0", SizeMessage(Stem() + "1"));
  test::WriteAll(Stem() + "0", FrameFile(0, 18, 192).substr(1));  // 6911 bytes
  ExpectRefused(Stem() + "0", SizeMessage(Stem() + "0"));
  test::WriteAll(Stem() + "0", "");
  ExpectRefused(Stem() + "0", SizeMessage(Stem() + "0"));
}

TEST_F(OndrelFiles, ReportsTheMissingFrameFile) {
  test::WriteAll(Stem() + "0", FrameFile(0, 18, 192));
  ExpectRefused(Stem() + "0", "File " + Stem() + "1 not found.");
  ExpectRefused(Stem() + "X", "File " + Stem() + "1 not found.");
  std::filesystem::remove(Stem() + "0");
  test::WriteAll(Stem() + "1", FrameFile(1, 18, 192));
  ExpectRefused(Stem() + "1", "File " + Stem() + "0 not found.");
}

TEST(OndrelFormat, EmptyPathGivesAnEmptyStem) {
  ScreenBuffers screen;
  ScreenGeometry geometry;
  std::string name = "old";
  ReadOndrelFiles("", screen, geometry, name);
  EXPECT_EQ(name, "");
}

}  // namespace
}  // namespace tinto

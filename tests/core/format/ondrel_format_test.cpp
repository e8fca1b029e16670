#include "core/format/ondrel_format.h"

#include "core/model/model_test_helpers.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using namespace test;

// Either file of a pair names the picture by its stem; an empty path has an empty stem.
// Two-file pictures are told by their extension; a .tin is never one.
TEST(OndrelFormat, PathsEndingInDotOd0OrDotOd1Only) {
  ScreenBuffers screen;
  ScreenGeometry geometry;
  std::string name = "old";
  ReadOndrelFiles("", screen, geometry, name);
  EXPECT_EQ(name, "");
  for (const char* path : {"/pics/cat.od0", "cat.od1", "/a/trip.odyssey.od1"})
    EXPECT_TRUE(IsOndrelPath(path)) << path;
  for (const char* path : {"/pics.od/cat.tin", "/a.od0/b/cat.tin", "/pics/cat.OD0", "/x.od/",
                           "/pics/cat.od", "/a/cat.odd.tin", "trip.odyssey.tin", "/x/.od0", ""})
    EXPECT_FALSE(IsOndrelPath(path)) << path;
}

// Byte i of frame f's file is i * 3 + f * 100: pixels in the first half, attributes in the
// second.
std::string FrameFile(FrameIndex f, int dx, int dy) {
  std::string bytes(2 * static_cast<std::size_t>(dx * dy), '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 3 + f * 100);
  return bytes;
}

class OndrelFiles : public ::testing::Test {
 protected:
  std::string Stem() const { return m_dir.File("pic.od"); }
  void WriteFrames(int dx, int dy) {
    WriteAll(Stem() + "0", FrameFile(0, dx, dy));
    WriteAll(Stem() + "1", FrameFile(1, dx, dy));
  }
  // The read's message; a failure must leave buffers and geometry as they were. The window
  // (3, 7) is one of the geometry's own, which a successful read replaces.
  std::string Read(const std::string& chosen, int dx, int dy, AttrMode mode = AttrMode::Mode8x1) {
    screen.Pixels().fill(0x11);
    geometry = MakeGeometry(dx, dy, mode, 3, 7);
    const ScreenBuffers before = screen;
    const ScreenGeometry geometryBefore = geometry;
    std::string name;
    const Status status = ReadOndrelFiles(chosen, screen, geometry, name);
    EXPECT_EQ(name, Stem());
    if (!status) {
      EXPECT_EQ(geometry, geometryBefore);
      EXPECT_EQ(FirstDifference(screen, before), "");
    }
    return status.Message();
  }
  std::string SizeMessage(const std::string& name) const {
    return "Size of file " + name + " incorrect.\n\rCorrect TotalWidth and DY Values.";
  }

  TempDir m_dir;
  ScreenBuffers screen;
  ScreenGeometry geometry;
};

// Byte i = row * 18 + column; attributes start at 3456.
TEST_F(OndrelFiles, ReadsPixelsThenAttributesOfBothFrames) {
  WriteFrames(18, 192);
  ASSERT_EQ(Read(Stem() + "1", 18, 192, AttrMode::Mode8x2), "");
  EXPECT_EQ(screen.PixelByte(0, 0, 1), 3);
  EXPECT_EQ(screen.PixelByte(0, 1, 0), (18 * 3) % 256);
  EXPECT_EQ(screen.PixelByte(1, 191, 17), (3455 * 3 + 100) % 256);
  EXPECT_EQ(screen.AttrByte(0, 0, 0), (3456 * 3) % 256);
  EXPECT_EQ(screen.AttrByte(1, 2, 5), ((3456 + 41) * 3 + 100) % 256);
  EXPECT_EQ(screen.PixelByte(0, 0, 18), 0x11);  // outside DX
  EXPECT_EQ(geometry, MakeGeometry(18, 192, AttrMode::Mode8x2, 0, 18));
  for (int dx : {5, 20, 32}) {
    WriteFrames(dx, 16);
    ASSERT_EQ(Read(Stem() + "0", dx, 16), "");
    EXPECT_EQ(geometry.Window(), (MltWindow{0, dx < 18 ? dx : 18}));
  }
}

// Frame 0's file is checked first; either file of the pair may be chosen.
TEST_F(OndrelFiles, RefusesAMissingUnreadableOrWrongSizedFileNamingIt) {
  const std::string frame0 = Stem() + "0", frame1 = Stem() + "1";
  WriteAll(frame0, FrameFile(0, 18, 192));
  EXPECT_EQ(Read(frame0, 18, 192), "File " + frame1 + " not found.");
  EXPECT_EQ(Read(Stem() + "X", 18, 192), "File " + frame1 + " not found.");
  WriteAll(frame1, FrameFile(1, 18, 192) + "x");  // 6913 bytes
  EXPECT_EQ(Read(frame0, 18, 192), SizeMessage(frame1));
  WriteAll(frame0, FrameFile(0, 18, 192).substr(1));  // 6911 bytes
  EXPECT_EQ(Read(frame1, 18, 192), SizeMessage(frame0));
  std::filesystem::remove(frame0);
  EXPECT_EQ(Read(frame1, 18, 192), "File " + frame0 + " not found.");
  // A system error names the frame file it is about.
  WriteAll(frame0, FrameFile(0, 18, 192));
  std::filesystem::remove(frame1);
  std::filesystem::create_directory(frame1);
  EXPECT_EQ(Read(frame0, 18, 192), frame1 + ": Is a directory");
}

// A stem is taken without ".od0"/".od1"; one that would put hidden ".od0"/".od1" files inside
// a folder is refused.
TEST_F(OndrelFiles, StemsDropTheirFrameExtensionAndFoldersAreRefused) {
  std::filesystem::create_directory(m_dir.File("dir"));
  const std::pair<std::string, std::string> taken[] = {
      {"pic", "pic"},       {"pic.od0", "pic"},     {"a/pic.od1", "a/pic"},
      {"pic.od", "pic.od"}, {"pic.od2", "pic.od2"}, {"pic.od0.od1", "pic.od0"}};
  std::string stem;
  for (const auto& [name, expected] : taken) {
    ASSERT_TRUE(OndrelStemOf(name, stem)) << name;
    EXPECT_EQ(stem, expected);
  }
  for (const std::string& name :
       {m_dir.File("dir"), m_dir.File("dir") + "/", m_dir.File("dir/.od0"), std::string("."),
        std::string("../.od1"), std::string("")}) {
    const Status refused = OndrelStemOf(name, stem);
    EXPECT_FALSE(refused) << name;
    EXPECT_TRUE(refused.Message().starts_with(name + ": names a folder")) << refused.Message();
  }
}

// The writer's layout, worked out by hand on a 3 x 2 picture with one pixel byte and one
// attribute byte set, reads back as the same picture.
TEST_F(OndrelFiles, WritesTheLayoutTheReaderReadsBack) {
  geometry = MakeGeometry(3, 2);
  screen.PixelByte(1, 1, 2) = 0xA5;
  screen.AttrByte(1, 0, 1) = 0x47;
  ASSERT_TRUE(WriteOndrelFiles(m_dir.File("pic"), screen, geometry));
  EXPECT_EQ(ReadAll(Stem() + "0"), std::string(12, '\0'));
  EXPECT_EQ(ReadAll(Stem() + "1"), std::string("\0\0\0\0\0\xA5\0\x47\0\0\0\0", 12));
  ScreenBuffers back;
  std::string name;
  ASSERT_TRUE(ReadOndrelFiles(Stem() + "1", back, geometry, name));
  EXPECT_EQ(FirstDifference(back, screen), "");
}

}  // namespace
}  // namespace tinto

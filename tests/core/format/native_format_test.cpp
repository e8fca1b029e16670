#include "core/format/native_format.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/model/model_test_helpers.h"
#include "support/temp_dir.h"
#include "support/without_file_override.h"

namespace tinto {
namespace {

using test::MakeGeometry;
using test::ReadAll;
using test::TempDir;

const std::string kReadBeyondEnd = "Read beyond end of file";

std::string NotTinto(const std::string& path) { return "File " + path + "\n\rIs not Tinto File."; }

std::string Header(int mode, int dx, int dy, int left, int width) {
  std::string h = "TIN";
  for (int v : {mode, dx, dy, left, width}) h.push_back(static_cast<char>(v));
  return h;
}

// Distinct bytes for every place of both blocks, many with bit 7 set.
std::uint8_t PatternByte(int block, FrameIndex f, int row, int column) {
  return static_cast<std::uint8_t>(block * 101 + f * 53 + row * 7 + column * 29 + 1);
}

ScreenBuffers PatternScreen() {
  ScreenBuffers s;
  for (FrameIndex f = 0; f < 2; ++f)
    for (int row = 0; row < kScreenHeight; ++row)
      for (int column = 0; column < kRowBytes; ++column) {
        s.PixelByte(f, row, column) = PatternByte(0, f, row, column);
        s.AttrByte(f, row, column) = PatternByte(1, f, row, column);
      }
  return s;
}

ScreenBuffers FilledScreen(std::uint8_t value) {
  ScreenBuffers s;
  s.Pixels().fill(value);
  s.Attrs().fill(value);
  return s;
}

// Neither the pattern nor any geometry a test file holds.
ScreenGeometry DistinctGeometry() { return MakeGeometry(7, 9, AttrMode::Mode8x2, 1, 2); }

struct Probe {
  bool attribute;
  FrameIndex frame;
  int row, column;
  std::size_t offset;  // where the file holds the byte
};

struct LayoutCase {
  const char* what;
  ScreenGeometry geometry;
  std::size_t size;
  std::vector<Probe> probes;
  Probe unstored;  // offset unused
};

class NativeLayout : public ::testing::TestWithParam<LayoutCase> {};

// Header, then the pixel block of both frames, then the attribute blocks: in 8x1 mode the MLT
// window in 8x1 cells, then 8x8 cells left of it, then right of it; in 8x2 mode the first row
// of each pair. Columns past DX and rows no block stores are not in the file.
TEST_P(NativeLayout, PutsEveryByteInItsPlace) {
  const LayoutCase& c = GetParam();
  ScreenBuffers s;
  auto byte = [&s](const Probe& p) -> std::uint8_t& {
    return p.attribute ? s.AttrByte(p.frame, p.row, p.column)
                       : s.PixelByte(p.frame, p.row, p.column);
  };
  for (std::size_t i = 0; i < c.probes.size(); ++i)
    byte(c.probes[i]) = static_cast<std::uint8_t>(0x81 + i);
  byte(c.unstored) = 0xEE;
  const std::string file = EncodeNativeFile(s, c.geometry);
  ASSERT_EQ(file.size(), c.size);
  const MltWindow window = c.geometry.Window();
  EXPECT_EQ(file.substr(0, 8), Header(c.geometry.Mode() == AttrMode::Mode8x2, c.geometry.DX(),
                                      c.geometry.DY(), window.left, window.width));
  for (std::size_t i = 0; i < c.probes.size(); ++i)
    EXPECT_EQ(static_cast<std::uint8_t>(file.at(c.probes[i].offset)), 0x81 + i) << i;
  EXPECT_EQ(file.find('\xEE'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Geometries, NativeLayout,
    ::testing::Values(LayoutCase{"Default",
                                 ScreenGeometry(),
                                 13832,
                                 {{false, 0, 191, 17, 8 + 191 * 18 + 17},
                                  {false, 1, 0, 0, 8 + 3456},
                                  {true, 0, 0, 0, 6920},
                                  {true, 1, 5, 3, 6920 + 3456 + 5 * 18 + 3},
                                  {true, 1, 191, 17, 13831}},
                                 {false, 0, 0, 18, 0}},  // past DX
                      LayoutCase{"EightByTwo",
                                 MakeGeometry(32, 192, AttrMode::Mode8x2),
                                 18440,
                                 {{true, 0, 2, 5, 8 + 12288 + 32 + 5}, {true, 1, 190, 31, 18439}},
                                 {true, 0, 3, 5, 0}},  // second row of a pair
                      // 8 + pixels 2*20*16 + window 2*10*16 + left 2*5*2 + right 2*5*2
                      LayoutCase{"SplitWindow",
                                 MakeGeometry(20, 16, AttrMode::Mode8x1, 5, 10),
                                 1008,
                                 {{true, 0, 3, 5, 648 + 3 * 10},
                                  {true, 1, 15, 14, 808 + 15 * 10 + 9},
                                  {true, 0, 8, 4, 968 + 5 + 4},
                                  {true, 1, 0, 0, 978},
                                  {true, 0, 0, 15, 988},
                                  {true, 1, 8, 19, 1007}},
                                 {true, 0, 9, 4, 0}}),  // second row of an 8x8 cell
    [](const auto& info) { return std::string(info.param.what); });

TEST(NativeFormat, WindowReachingPastDxIsClampedBeforeWriting) {
  std::string file =
      EncodeNativeFile(ScreenBuffers(), MakeGeometry(10, 8, AttrMode::Mode8x1, 4, 18));
  EXPECT_EQ(file.substr(0, 8), Header(0, 10, 8, 0, 10));
  EXPECT_EQ(file.size(), 8u + 160 + 160);
}

struct RoundTripCase {
  AttrMode mode;
  int dx, dy, left, width;
  std::size_t fileSize;
};

class NativeRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Row whose attribute a row takes after saving and loading, or -1 when no block stores it.
int StoredRowFor(const RoundTripCase& c, int row, int column) {
  if (c.mode == AttrMode::Mode8x2) return row / 2 < c.dy / 2 ? row - row % 2 : -1;
  if (column >= c.left && column < c.left + c.width) return row;
  return row / 8 < c.dy / 8 ? row - row % 8 : -1;
}

// Bytes after the last block are ignored.
TEST_P(NativeRoundTrip, ReloadsEveryStoredByteAndZeroesUnstoredRows) {
  const RoundTripCase& c = GetParam();
  ScreenGeometry saved = MakeGeometry(c.dx, c.dy, c.mode, c.left, c.width);
  std::string file = EncodeNativeFile(PatternScreen(), saved);
  ASSERT_EQ(file.size(), c.fileSize);

  ScreenBuffers loaded = FilledScreen(0xEE);
  ScreenGeometry geometry = DistinctGeometry();
  ASSERT_TRUE(DecodeNativeFile(file + std::string(1000, '\xFF'), "x.tin", loaded, geometry));
  EXPECT_EQ(geometry, saved);
  for (FrameIndex f = 0; f < 2; ++f)
    for (int row = 0; row < kScreenHeight; ++row)
      for (int column = 0; column < kRowBytes; ++column) {
        SCOPED_TRACE(testing::Message() << "frame " << f << " row " << row << " column " << column);
        bool inside = row < c.dy && column < c.dx;
        int source = inside ? StoredRowFor(c, row, column) : -1;
        EXPECT_EQ(loaded.PixelByte(f, row, column), inside ? PatternByte(0, f, row, column) : 0xEE);
        std::uint8_t attr = source >= 0 ? PatternByte(1, f, source, column) : (inside ? 0 : 0xEE);
        EXPECT_EQ(loaded.AttrByte(f, row, column), attr);
      }
}

INSTANTIATE_TEST_SUITE_P(
    Geometries, NativeRoundTrip,
    ::testing::Values(RoundTripCase{AttrMode::Mode8x1, 18, 192, 0, 18, 13832},
                      RoundTripCase{AttrMode::Mode8x2, 32, 192, 0, 18, 18440},
                      // 95 cell rows per frame; row 190 is not stored.
                      RoundTripCase{AttrMode::Mode8x2, 32, 191, 0, 18, 8 + 12224 + 6080},
                      RoundTripCase{AttrMode::Mode8x1, 20, 16, 5, 10, 1008},
                      // left 3 columns and right 11 columns of 12 cell rows; rows 96..99 unstored.
                      RoundTripCase{AttrMode::Mode8x1, 32, 100, 3, 18, 8 + 6400 + 3600 + 72 + 264},
                      RoundTripCase{AttrMode::Mode8x1, 1, 8, 0, 1, 8 + 16 + 16},
                      RoundTripCase{AttrMode::Mode8x1, 32, 13, 0, 18, 8 + 832 + 468 + 28}));

struct RejectCase {
  const char* what;
  std::string header;
};

class NativeHeaderCheck : public ::testing::TestWithParam<RejectCase> {};

TEST_P(NativeHeaderCheck, RejectsWithoutTouchingPictureOrGeometry) {
  std::string file = GetParam().header + std::string(kMaxNativeFileBytes, '\x55');
  ScreenBuffers screen = FilledScreen(0x11);
  ScreenGeometry geometry = DistinctGeometry();
  Status status = DecodeNativeFile(file, "/p/a.tin", screen, geometry);
  EXPECT_EQ(status.Message(), NotTinto("/p/a.tin"));
  EXPECT_EQ(geometry, DistinctGeometry());
  EXPECT_EQ(screen.Pixels(), FilledScreen(0x11).Pixels());
  EXPECT_EQ(screen.Attrs(), FilledScreen(0x11).Attrs());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, NativeHeaderCheck,
    ::testing::Values(
        RejectCase{"magic", "TIM" + Header(0, 18, 192, 0, 18).substr(3)},
        RejectCase{"lowercase", "tin" + Header(0, 18, 192, 0, 18).substr(3)},
        RejectCase{"dx0", Header(0, 0, 192, 0, 0)}, RejectCase{"dx33", Header(0, 33, 192, 0, 18)},
        RejectCase{"dx255", Header(1, 255, 192, 0, 18)}, RejectCase{"dy7", Header(0, 18, 7, 0, 18)},
        RejectCase{"dy0", Header(0, 18, 0, 0, 18)}, RejectCase{"dy193", Header(0, 18, 193, 0, 18)},
        RejectCase{"windowPastDx", Header(0, 10, 192, 5, 6)},
        RejectCase{"windowPast32", Header(0, 32, 192, 20, 20)},
        RejectCase{"huge", Header(0, 32, 192, 255, 255)}),
    [](const testing::TestParamInfo<RejectCase>& info) { return info.param.what; });

TEST(NativeFormat, TruncationAtAnyLengthFailsAndChangesNothing) {
  std::string file =
      EncodeNativeFile(PatternScreen(), MakeGeometry(20, 16, AttrMode::Mode8x1, 5, 10));
  ASSERT_EQ(file.size(), 1008u);
  for (std::size_t length = 0; length < file.size(); ++length) {
    ScreenBuffers screen = FilledScreen(0x11);
    ScreenGeometry geometry = DistinctGeometry();
    Status status =
        DecodeNativeFile(std::string_view(file).substr(0, length), "t.tin", screen, geometry);
    ASSERT_EQ(status.Message(), kReadBeyondEnd) << "length " << length;
    ASSERT_EQ(geometry, DistinctGeometry()) << "length " << length;
    ASSERT_EQ(screen.Attrs(), FilledScreen(0x11).Attrs()) << "length " << length;
    ASSERT_EQ(screen.Pixels(), FilledScreen(0x11).Pixels()) << "length " << length;
  }
}

// Header values the geometry's setters clamp, and the blocks each needs (one byte fewer fails).
TEST(NativeFormat, HeaderValuesPassThroughTheGeometrysClamping) {
  struct Case {
    std::string header;
    std::size_t blocks;
    ScreenGeometry expected;
  };
  const Case cases[] = {
      // W 24 on DX 32, DY 8: 24 window columns and 8 right columns of one cell row.
      {Header(0, 32, 8, 0, 24), 512 + 384 + 16, MakeGeometry(32, 8, AttrMode::Mode8x1, 0, 18)},
      // Mode byte 7 means 8x1.
      {Header(7, 4, 8, 1, 2), 64 + 32 + 2 + 2, MakeGeometry(4, 8, AttrMode::Mode8x1, 1, 2)},
      // W 0: all columns left of an empty window.
      {Header(0, 4, 8, 4, 0), 64 + 8, MakeGeometry(4, 8, AttrMode::Mode8x1, 4, 1)},
      {Header(0, 32, 8, 32, 0), 512 + 64, MakeGeometry(32, 8, AttrMode::Mode8x1, 31, 1)},
  };
  for (const Case& c : cases) {
    ScreenBuffers screen;
    ScreenGeometry geometry = DistinctGeometry();
    std::string file = c.header + std::string(c.blocks, '\x01');
    EXPECT_TRUE(DecodeNativeFile(file, "c.tin", screen, geometry));
    EXPECT_EQ(geometry, c.expected);
    EXPECT_EQ(
        DecodeNativeFile(file.substr(0, file.size() - 1), "c.tin", screen, geometry).Message(),
        kReadBeyondEnd);
  }
}

TEST(NativeFormat, WideWindowFromTheFileIsReadAsSingleRows) {
  // DX 32, DY 8, W 24: frame 0's window row 3 holds 0x40 + column.
  std::string window(2 * 24 * 8, '\0');
  for (int column = 0; column < 24; ++column)
    window[3 * 24 + column] = static_cast<char>(0x40 + column);
  std::string file =
      Header(0, 32, 8, 0, 24) + std::string(512, '\0') + window + std::string(16, '\x7F');
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ASSERT_TRUE(DecodeNativeFile(file, "w.tin", screen, geometry));
  EXPECT_EQ(screen.AttrByte(0, 3, 20), 0x54);
  EXPECT_EQ(screen.AttrByte(0, 2, 20), 0x00);
  EXPECT_EQ(screen.AttrByte(0, 4, 20), 0x00);
  EXPECT_EQ(screen.AttrByte(1, 7, 24), 0x7F);
}

TEST(NativeFile, PictureLowerThanEightRowsSavesButDoesNotLoad) {
  TempDir dir;
  std::string path = dir.File("low.tin");
  ASSERT_TRUE(WriteNativeFile(path, ScreenBuffers(), MakeGeometry(18, 7)));
  EXPECT_EQ(std::filesystem::file_size(path), 8u + 252 + 252);
  ScreenBuffers screen;
  ScreenGeometry geometry;
  EXPECT_EQ(ReadNativeFile(path, screen, geometry).Message(), NotTinto(path));
}

TEST(NativeFile, ReportsMissingEmptyAndUnreadableFiles) {
  TempDir dir;
  ScreenBuffers screen;
  ScreenGeometry geometry;
  std::string missing = dir.File("none.tin");
  EXPECT_EQ(ReadNativeFile(missing, screen, geometry).Message(), "File " + missing + " not found.");
  std::string inMissingFolder = dir.File("no/such.tin");
  EXPECT_EQ(ReadNativeFile(inMissingFolder, screen, geometry).Message(),
            "File " + inMissingFolder + " not found.");
  std::string empty = dir.File("empty.tin");
  test::WriteAll(empty, "");
  EXPECT_EQ(ReadNativeFile(empty, screen, geometry).Message(), kReadBeyondEnd);
  EXPECT_EQ(ReadNativeFile(dir.Path().string(), screen, geometry).Message(), "Is a directory");
  std::string pipe = dir.File("pipe.tin");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(ReadNativeFile(pipe, screen, geometry).Message(), kReadBeyondEnd);  // no hang
  EXPECT_EQ(geometry, ScreenGeometry());
}

class NativeSaveFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    m_path = m_dir.File("old.tin");
    m_old = EncodeNativeFile(PatternScreen(), MakeGeometry(32, 192, AttrMode::Mode8x2));
    test::WriteAll(m_path, m_old);
  }
  Status Save() { return WriteNativeFile(m_path, PatternScreen(), ScreenGeometry()); }
  void ExpectOldFileKept() {
    EXPECT_TRUE(ReadAll(m_path) == m_old) << "the old file changed";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 1);
  }

  TempDir m_dir;
  std::string m_path;
  std::string m_old;
};

TEST_F(NativeSaveFailure, ReadOnlyFolderKeepsTheOldFile) {
  ::chmod(m_dir.Path().c_str(), 0555);
  Status status = Status::Ok();
  test::RunWithoutFileOverride([&] { status = Save(); });
  EXPECT_EQ(status.Message(), "Permission denied");
  ExpectOldFileKept();
}

TEST_F(NativeSaveFailure, ReadOnlyTargetKeepsTheOldFile) {
  ::chmod(m_path.c_str(), 0444);
  Status status = Status::Ok();
  test::RunWithoutFileOverride([&] { status = Save(); });
  EXPECT_EQ(status.Message(), "Permission denied");
  ExpectOldFileKept();
}

TEST_F(NativeSaveFailure, WriteStoppedHalfwayKeepsTheOldFile) {
  rlimit previous{};
  ::getrlimit(RLIMIT_FSIZE, &previous);
  rlimit small = previous;
  small.rlim_cur = 4096;
  auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  Status status = Save();
  ::setrlimit(RLIMIT_FSIZE, &previous);
  ::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(status.Message(), "File too large");
  ExpectOldFileKept();
}

TEST_F(NativeSaveFailure, SaveReplacesAWritableFileWithOneThatReadsBack) {
  ASSERT_TRUE(Save());
  EXPECT_TRUE(ReadAll(m_path) == EncodeNativeFile(PatternScreen(), ScreenGeometry()));
  ScreenBuffers loaded;
  ScreenGeometry geometry = DistinctGeometry();
  ASSERT_TRUE(ReadNativeFile(m_path, loaded, geometry));
  EXPECT_EQ(geometry, ScreenGeometry());
  EXPECT_EQ(loaded.AttrByte(1, 191, 17), PatternScreen().AttrByte(1, 191, 17));
}

}  // namespace
}  // namespace tinto

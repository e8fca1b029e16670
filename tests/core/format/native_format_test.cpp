#include "core/format/native_format.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "support/temp_dir.h"
#include "support/without_file_override.h"

namespace tinto {
namespace {

using test::ReadAll;
using test::TempDir;

const std::string kReadBeyondEnd = "Read beyond end of file";

std::string NotTinto(const std::string& path) { return "File " + path + "\n\rIs not Tinto File."; }

std::string Header(int mode, int dx, int dy, int left, int width) {
  std::string h = "TIN";
  for (int v : {mode, dx, dy, left, width}) h.push_back(static_cast<char>(v));
  return h;
}

ScreenGeometry MakeGeometry(AttrMode mode, int dx, int dy, int left, int width) {
  ScreenGeometry g;
  g.SetMode(mode);
  g.SetDX(dx);
  g.SetDY(dy);
  g.SetMltLeft(left);
  g.SetMltWidth(width);
  return g;
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

std::uint8_t At(const std::string& bytes, std::size_t offset) {
  return static_cast<std::uint8_t>(bytes.at(offset));
}

TEST(NativeFormat, DefaultPictureLaysOutHeaderPixelsAndWindowRows) {
  ScreenBuffers s;
  s.PixelByte(0, 191, 17) = 0xA5;
  s.PixelByte(1, 0, 0) = 0x5A;
  s.AttrByte(0, 0, 0) = 0xC7;
  s.AttrByte(1, 5, 3) = 0x4A;
  s.AttrByte(1, 191, 17) = 0x81;
  s.PixelByte(0, 0, 18) = 0xFF;  // column 18 lies outside DX 18
  std::string file = EncodeNativeFile(s, ScreenGeometry());
  ASSERT_EQ(file.size(), 13832u);
  EXPECT_EQ(file.substr(0, 8), Header(0, 18, 192, 0, 18));
  EXPECT_EQ(At(file, 8 + 191 * 18 + 17), 0xA5);
  EXPECT_EQ(At(file, 8 + 3456), 0x5A);
  EXPECT_EQ(At(file, 6920), 0xC7);
  EXPECT_EQ(At(file, 6920 + 3456 + 5 * 18 + 3), 0x4A);
  EXPECT_EQ(At(file, 13831), 0x81);
  EXPECT_EQ(At(file, 8 + 18), 0x00);  // row 1, column 0
}

TEST(NativeFormat, Mode8x2StoresTheFirstRowOfEachPair) {
  ScreenBuffers s;
  s.AttrByte(0, 2, 5) = 0x11;
  s.AttrByte(0, 3, 5) = 0x22;
  s.AttrByte(1, 190, 31) = 0x33;
  std::string file = EncodeNativeFile(s, MakeGeometry(AttrMode::Mode8x2, 32, 192, 0, 18));
  ASSERT_EQ(file.size(), 18440u);
  EXPECT_EQ(file.substr(0, 8), Header(1, 32, 192, 0, 18));
  EXPECT_EQ(At(file, 8 + 12288 + 32 + 5), 0x11);
  EXPECT_EQ(At(file, 18439), 0x33);
  EXPECT_EQ(file.find('\x22'), std::string::npos);
}

TEST(NativeFormat, SplitWindowStoresWindowThenLeftThenRightBlocks) {
  ScreenBuffers s;
  s.AttrByte(0, 3, 5) = 0x01;    // window, frame 0
  s.AttrByte(1, 15, 14) = 0x02;  // window, frame 1, last byte
  s.AttrByte(0, 8, 4) = 0x03;    // left, frame 0, second cell row
  s.AttrByte(1, 0, 0) = 0x04;    // left, frame 1
  s.AttrByte(0, 0, 15) = 0x05;   // right, frame 0
  s.AttrByte(1, 8, 19) = 0x06;   // right, frame 1, last byte of the file
  std::string file = EncodeNativeFile(s, MakeGeometry(AttrMode::Mode8x1, 20, 16, 5, 10));
  // 8 + pixels 2*20*16 + window 2*10*16 + left 2*5*2 + right 2*5*2
  ASSERT_EQ(file.size(), 1008u);
  EXPECT_EQ(At(file, 648 + 3 * 10 + 0), 0x01);
  EXPECT_EQ(At(file, 808 + 15 * 10 + 9), 0x02);
  EXPECT_EQ(At(file, 968 + 5 + 4), 0x03);
  EXPECT_EQ(At(file, 978), 0x04);
  EXPECT_EQ(At(file, 988), 0x05);
  EXPECT_EQ(At(file, 1007), 0x06);
}

TEST(NativeFormat, WindowReachingPastDxIsClampedBeforeWriting) {
  std::string file =
      EncodeNativeFile(ScreenBuffers(), MakeGeometry(AttrMode::Mode8x1, 10, 8, 4, 18));
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

TEST_P(NativeRoundTrip, ReloadsEveryStoredByteAndZeroesUnstoredRows) {
  const RoundTripCase& c = GetParam();
  ScreenGeometry saved = MakeGeometry(c.mode, c.dx, c.dy, c.left, c.width);
  std::string file = EncodeNativeFile(PatternScreen(), saved);
  ASSERT_EQ(file.size(), c.fileSize);

  ScreenBuffers loaded = FilledScreen(0xEE);
  ScreenGeometry geometry =
      MakeGeometry(c.mode == AttrMode::Mode8x1 ? AttrMode::Mode8x2 : AttrMode::Mode8x1, 7, 9, 1, 2);
  ASSERT_TRUE(DecodeNativeFile(file, "x.tin", loaded, geometry));
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

ScreenGeometry DistinctGeometry() { return MakeGeometry(AttrMode::Mode8x2, 7, 9, 1, 2); }

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
      EncodeNativeFile(PatternScreen(), MakeGeometry(AttrMode::Mode8x1, 20, 16, 5, 10));
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

TEST(NativeFormat, HeaderValuesPassThroughTheGeometrysClamping) {
  struct Case {
    std::string header;
    std::size_t blocks;
    ScreenGeometry expected;
  };
  const Case cases[] = {
      // W 24 on DX 32, DY 8: 24 window columns and 8 right columns of one cell row.
      {Header(0, 32, 8, 0, 24), 512 + 384 + 16, MakeGeometry(AttrMode::Mode8x1, 32, 8, 0, 18)},
      // Mode byte 7 means 8x1.
      {Header(7, 4, 8, 1, 2), 64 + 32 + 2 + 2, MakeGeometry(AttrMode::Mode8x1, 4, 8, 1, 2)},
      // W 0: all columns left of an empty window.
      {Header(0, 4, 8, 4, 0), 64 + 8, MakeGeometry(AttrMode::Mode8x1, 4, 8, 4, 1)},
      {Header(0, 32, 8, 32, 0), 512 + 64, MakeGeometry(AttrMode::Mode8x1, 32, 8, 31, 1)},
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
  std::string file = Header(0, 32, 8, 0, 24) + std::string(512, '\0');
  std::string window(2 * 24 * 8, '\0');
  for (int column = 0; column < 24; ++column)
    window[3 * 24 + column] = static_cast<char>(0x40 + column);
  file += window + std::string(16, '\x7F');
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ASSERT_TRUE(DecodeNativeFile(file, "w.tin", screen, geometry));
  EXPECT_EQ(screen.AttrByte(0, 3, 20), 0x54);
  EXPECT_EQ(screen.AttrByte(0, 2, 20), 0x00);
  EXPECT_EQ(screen.AttrByte(0, 4, 20), 0x00);
  EXPECT_EQ(screen.AttrByte(1, 7, 24), 0x7F);
}

TEST(NativeFormat, BytesAfterTheLastBlockAreIgnored) {
  std::string file = EncodeNativeFile(PatternScreen(), ScreenGeometry());
  ScreenBuffers exact, padded;
  ScreenGeometry g1, g2;
  ASSERT_TRUE(DecodeNativeFile(file, "a.tin", exact, g1));
  ASSERT_TRUE(DecodeNativeFile(file + std::string(100000, '\xFF'), "a.tin", padded, g2));
  EXPECT_EQ(exact.Pixels(), padded.Pixels());
  EXPECT_EQ(exact.Attrs(), padded.Attrs());
}

TEST(NativeFile, SavedDefaultPictureReadsBack) {
  TempDir dir;
  std::string path = dir.File("pic.tin");
  ScreenBuffers saved = PatternScreen();
  ASSERT_TRUE(WriteNativeFile(path, saved, ScreenGeometry()));
  EXPECT_EQ(std::filesystem::file_size(path), 13832u);
  ScreenBuffers loaded;
  ScreenGeometry geometry = DistinctGeometry();
  ASSERT_TRUE(ReadNativeFile(path, loaded, geometry));
  EXPECT_EQ(geometry, ScreenGeometry());
  EXPECT_EQ(loaded.PixelByte(1, 191, 17), saved.PixelByte(1, 191, 17));
  EXPECT_EQ(loaded.AttrByte(1, 191, 17), saved.AttrByte(1, 191, 17));
}

TEST(NativeFile, PictureLowerThanEightRowsSavesButDoesNotLoad) {
  TempDir dir;
  std::string path = dir.File("low.tin");
  ASSERT_TRUE(
      WriteNativeFile(path, ScreenBuffers(), MakeGeometry(AttrMode::Mode8x1, 18, 7, 0, 18)));
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
    m_old = EncodeNativeFile(PatternScreen(), MakeGeometry(AttrMode::Mode8x2, 32, 192, 0, 18));
    test::WriteAll(m_path, m_old);
  }
  Status Save() { return WriteNativeFile(m_path, ScreenBuffers(), ScreenGeometry()); }
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

TEST_F(NativeSaveFailure, SaveReplacesAWritableFile) {
  ASSERT_TRUE(Save());
  EXPECT_TRUE(ReadAll(m_path) == EncodeNativeFile(ScreenBuffers(), ScreenGeometry()));
}

}  // namespace
}  // namespace tinto

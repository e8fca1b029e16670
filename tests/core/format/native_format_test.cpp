#include "core/format/native_format.h"

#include <sys/stat.h>

#include "core/model/model_test_helpers.h"
#include "support/temp_dir.h"
#include "support/without_file_override.h"

namespace tinto {
namespace {

using namespace test;

const std::string kReadBeyondEnd = "Read beyond end of file";

std::string NotTinto(const std::string& path) { return "File " + path + "\n\rIs not Tinto File."; }

std::string Header(int mode, int dx, int dy, int left, int width) {
  return std::string("TIN") + char(mode) + char(dx) + char(dy) + char(left) + char(width);
}

// Neither the pattern nor any geometry a test file holds.
const ScreenGeometry kDistinct = MakeGeometry(7, 9, AttrMode::Mode8x2, 1, 2);

// Header, then the pixel block of both frames, then the attribute blocks: in 8x1 mode the MLT
// window in 8x1 cells, then 8x8 cells left of it, then right of it; in 8x2 mode the first row
// of each pair. A window reaching past DX is clamped first. Geometry, attribute, frame, row,
// column -> offset in the file, -1 when it is not there (past DX, the second row of a pair or of
// an 8x8 cell). The blocks start, frame 0 then frame 1: default geometry pixels 8 and 3464 (18
// per row), window 6920 and 10376; 8x2 attributes 12296 and 15368 (32 per pair); geometry 2
// pixels 8 and 328, window 648 and 808 (10 per row), left 968 and 978 (5 per cell row), right 988
// and 998; geometry 3 (window 0..9) window 168.
TEST(NativeFormat, EncodePutsEveryByteInItsPlaceOnce) {
  const ScreenGeometry geometries[] = {ScreenGeometry(), MakeGeometry(32, 192, AttrMode::Mode8x2),
                                       MakeGeometry(20, 16, AttrMode::Mode8x1, 5, 10),
                                       MakeGeometry(10, 8, AttrMode::Mode8x1, 4, 18)};
  const int cases[][6] = {
      {0, 0, 0, 191, 17, 3463}, {0, 0, 1, 0, 0, 3464},     {0, 1, 0, 0, 0, 6920},
      {0, 1, 1, 5, 3, 10469},   {0, 1, 1, 191, 17, 13831}, {0, 0, 0, 0, 18, -1},
      {1, 1, 0, 2, 5, 12333},   {1, 1, 1, 190, 31, 18439}, {1, 1, 0, 3, 5, -1},
      {2, 1, 0, 3, 5, 678},     {2, 1, 1, 15, 14, 967},    {2, 1, 0, 8, 4, 977},
      {2, 1, 1, 0, 0, 978},     {2, 1, 0, 0, 15, 988},     {2, 1, 1, 8, 19, 1007},
      {2, 1, 0, 9, 4, -1},      {3, 1, 0, 3, 9, 207},
  };
  for (auto [g, attribute, f, row, column, offset] : cases) {
    ScreenBuffers s;
    Put(s, {{attribute ? 'a' : 'p', f, row, column, 0xEE}});
    const std::string file = EncodeNativeFile(s, geometries[g]);
    const std::size_t at = file.find('\xEE', 8);
    EXPECT_EQ(at == std::string::npos ? -1 : int(at), offset)
        << g << (attribute ? " a" : " p") << f << " r" << row << " c" << column;
    EXPECT_EQ(file.find('\xEE', at + 1), std::string::npos);
  }
  EXPECT_EQ(EncodeNativeFile(ScreenBuffers(), geometries[3]).substr(0, 8), Header(0, 10, 8, 0, 10));
}

// Row whose attribute a row takes after saving and loading, or -1 when no block stores it.
int StoredRowFor(AttrMode mode, int dy, MltWindow window, int row, int column) {
  if (mode == AttrMode::Mode8x2) return row / 2 < dy / 2 ? row - row % 2 : -1;
  if (column >= window.left && column < window.left + window.width) return row;
  return row / 8 < dy / 8 ? row - row % 8 : -1;
}

// Mode, DX, DY, left, width -> file size. Every stored byte comes back, unstored attribute rows
// read 0, bytes outside the picture keep what they had; bytes after the last block are ignored.
// DY 191 in 8x2: 8 + 12224 + 95 pairs of 32 twice (row 190 unstored). DY 100, window 3..20:
// 8 + 6400 + 3600 + 12 cell rows of 3 left and 11 right columns twice (rows 96..99 unstored
// outside the window). DY 13: 8 + 832 + 468 + 1 cell row of 14 columns twice.
TEST(NativeFormat, RoundTripReloadsEveryStoredByteAndZeroesUnstoredRows) {
  const int cases[][6] = {{0, 18, 192, 0, 18, 13832}, {1, 32, 192, 0, 18, 18440},
                          {1, 32, 191, 0, 18, 18312}, {0, 20, 16, 5, 10, 1008},
                          {0, 32, 100, 3, 18, 10344}, {0, 1, 8, 0, 1, 40},
                          {0, 32, 13, 0, 18, 1336}};
  const ScreenBuffers saved = RandomScreen(1);
  for (auto [modeByte, dx, dy, left, width, size] : cases) {
    SCOPED_TRACE(testing::Message() << dx << "x" << dy << " mode " << modeByte);
    const AttrMode mode = static_cast<AttrMode>(modeByte);
    const ScreenGeometry g = MakeGeometry(dx, dy, mode, left, width);
    const std::string file = EncodeNativeFile(saved, g);
    ASSERT_EQ(int(file.size()), size);
    EXPECT_EQ(file.substr(0, 8), Header(modeByte, dx, dy, left, width));
    ScreenBuffers loaded = FilledScreen(0xEE), expected = loaded;
    ScreenGeometry geometry = kDistinct;
    ASSERT_TRUE(DecodeNativeFile(file + std::string(1000, '\xFF'), "x.tin", loaded, geometry));
    EXPECT_EQ(geometry, g);
    for (FrameIndex f = 0; f < 2; ++f)
      for (int row = 0; row < dy; ++row)
        for (int column = 0; column < dx; ++column) {
          expected.PixelByte(f, row, column) = saved.PixelByte(f, row, column);
          const int source = StoredRowFor(mode, dy, g.Window(), row, column);
          expected.AttrByte(f, row, column) = source < 0 ? 0 : saved.AttrByte(f, source, column);
        }
    EXPECT_EQ(FirstDifference(loaded, expected), "");
  }
}

// Failures change neither the picture nor the geometry.
void ExpectRefused(std::string_view file, const std::string& message) {
  ScreenBuffers screen = FilledScreen(0x11);
  ScreenGeometry geometry = kDistinct;
  ASSERT_EQ(DecodeNativeFile(file, "/p/a.tin", screen, geometry).Message(), message);
  ASSERT_EQ(geometry, kDistinct);
  ASSERT_EQ(FirstDifference(screen, FilledScreen(0x11)), "");
}

TEST(NativeFormat, RejectsBadHeadersAndTruncationAtAnyLength) {
  for (const std::string& header :
       {"TIM" + Header(0, 18, 192, 0, 18).substr(3), "tin" + Header(0, 18, 192, 0, 18).substr(3),
        Header(0, 0, 192, 0, 0), Header(0, 33, 192, 0, 18), Header(1, 255, 192, 0, 18),
        Header(0, 18, 7, 0, 18), Header(0, 18, 0, 0, 18), Header(0, 18, 193, 0, 18),
        Header(0, 10, 192, 5, 6), Header(0, 32, 192, 20, 20), Header(0, 32, 192, 255, 255)}) {
    SCOPED_TRACE(testing::PrintToString(header));
    ExpectRefused(header + std::string(kMaxNativeFileBytes, '\x55'), NotTinto("/p/a.tin"));
  }
  const std::string file =
      EncodeNativeFile(RandomScreen(2), MakeGeometry(20, 16, AttrMode::Mode8x1, 5, 10));
  for (std::size_t length = 0; length < file.size(); ++length) {
    SCOPED_TRACE(length);
    ExpectRefused(std::string_view(file).substr(0, length), kReadBeyondEnd);
  }
}

// Header mode, DX, DY, left, width, the bytes of the blocks it needs (one fewer fails) -> the
// geometry's clamped DX, DY, left and width, in 8x1 mode: mode byte 7 means 8x1; W 24 on DX 32,
// DY 8 gives 24 window columns and 8 right columns of one cell row; W 0 all columns left of an
// empty window.
TEST(NativeFormat, HeaderValuesPassThroughTheGeometrysClamping) {
  const int cases[][10] = {{0, 32, 8, 0, 24, 512 + 384 + 16, 32, 8, 0, 18},
                           {7, 4, 8, 1, 2, 64 + 32 + 2 + 2, 4, 8, 1, 2},
                           {0, 4, 8, 4, 0, 64 + 8, 4, 8, 4, 1},
                           {0, 32, 8, 32, 0, 512 + 64, 32, 8, 31, 1}};
  for (auto [mode, dx, dy, left, width, blocks, newDx, newDy, newLeft, newWidth] : cases) {
    ScreenBuffers screen;
    ScreenGeometry geometry = kDistinct;
    const std::string file = Header(mode, dx, dy, left, width) + std::string(blocks, '\x01');
    EXPECT_TRUE(DecodeNativeFile(file, "c.tin", screen, geometry));
    EXPECT_EQ(geometry, MakeGeometry(newDx, newDy, AttrMode::Mode8x1, newLeft, newWidth));
    ExpectRefused(std::string_view(file).substr(0, file.size() - 1), kReadBeyondEnd);
  }
}

// DX 32, DY 8, W 24: frame 0's window row 3 holds 0x40 + column, the right block 0x7F.
TEST(NativeFormat, WideWindowFromTheFileIsReadAsSingleRows) {
  std::string window(2 * 24 * 8, '\0');
  for (int column = 0; column < 24; ++column) window[3 * 24 + column] = char(0x40 + column);
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ASSERT_TRUE(DecodeNativeFile(
      Header(0, 32, 8, 0, 24) + std::string(512, '\0') + window + std::string(16, '\x7F'), "w.tin",
      screen, geometry));
  EXPECT_EQ(screen.AttrByte(0, 3, 20), 0x54);
  EXPECT_EQ(screen.AttrByte(0, 2, 20) | screen.AttrByte(0, 4, 20), 0x00);
  EXPECT_EQ(screen.AttrByte(1, 7, 24), 0x7F);
}

TEST(NativeFile, ReadReportsMissingEmptyUnreadableAndLowFiles) {
  TempDir dir;
  const std::string missing = dir.File("none.tin"), low = dir.File("low.tin");
  const std::string empty = dir.File("empty.tin"), pipe = dir.File("pipe.tin");
  WriteAll(empty, "");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  ASSERT_TRUE(WriteNativeFile(low, ScreenBuffers(), MakeGeometry(18, 7)));  // saves, never loads
  EXPECT_EQ(std::filesystem::file_size(low), 8u + 252 + 252);
  const std::pair<std::string, std::string> cases[] = {{missing, "File " + missing + " not found."},
                                                       {empty, kReadBeyondEnd},
                                                       {dir.Path().string(), "Is a directory"},
                                                       {pipe, kReadBeyondEnd},  // no hang
                                                       {low, NotTinto(low)}};
  for (const auto& [path, message] : cases) {
    ScreenBuffers screen;
    ScreenGeometry geometry;
    EXPECT_EQ(ReadNativeFile(path, screen, geometry).Message(), message);
    EXPECT_EQ(geometry, ScreenGeometry());
  }
}

// The atomic write would replace a read-only file; the .tin writer refuses it as a plain write
// would, and keeps it.
TEST(NativeFile, WriteRefusesAReadOnlyFile) {
  TempDir dir;
  const std::string path = dir.File("old.tin");
  WriteAll(path, "old");
  ::chmod(path.c_str(), 0444);
  Status status = Status::Ok();
  RunWithoutFileOverride(
      [&] { status = WriteNativeFile(path, RandomScreen(3), ScreenGeometry()); });
  EXPECT_EQ(status.Message(), "Permission denied");
  EXPECT_EQ(ReadAll(path), "old");
}

}  // namespace
}  // namespace tinto

#include "core/format/screen_file_format.h"

#include "core/format/native_format.h"
#include "core/format/screen_file_fit.h"
#include "core/model/model_test_helpers.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using namespace test;

std::string MgHeader(int version, int height) {
  std::string header(kMgHeaderBytes, '\0');
  header.replace(0, 3, "MGH");
  header[3] = char(version);
  header[4] = char(height);
  return header;
}

// A file of `size` zero bytes after `head`, with `bytes` (offset, value) put in.
std::string HandMade(const std::string& head, std::size_t size,
                     std::initializer_list<std::pair<std::size_t, int>> bytes) {
  std::string file = head + std::string(size - head.size(), '\0');
  for (auto [at, value] : bytes) file[at] = char(value);
  return file;
}

// Offsets worked out by hand from the screen order ((y & 0xC0) << 5 | (y & 7) << 8 |
// (y & 0x38) << 2 | c): row 77 column 5 is 2048 + 1280 + 32 + 5 = 3365; row 191 column 31 is
// 4096 + 1792 + 224 + 31 = 6143; row 1 column 0 is 256; row 8 column 2 is 32 + 2 = 34.
// Attributes: a cell row of h rows holds 32 bytes; .mg1's middle holds 16 bytes a pixel row from
// column 8, its outer part 16 a cell row (columns 0-7, then 24-31).
struct HandMadeCase {
  const char* name;
  ScreenFile file;
  std::string bytes;
  std::vector<ScreenByte> picture;  // every non-zero byte the file gives
};

std::vector<HandMadeCase> HandMadeCases() {
  return {
      {"scr", ScreenFile::Scr,
       // 6144 + 9 x 32 + 5: cell row 9 is rows 72-79; the one screen goes into both frames.
       HandMade("", 6912, {{3365, 0xA5}, {6437, 0xC7}}),
       Bytes(Pix(0, 77, 5, 0xA5), Pix(1, 77, 5, 0xA5), Att(0, 72, 5, 0xC7, 8),
             Att(1, 72, 5, 0xC7, 8))},
      {"img", ScreenFile::Img,
       // Frame 1 starts at 6912: its last bitmap byte 6912 + 6143, its last attribute 13823.
       HandMade("", 13824, {{13055, 0x3C}, {13823, 0x4E}, {0, 0x81}}),
       Bytes(Pix(1, 191, 31, 0x3C), Att(1, 184, 31, 0x4E, 8), Pix(0, 0, 0, 0x81))},
      {"mg8", ScreenFile::Mg8,
       // Bitmap 0 at 256; frame 1's attributes at 12544 + 768, cell row 1 (rows 8-15).
       HandMade(MgHeader(1, 8), 14080, {{256 + 256, 0x18}, {12544 + 768 + 32 + 2, 0x29}}),
       Bytes(Pix(0, 1, 0, 0x18), Att(1, 8, 2, 0x29, 8))},
      {"mg4", ScreenFile::Mg4,
       // Bitmap 1 at 6400; frame 0's attributes at 12544, cell row 77 / 4 = 19 (rows 76-79).
       HandMade(MgHeader(1, 4), 15616, {{6400 + 34, 0x77}, {12544 + 19 * 32 + 5, 0x0F}}),
       Bytes(Pix(1, 8, 2, 0x77), Att(0, 76, 5, 0x0F, 4))},
      {"mg2", ScreenFile::Mg2,
       // Frame 1's attributes at 12544 + 3072 = 15616, cell row 38 (rows 76-77).
       HandMade(MgHeader(1, 2), 18688, {{256 + 3365, 0xF0}, {15616 + 38 * 32 + 5, 0x55}}),
       Bytes(Pix(0, 77, 5, 0xF0), Att(1, 76, 5, 0x55, 2))},
      {"mg1", ScreenFile::Mg1,
       // Middle: frame 0 row 77 column 10 at 12544 + 77 x 16 + 2. Outer: frame 1 at 19072, cell
       // row 9, column 30 is the 14th (30 - 16); frame 0 at 18688, cell row 0, column 3.
       HandMade(MgHeader(1, 1), 19456,
                {{12544 + 1232 + 2, 0x61}, {19072 + 144 + 14, 0x3A}, {18688 + 3, 0x12}}),
       Bytes(Att(0, 77, 10, 0x61), Att(1, 72, 30, 0x3A, 8), Att(0, 0, 3, 0x12, 8))},
  };
}

int NonZeroBytes(const ScreenBuffers& s) {
  return int(std::count_if(s.Pixels().begin(), s.Pixels().end(), [](auto b) { return b; }) +
             std::count_if(s.Attrs().begin(), s.Attrs().end(), [](auto b) { return b; }));
}

TEST(ScreenFileFormat, HandMadeFilesReadIntoTheirPlacesAndWriteBackTheSame) {
  for (const HandMadeCase& c : HandMadeCases()) {
    SCOPED_TRACE(c.name);
    ScreenBuffers screen, expected;
    ScreenGeometry geometry = MakeGeometry(5, 20, AttrMode::Mode8x1, 2, 3);
    ASSERT_TRUE(DecodeScreenFile(c.file, c.bytes, c.name, screen, geometry));
    Put(expected, c.picture);
    EXPECT_EQ(FirstDifference(screen, expected), "");
    int rows = 0;
    for (const ScreenByte& b : c.picture) rows += b.rows;
    EXPECT_EQ(NonZeroBytes(screen), rows);
    EXPECT_EQ(geometry, c.file == ScreenFile::Mg1 ? MakeGeometry(32, 192, AttrMode::Mode8x1, 8, 16)
                                                  : MakeGeometry(32, 192, AttrMode::Mode8x2, 2, 3));
    std::string written;
    ASSERT_TRUE(EncodeScreenFile(c.file, screen, geometry, 1, written));
    EXPECT_TRUE(written == c.bytes);
  }
}

// Pixels random; each attribute cell `height` rows high gets one random byte (bit 7 often set),
// except columns fineLeft .. fineLeft + fineWidth - 1, which get a byte a row.
ScreenBuffers CellPicture(unsigned seed, int height, bool framesEqual = false, int fineLeft = 0,
                          int fineWidth = 0) {
  ScreenBuffers s = RandomScreen(seed);
  for (FrameIndex f = 0; f < 2; ++f)
    for (int row = 0; row < kScreenHeight; ++row)
      for (int column = 0; column < kRowBytes; ++column) {
        const bool fine = column >= fineLeft && column < fineLeft + fineWidth;
        const FrameIndex from = framesEqual ? 0 : f;
        s.AttrByte(f, row, column) = s.AttrByte(from, fine ? row : row - row % height, column);
        s.PixelByte(f, row, column) = s.PixelByte(from, row, column);
      }
  return s;
}

const ScreenGeometry k8x2 = MakeGeometry(32, 192, AttrMode::Mode8x2);
const ScreenGeometry kMg1Geometry = MakeGeometry(32, 192, AttrMode::Mode8x1, 8, 16);

struct Picture {
  const char* name;
  ScreenBuffers screen;
  ScreenGeometry geometry;
  std::vector<ScreenFile> holding;  // every other file refuses it
};

std::vector<Picture> Pictures() {
  using enum ScreenFile;
  return {
      {"8x2 cells", CellPicture(1, 2), k8x2, {Mg2}},
      {"8x4 cells", CellPicture(2, 4), k8x2, {Mg4, Mg2}},
      {"8x8 cells", CellPicture(3, 8), k8x2, {Scr, Img, Mg8, Mg4, Mg2, Mg1}},
      {"8x8 cells, equal frames", CellPicture(4, 8, true), k8x2, {Scr, Img, Mg8, Mg4, Mg2, Mg1}},
      {"8x1 in columns 8-23", CellPicture(5, 8, false, 8, 16), kMg1Geometry, {Mg1}},
      {"8x1 in column 7", CellPicture(6, 8, false, 7, 1), MakeGeometry(32, 192), {}},
  };
}

// .tin -> each file that holds the picture -> .tin gives the same picture (from a .scr, screen 1
// in both frames), and the same .tin file where that is the picture and the file's cells are
// those of the picture's mode; every other file refuses it and leaves the output alone.
TEST(ScreenFileFormat, RoundTripsThroughEveryFileThatHoldsThePicture) {
  for (const Picture& p : Pictures()) {
    const std::string tin = EncodeNativeFile(p.screen, p.geometry);
    ScreenBuffers original;
    ScreenGeometry geometry;
    ASSERT_TRUE(DecodeNativeFile(tin, "p.tin", original, geometry));
    for (ScreenFile file : kScreenFiles) {
      SCOPED_TRACE(std::string(p.name) + " " + std::string(ExtensionOf(file)));
      std::string bytes = "untouched";
      const bool holds = std::ranges::count(p.holding, file) == 1;
      ASSERT_EQ(bool(EncodeScreenFile(file, original, geometry, 0, bytes)), holds);
      if (!holds) {
        EXPECT_EQ(bytes, "untouched");
        continue;
      }
      ScreenBuffers reread = FilledScreen(0x99);
      ScreenGeometry rereadGeometry;
      ASSERT_TRUE(DecodeScreenFile(file, bytes, "x", reread, rereadGeometry));
      ScreenBuffers expected = original;
      if (file == ScreenFile::Scr) {
        std::copy_n(original.Pixels().begin(), kPlaneBytes,
                    expected.Pixels().begin() + kPlaneBytes);
        std::copy_n(original.Attrs().begin(), kPlaneBytes, expected.Attrs().begin() + kPlaneBytes);
      }
      EXPECT_EQ(FirstDifference(reread, expected), "");
      if (rereadGeometry.Mode() == geometry.Mode() && FirstDifference(expected, original).empty()) {
        EXPECT_TRUE(EncodeNativeFile(reread, rereadGeometry) == tin);
      }
    }
  }
}

TEST(ScreenFileFormat, RefusalSaysWhatThePictureHasAndWhichFilesHoldIt) {
  const std::vector<Picture> pictures = Pictures();
  const std::string orImport = ", or import the rendered picture again.";
  const struct {
    int picture;
    ScreenFile file;
    FrameIndex frame;
    std::string message;
  } cases[] = {
      {0, ScreenFile::Img, 0,
       "This picture has 8x2 cells; a two-screen dump holds 8x8 cells. Export as .mg2" + orImport},
      {0, ScreenFile::Scr, 1,
       "Screen 2 has 8x2 cells; a screen dump holds 8x8 cells. Export as .mg2" + orImport},
      {0, ScreenFile::Mg4, 0,
       "This picture has 8x2 cells; a .mg4 file holds 8x4 cells. Export as .mg2" + orImport},
      {1, ScreenFile::Mg8, 0,
       "This picture has 8x4 cells; a .mg8 file holds 8x8 cells. Export as .mg4 or .mg2" +
           orImport},
      {1, ScreenFile::Mg1, 0,
       "This picture has 8x4 cells; a .mg1 file holds 8x1 cells in columns 8 to 23 and 8x8 "
       "cells in the others. Export as .mg4 or .mg2" +
           orImport},
      {4, ScreenFile::Mg2, 0,
       "This picture has 8x1 cells; a .mg2 file holds 8x2 cells. Export as .mg1" + orImport},
      {5, ScreenFile::Mg1, 0,
       "This picture has 8x1 cells; a .mg1 file holds 8x1 cells in columns 8 to 23 and 8x8 "
       "cells in the others. None of these files holds it: keep it as .tin, or import the "
       "rendered picture again."},
  };
  for (const auto& c : cases) {
    const Picture& p = pictures[std::size_t(c.picture)];
    std::string bytes;
    EXPECT_EQ(EncodeScreenFile(c.file, p.screen, p.geometry, c.frame, bytes).Message(), c.message);
  }
  EXPECT_EQ(FramesDifferRefusal(pictures[2].screen, k8x2, " (here)"),
            "This picture's two screens differ; a screen dump holds one screen. Choose the "
            "screen to write (here), or export as .img, .mg8, .mg4, .mg2 or .mg1.");
  EXPECT_EQ(FramesDifferRefusal(pictures[5].screen, pictures[5].geometry, ""),
            "This picture's two screens differ; a screen dump holds one screen. Choose the "
            "screen to write.");
  EXPECT_FALSE(FramesEqual(pictures[2].screen, k8x2));
  EXPECT_TRUE(FramesEqual(pictures[3].screen, k8x2));
}

// A smaller picture lies at the top left and everything outside it is 0, whatever the buffers
// hold there; a cell cut by the picture's edge takes the byte of its rows inside.
TEST(ScreenFileFormat, SmallerPictureIsWrittenTopLeftWithTheRestZero) {
  const ScreenBuffers screen = CellPicture(7, 8);
  const ScreenGeometry small = MakeGeometry(10, 101, AttrMode::Mode8x2);
  ScreenBuffers expected;
  for (FrameIndex f = 0; f < 2; ++f)
    for (int row = 0; row < 104; ++row)
      for (int column = 0; column < 10; ++column) {
        expected.AttrByte(f, row, column) = screen.AttrByte(f, row, column);
        if (row < 101) expected.PixelByte(f, row, column) = screen.PixelByte(f, row, column);
      }
  std::string bytes;
  ASSERT_TRUE(EncodeScreenFile(ScreenFile::Img, screen, small, 0, bytes));
  ScreenBuffers reread = FilledScreen(0x99);
  ScreenGeometry geometry;
  ASSERT_TRUE(DecodeScreenFile(ScreenFile::Img, bytes, "s.img", reread, geometry));
  EXPECT_EQ(FirstDifference(reread, expected), "");
}

// The header's cell height decides how a header file is read, whatever its extension.
TEST(ScreenFileFormat, HeaderCellHeightDecidesOverTheExtension) {
  const ScreenBuffers screen = CellPicture(8, 4);
  std::string mg4;
  ASSERT_TRUE(EncodeScreenFile(ScreenFile::Mg4, screen, k8x2, 0, mg4));
  ScreenBuffers reread;
  ScreenGeometry geometry;
  ASSERT_TRUE(DecodeScreenFile(ScreenFile::Mg2, mg4, "p.mg2", reread, geometry));
  EXPECT_EQ(FirstDifference(reread, screen), "");
  EXPECT_EQ(geometry, k8x2);
}

// Failures change neither the picture nor the geometry.
TEST(ScreenFileFormat, SizeAndHeaderFaultsAreNamedAndChangeNothing) {
  const std::string good2 = MgHeader(1, 2) + std::string(18688 - 256, '\0');
  const auto with = [](std::string bytes, std::size_t at, char value) {
    bytes[at] = value;
    return bytes;
  };
  const struct {
    ScreenFile named;
    std::string bytes, reason;
  } cases[] = {
      {ScreenFile::Scr, std::string(6911, '\0'), "Is 6911 bytes long; a .scr file is 6912 bytes."},
      {ScreenFile::Scr, std::string(6913, '\0'), "Is 6913 bytes long; a .scr file is 6912 bytes."},
      {ScreenFile::Img, std::string(6912, '\0'), "Is 6912 bytes long; a .img file is 13824 bytes."},
      {ScreenFile::Mg2, "", "Is 0 bytes long; a file of 8x2 cells (.mg2) is 18688 bytes."},
      {ScreenFile::Mg2, "MGH\1", "Is 4 bytes long; a file of 8x2 cells (.mg2) is 18688 bytes."},
      {ScreenFile::Mg2, with(good2, 2, 'X'),
       "Has no \"MGH\" header: it is not a multicolour file."},
      {ScreenFile::Mg8, std::string(14080, '\0'),
       "Has no \"MGH\" header: it is not a multicolour file."},
      {ScreenFile::Mg2, with(good2, 3, 2), "Has header version 2; only version 1 is read."},
      {ScreenFile::Mg2, with(good2, 3, 0), "Has header version 0; only version 1 is read."},
      {ScreenFile::Mg2, with(good2, 4, 3),
       "Has cell height 3 in its header; 1, 2, 4 or 8 is read."},
      {ScreenFile::Mg4, with(good2, 4, 16),
       "Has cell height 16 in its header; 1, 2, 4 or 8 is read."},
      {ScreenFile::Mg2, with(good2, 4, 4),
       "Is 18688 bytes long; a file of 8x4 cells (.mg4) is 15616 bytes."},
      {ScreenFile::Mg1, with(good2, 4, 1) + std::string(767, '\0'),
       "Is 19455 bytes long; a file of 8x1 cells (.mg1) is 19456 bytes."},
      {ScreenFile::Mg8, MgHeader(1, 8) + std::string(14080 - 256 + 1, '\0'),
       "Is 14081 bytes long; a file of 8x8 cells (.mg8) is 14080 bytes."},
  };
  const ScreenGeometry distinct = MakeGeometry(7, 9, AttrMode::Mode8x1, 1, 2);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    ScreenBuffers screen = FilledScreen(0x11);
    ScreenGeometry geometry = distinct;
    EXPECT_EQ(DecodeScreenFile(c.named, c.bytes, "/p/a", screen, geometry).Message(),
              "File /p/a\n\r" + c.reason);
    EXPECT_EQ(geometry, distinct);
    EXPECT_EQ(FirstDifference(screen, FilledScreen(0x11)), "");
  }
}

TEST(ScreenFileFormat, ExtensionNamesTheFileWhateverItsLetterCase) {
  const std::pair<const char*, std::optional<ScreenFile>> cases[] = {
      {"a.scr", ScreenFile::Scr}, {"/x.y/B.IMG", ScreenFile::Img}, {"c.Mg8", ScreenFile::Mg8},
      {"d.mg4", ScreenFile::Mg4}, {"e.mg2", ScreenFile::Mg2},      {"f.MG1", ScreenFile::Mg1},
      {"g.mg3", std::nullopt},    {"scr", std::nullopt},           {"h.scr.tin", std::nullopt},
  };
  for (const auto& [path, file] : cases) EXPECT_EQ(ScreenFileOfPath(path), file) << path;
}

TEST(ScreenFile, ReadsByExtensionAndRefusedWriteLeavesTheOldFile) {
  TempDir dir;
  const Picture picture = Pictures()[0];
  ASSERT_TRUE(WriteScreenFile(dir.File("P.MG2"), ScreenFile::Mg2, picture.screen, k8x2, 0));
  ScreenBuffers screen;
  ScreenGeometry geometry;
  ASSERT_TRUE(ReadScreenFile(dir.File("P.MG2"), screen, geometry));
  EXPECT_EQ(FirstDifference(screen, picture.screen), "");
  EXPECT_EQ(ReadScreenFile(dir.File("none.scr"), screen, geometry).Message(),
            "File " + dir.File("none.scr") + " not found.");

  WriteAll(dir.File("old.img"), "old");
  EXPECT_FALSE(WriteScreenFile(dir.File("old.img"), ScreenFile::Img, picture.screen, k8x2, 0));
  EXPECT_FALSE(WriteScreenFile(dir.File("new.img"), ScreenFile::Img, picture.screen, k8x2, 0));
  EXPECT_EQ(ReadAll(dir.File("old.img")), "old");
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.img")));
}

}  // namespace
}  // namespace tinto

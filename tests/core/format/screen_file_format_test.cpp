#include "core/format/screen_file_format.h"

#include "core/format/native_format.h"
#include "core/model/model_test_helpers.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using namespace test;

// `size` zero bytes with an "MGH" header of cell height `height` (none for 0) and `bytes` put in.
std::string HandMade(std::size_t size, int height,
                     std::initializer_list<std::pair<std::size_t, int>> bytes) {
  std::string file(size, '\0');
  if (height > 0) file.replace(0, 5, std::string("MGH\1") + char(height));
  for (auto [at, value] : bytes) file[at] = char(value);
  return file;
}

// Offsets worked out by hand from the screen order ((y & 0xC0) << 5 | (y & 7) << 8 |
// (y & 0x38) << 2 | c): row 77 column 5 is 2048 + 1280 + 32 + 5 = 3365; row 191 column 31 is
// 4096 + 1792 + 224 + 31 = 6143; row 1 column 0 is 256; row 8 column 2 is 32 + 2 = 34.
// Attributes: 32 bytes a cell row; .mg1's middle 16 a pixel row from column 8, its outer part
// 16 a cell row (columns 0-7, then 24-31). Every other byte of the picture reads 0.
TEST(ScreenFileFormat, HandMadeFilesReadIntoTheirPlacesAndWriteBackTheSame) {
  // File kind, its bytes -> the picture's bytes.
  const std::tuple<ScreenFile, std::string, std::vector<ScreenByte>> cases[] = {
      // 6144 + 9 x 32 + 5: cell row 9 is rows 72-79; the one screen goes into both frames.
      {ScreenFile::Scr, HandMade(6912, 0, {{3365, 0xA5}, {6437, 0xC7}}),
       Bytes(Pix(0, 77, 5, 0xA5), Pix(1, 77, 5, 0xA5), Att(0, 72, 5, 0xC7, 8),
             Att(1, 72, 5, 0xC7, 8))},
      // Frame 1 starts at 6912: its last bitmap byte at 6912 + 6143, its last attribute 13823.
      {ScreenFile::Img, HandMade(13824, 0, {{13055, 0x3C}, {13823, 0x4E}, {0, 0x81}}),
       Bytes(Pix(1, 191, 31, 0x3C), Att(1, 184, 31, 0x4E, 8), Pix(0, 0, 0, 0x81))},
      // Bitmap 0 at 256; frame 1's attributes at 12544 + 768, cell row 1 (rows 8-15).
      {ScreenFile::Mg8, HandMade(14080, 8, {{256 + 256, 0x18}, {12544 + 768 + 32 + 2, 0x29}}),
       Bytes(Pix(0, 1, 0, 0x18), Att(1, 8, 2, 0x29, 8))},
      // Bitmap 1 at 6400; frame 0's attributes at 12544, cell row 77 / 4 = 19 (rows 76-79).
      {ScreenFile::Mg4, HandMade(15616, 4, {{6400 + 34, 0x77}, {12544 + 19 * 32 + 5, 0x0F}}),
       Bytes(Pix(1, 8, 2, 0x77), Att(0, 76, 5, 0x0F, 4))},
      // Frame 1's attributes at 12544 + 3072 = 15616, cell row 38 (rows 76-77).
      {ScreenFile::Mg2, HandMade(18688, 2, {{256 + 3365, 0xF0}, {15616 + 38 * 32 + 5, 0x55}}),
       Bytes(Pix(0, 77, 5, 0xF0), Att(1, 76, 5, 0x55, 2))},
      // Middle: frame 0, row 77, column 10 at 12544 + 77 x 16 + 2. Outer: frame 1 at 19072, cell
      // row 9, column 30 is the 14th (30 - 16); frame 0 at 18688, cell row 0, column 3.
      {ScreenFile::Mg1,
       HandMade(19456, 1, {{12544 + 1232 + 2, 0x61}, {19072 + 144 + 14, 0x3A}, {18688 + 3, 0x12}}),
       Bytes(Att(0, 77, 10, 0x61), Att(1, 72, 30, 0x3A, 8), Att(0, 0, 3, 0x12, 8))},
  };
  for (const auto& [file, bytes, picture] : cases) {
    SCOPED_TRACE(ExtensionOf(file));
    ScreenBuffers screen = FilledScreen(0x99), expected;
    ScreenGeometry geometry = MakeGeometry(5, 20, AttrMode::Mode8x1, 2, 3);
    ASSERT_TRUE(DecodeScreenFile(file, bytes, "x", screen, geometry));
    Put(expected, picture);
    EXPECT_EQ(FirstDifference(screen, expected), "");
    EXPECT_EQ(geometry, file == ScreenFile::Mg1 ? MakeGeometry(32, 192, AttrMode::Mode8x1, 8, 16)
                                                : MakeGeometry(32, 192, AttrMode::Mode8x2, 2, 3));
    std::string written;
    ASSERT_TRUE(EncodeScreenFile(file, screen, geometry, 1, written));
    EXPECT_TRUE(written == bytes);
  }
}

// Pixels random; each attribute cell `height` rows high one random byte (bit 7 often set), but
// columns fineLeft .. fineLeft + fineWidth - 1, which get a byte a row.
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

struct Picture {
  ScreenBuffers screen;
  ScreenGeometry geometry;
  std::vector<ScreenFile> holding;  // every other file refuses it
};

std::vector<Picture> Pictures() {
  using enum ScreenFile;
  return {
      {CellPicture(1, 2), k8x2, {Mg2}},
      {CellPicture(2, 4), k8x2, {Mg4, Mg2}},
      {CellPicture(3, 8, true), k8x2, {Scr, Img, Mg8, Mg4, Mg2, Mg1}},
      {CellPicture(5, 8, false, 8, 16), MakeGeometry(32, 192, AttrMode::Mode8x1, 8, 16), {Mg1}},
      {CellPicture(6, 8, false, 7, 1), MakeGeometry(32, 192), {}},
      {CellPicture(7, 8, true),
       MakeGeometry(10, 96, AttrMode::Mode8x2),
       {Scr, Img, Mg8, Mg4, Mg2, Mg1}},
  };
}

// .tin -> each file that holds the picture -> .tin gives the same picture, and the same .tin file
// where the geometry is the file's; every other file refuses it and leaves the output alone. A
// smaller picture lies at the top left, and everything outside it is 0 whatever the buffers
// hold there.
TEST(ScreenFileFormat, RoundTripsThroughEveryFileThatHoldsThePicture) {
  for (const Picture& p : Pictures()) {
    const std::string tin = EncodeNativeFile(p.screen, p.geometry);
    ScreenBuffers original;
    ScreenGeometry geometry;
    ASSERT_TRUE(DecodeNativeFile(tin, "p.tin", original, geometry));
    for (ScreenFile file : kScreenFiles) {
      SCOPED_TRACE(testing::Message() << p.holding.size() << " " << ExtensionOf(file));
      std::string bytes = "untouched";
      const bool holds = std::ranges::count(p.holding, file) == 1;
      ASSERT_EQ(bool(EncodeScreenFile(file, p.screen, geometry, 0, bytes)), holds);
      if (!holds) {
        EXPECT_EQ(bytes, "untouched");
        continue;
      }
      ScreenBuffers reread = FilledScreen(0x99);
      ScreenGeometry rereadGeometry;
      ASSERT_TRUE(DecodeScreenFile(file, bytes, "x", reread, rereadGeometry));
      EXPECT_EQ(FirstDifference(reread, original), "");
      if (rereadGeometry == geometry) {
        EXPECT_TRUE(EncodeNativeFile(reread, rereadGeometry) == tin);
      }
    }
  }
}

TEST(ScreenFileFormat, RefusalSaysWhatThePictureHasAndWhichFilesHoldIt) {
  const std::vector<Picture> pictures = Pictures();
  const std::string orImport = ", or import the rendered picture again.";
  const std::tuple<int, ScreenFile, FrameIndex, std::string> cases[] = {
      {0, ScreenFile::Img, 0,
       "This picture has 8x2 cells; a two-screen dump holds 8x8 cells. Export as .mg2" + orImport},
      {0, ScreenFile::Scr, 1,
       "Screen 2 has 8x2 cells; a screen dump holds 8x8 cells. Export as .mg2" + orImport},
      {1, ScreenFile::Mg8, 0,
       "This picture has 8x4 cells; a .mg8 file holds 8x8 cells. Export as .mg4 or .mg2" +
           orImport},
      {3, ScreenFile::Mg2, 0,
       "This picture has 8x1 cells; a .mg2 file holds 8x2 cells. Export as .mg1" + orImport},
      {4, ScreenFile::Mg1, 0,
       "This picture has 8x1 cells; a .mg1 file holds 8x1 cells in columns 8 to 23 and 8x8 "
       "cells in the others. None of these files holds it: keep it as .tin" +
           orImport},
  };
  for (const auto& [picture, file, frame, message] : cases) {
    const Picture& p = pictures[std::size_t(picture)];
    std::string bytes;
    EXPECT_EQ(EncodeScreenFile(file, p.screen, p.geometry, frame, bytes).Message(), message);
  }
}

// Failures change neither the picture nor the geometry. The header's cell height, not the
// extension, says which file it is and so which size it must have.
TEST(ScreenFileFormat, SizeAndHeaderFaultsAreNamedAndChangeNothing) {
  const auto with = [](std::size_t at, char value) { return HandMade(18688, 2, {{at, value}}); };
  const std::tuple<ScreenFile, std::string, std::string> cases[] = {
      {ScreenFile::Scr, std::string(6913, 0), "Is 6913 bytes long; a .scr file is 6912 bytes."},
      {ScreenFile::Mg2, "MGH\1", "Is 4 bytes long; a file of 8x2 cells (.mg2) is 18688 bytes."},
      {ScreenFile::Mg8, std::string(14080, 0),
       "Has no \"MGH\" header: it is not a multicolour file."},
      {ScreenFile::Mg2, with(3, 2), "Has header version 2; only version 1 is read."},
      {ScreenFile::Mg2, with(4, 3), "Has cell height 3 in its header; 1, 2, 4 or 8 is read."},
      {ScreenFile::Mg2, with(4, 4),
       "Is 18688 bytes long; a file of 8x4 cells (.mg4) is 15616 bytes."},
      {ScreenFile::Mg1, HandMade(19455, 1, {}),
       "Is 19455 bytes long; a file of 8x1 cells (.mg1) is 19456 bytes."},
  };
  const ScreenGeometry distinct = MakeGeometry(7, 9, AttrMode::Mode8x1, 1, 2);
  for (const auto& [named, bytes, reason] : cases) {
    ScreenBuffers screen = FilledScreen(0x11);
    ScreenGeometry geometry = distinct;
    EXPECT_EQ(DecodeScreenFile(named, bytes, "/p/a", screen, geometry).Message(),
              "File /p/a\n\r" + reason);
    EXPECT_EQ(geometry, distinct) << reason;
    EXPECT_EQ(FirstDifference(screen, FilledScreen(0x11)), "") << reason;
  }
  ScreenBuffers screen;
  ScreenGeometry geometry;
  EXPECT_TRUE(DecodeScreenFile(ScreenFile::Mg2, HandMade(15616, 4, {}), "4.mg2", screen, geometry));
}

TEST(ScreenFile, ExtensionNamesTheFileAndARefusedWriteLeavesTheOldFile) {
  EXPECT_EQ(ScreenFileOfPath("/x.y/B.IMG"), ScreenFile::Img);
  EXPECT_EQ(ScreenFileOfPath("f.MG1"), ScreenFile::Mg1);
  EXPECT_EQ(ScreenFileOfPath("h.scr.tin"), std::nullopt);
  TempDir dir;
  WriteAll(dir.File("old.img"), "old");
  const ScreenBuffers picture = CellPicture(1, 2);
  EXPECT_FALSE(WriteScreenFile(dir.File("old.img"), ScreenFile::Img, picture, k8x2, 0));
  EXPECT_FALSE(WriteScreenFile(dir.File("new.img"), ScreenFile::Img, picture, k8x2, 0));
  EXPECT_EQ(ReadAll(dir.File("old.img")), "old");
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.img")));
}

}  // namespace
}  // namespace tinto

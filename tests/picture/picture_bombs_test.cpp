// Hostile raster files: bombs refused before anything is allocated, failures in the program's
// words with nothing printed, and files cut short that still load but say so.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "picture/picture_fixtures.h"
#include "picture/picture_io.h"
#include "picture/qt_image_loader.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string Be32(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  }
  return ~crc;
}

std::string PngChunk(const std::string& type, const std::string& data) {
  return Be32(static_cast<std::uint32_t>(data.size())) + type + data + Be32(Crc32(type + data));
}

// Signature and header of a PNG; `depth` 16 with colour type 6 is what Qt reads 8 bytes a pixel.
std::string PngHead(std::uint32_t width, std::uint32_t height, int depth = 8) {
  return "\x89PNG\r\n\x1a\n" +
         PngChunk("IHDR", Be32(width) + Be32(height) + static_cast<char>(depth) + '\x06' +
                              std::string(3, '\0'));
}

std::string Icon(const std::string& image) {
  return Le(0, 2) + Le(1, 2) + Le(1, 2) + "\x10\x10" + Le(0, 2) + Le(1, 2) + Le(32, 2) +
         Le(static_cast<std::uint32_t>(image.size()), 4) + Le(22, 4) + image;
}

std::string DibHead(std::uint32_t width, std::uint32_t rows, int bits) {
  return Le(40, 4) + Le(width, 4) + Le(rows, 4) + Le(1, 2) + Le(bits, 2) + std::string(24, '\0');
}

// A 2 x 2 picture with 4 bytes of pixels a row: the header's sizes, `bits` per pixel.
std::string Bmp(int bits, std::size_t pixelBytes) {
  return "BM" + Le(54 + 16, 4) + Le(0, 4) + Le(54, 4) + DibHead(2, 2, bits) +
         std::string(pixelBytes, '\x40');
}

std::string ProgressiveJpeg(int side) {
  std::string bytes = test::DataBytes("rgb_progressive.jpg");
  const std::size_t sof = bytes.find("\xFF\xC2");
  bytes.replace(sof + 5, 4,
                {static_cast<char>(side >> 8), static_cast<char>(side),
                 static_cast<char>(side >> 8), static_cast<char>(side)});
  return bytes;
}

Status LoadBytes(const std::string& name, const std::string& bytes, PictureNotes* notes = nullptr) {
  test::TempDir dir;
  test::WriteAll(dir.File(name), bytes);
  Bitmap24 picture;
  return LoadPicture(dir.File(name), picture, notes);
}

struct Bomb {
  const char* name;
  std::string bytes;
};

class PictureBombTest : public ::testing::TestWithParam<Bomb> {};

TEST_P(PictureBombTest, RefusedBeforeItIsDecoded) {
  test::ExpectRefusedQuickly([&] { return LoadBytes(GetParam().name, GetParam().bytes); });
}

// Screens of one pixel whose image is 20000 x 20000; icons whose 16 x 16 entry holds a
// 13000 x 13000 PNG or DIB; within the size limit but over the decode budget: a progressive
// JPEG of 9000 x 9000 (its coefficients take 243 MB) and a 16-bit PNG of 4000 x 4000 (128 MB).
INSTANTIATE_TEST_SUITE_P(
    Files, PictureBombTest,
    ::testing::Values(
        Bomb{"screen.gif", "GIF89a" + Le(1, 2) + Le(1, 2) + std::string(3, '\0') + "\x2c" +
                               Le(0, 4) + Le(20000, 2) + Le(20000, 2) + '\0' + "\x02\x00\x3b"},
        Bomb{"png_entry.ico", Icon(PngHead(13000, 13000))},
        Bomb{"dib_entry.ico", Icon(DibHead(13000, 26000, 32))},
        Bomb{"progressive.jpg", ProgressiveJpeg(9000)},
        Bomb{"deep.png", PngHead(4000, 4000, 16) + PngChunk("IDAT", "x") + PngChunk("IEND", "")}));

struct Failure {
  const char* name;
  std::string bytes;
  const char* message;
};

class PictureFailureTest : public ::testing::TestWithParam<Failure> {};

TEST_P(PictureFailureTest, SaysWhatIsWrongAndPrintsNothing) {
  testing::internal::CaptureStderr();
  const Status status = LoadBytes(GetParam().name, GetParam().bytes);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(status.Message(), GetParam().message);
}

const std::string kGarbage(64, '\x5a');

INSTANTIATE_TEST_SUITE_P(
    Files, PictureFailureTest,
    ::testing::Values(Failure{"a.bmp", kGarbage, "Not a BMP picture"},
                      Failure{"a.png", kGarbage, "Not a PNG picture"},
                      Failure{"a.gif", kGarbage, "Not a GIF picture"},
                      Failure{"a.ico", kGarbage, "Not an ICO picture"},
                      Failure{"seven_bits.bmp", Bmp(7, 16), "Damaged or truncated BMP picture"},
                      Failure{"bad_data.png", PngHead(2, 2) + PngChunk("IDAT", kGarbage),
                              "Damaged or truncated PNG picture"},
                      Failure{"cut.ico", Icon(PngHead(2, 2)).substr(0, 30),
                              "Damaged or truncated ICO picture"}));

TEST(PictureFailure, QtAllocationRefusalsAreToldApart) {
  EXPECT_EQ(QtReadFailure(RasterKind::Gif, 9000, 9000,
                          "QImageIOHandler: Rejecting image as it exceeds the current allocation "
                          "limit of 5 megabytes\n")
                .Message(),
            "Picture too large: 9000 x 9000 needs more than 163 MB to decode");
  EXPECT_EQ(QtReadFailure(RasterKind::Png, 2, 2, "QImage: out of memory, returning null image\n")
                .Message(),
            "Out of memory");
}

TEST(PictureFailure, LinkLoopsAndLongNamesAreNotMissingFiles) {
  test::TempDir dir;
  std::filesystem::create_symlink("b.png", dir.File("a.png"));
  std::filesystem::create_symlink("a.png", dir.File("b.png"));
  Bitmap24 picture;
  EXPECT_EQ(LoadPicture(dir.File("a.png"), picture).Message(), "Too many levels of symbolic links");
  EXPECT_EQ(LoadPicture(dir.File(std::string(300, 'n') + ".png"), picture).Message(),
            "File name too long");
}

// A BMP cut inside its pixels, a GIF inside its image data, a JPEG inside its scan.
TEST(PictureTruncation, CutFilesLoadAndSaySo) {
  test::TempDir dir;
  QImage(24, 16, QImage::Format_RGB32).save(QString::fromStdString(dir.File("whole.bmp")));
  const std::string bmp = test::ReadAll(dir.File("whole.bmp"));
  const std::string gif = test::DataBytes("sample.gif"), jpeg = test::DataBytes("detailed.jpg");
  for (const auto& [name, whole] : {std::pair{"a.bmp", bmp}, {"a.gif", gif}, {"a.jpg", jpeg}}) {
    PictureNotes notes;
    ASSERT_TRUE(LoadBytes(name, whole, &notes).IsOk()) << name;
    EXPECT_FALSE(notes.truncated) << name;
    const Status cut = LoadBytes(name, whole.substr(0, whole.size() * 2 / 3), &notes);
    EXPECT_TRUE(cut.IsOk()) << name << ": " << cut.Message();
    EXPECT_TRUE(notes.truncated) << name;
  }
}

}  // namespace
}  // namespace tinto

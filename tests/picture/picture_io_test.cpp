#include "picture/picture_io.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>

#include "picture/picture_fixtures.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using test::Color;

constexpr Color kBackground{255, 0, 0};
constexpr Color kOdd{13, 147, 201};

// A picture of background colour with the odd colour at its bottom-right pixel.
QImage SamplePicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(kBackground.r, kBackground.g, kBackground.b));
  image.setPixelColor(width - 1, height - 1, QColor(kOdd.r, kOdd.g, kOdd.b));
  return image;
}

void WriteWithQt(const std::string& path, const char* format, int width, int height) {
  ASSERT_TRUE(SamplePicture(width, height).save(QString::fromStdString(path), format));
}

void WriteGif(const std::string& path, int width, int height) {
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(width * height), 0);
  indices.back() = 1;
  test::WriteAll(path, test::MakeGif(width, height, {kBackground, kOdd}, indices));
}

void WriteJpeg(const std::string& path, int width, int height) {
  std::vector<std::uint8_t> samples;
  for (int i = 0; i < width * height; ++i) samples.insert(samples.end(), {255, 0, 0});
  test::WriteAll(path, test::MakeJpeg(width, height, samples));
}

struct KindCase {
  const char* fileName;
  std::function<void(const std::string&, int, int)> write;
  bool exactOddPixel;  // lossless formats keep the single odd pixel exactly
};

const KindCase kKinds[] = {
    {"picture.bmp", [](auto& p, int w, int h) { WriteWithQt(p, "BMP", w, h); }, true},
    {"picture.png", [](auto& p, int w, int h) { WriteWithQt(p, "PNG", w, h); }, true},
    {"picture.gif", WriteGif, true},
    {"picture.ico", [](auto& p, int w, int h) { WriteWithQt(p, "ICO", w, h); }, true},
    {"PICTURE.BMP", [](auto& p, int w, int h) { WriteWithQt(p, "BMP", w, h); }, true},
    {"picture.jpg", WriteJpeg, false},
    {"picture.jpeg", WriteJpeg, false},
    {"Picture.JPG", WriteJpeg, false},
};

class LoadPictureKindTest
    : public ::testing::TestWithParam<std::tuple<KindCase, std::pair<int, int>>> {};

TEST_P(LoadPictureKindTest, LoadsAtItsOwnSize) {
  const auto& [kind, size] = GetParam();
  test::TempDir dir;
  const std::string path = dir.File(kind.fileName);
  kind.write(path, size.first, size.second);
  EXPECT_TRUE(IsPictureFileName(path));
  Bitmap24 picture;
  const Status status = LoadPicture(path, picture);
  ASSERT_TRUE(status.IsOk()) << status.Message();
  ASSERT_EQ(picture.Width(), size.first);
  ASSERT_EQ(picture.Height(), size.second);
  if (!kind.exactOddPixel) {
    EXPECT_TRUE(test::Near(test::PixelAt(picture, 0, 0), kBackground, 2));
  } else {
    EXPECT_EQ(test::PixelAt(picture, size.first - 1, size.second - 1), kOdd);
    if (size.first > 1) {
      EXPECT_EQ(test::PixelAt(picture, 0, 0), kBackground);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, LoadPictureKindTest,
                         ::testing::Combine(::testing::ValuesIn(kKinds),
                                            ::testing::Values(std::pair{1, 1}, std::pair{5, 3})));

TEST(LoadPicture, LoadsMetafilesByExtension) {
  test::TempDir dir;
  test::WriteSampleWmf(dir.File("sample.wmf"));
  test::WriteSampleEmf(dir.File("SAMPLE.EMF"));
  for (const char* name : {"sample.wmf", "SAMPLE.EMF"}) {
    Bitmap24 picture;
    ASSERT_TRUE(LoadPicture(dir.File(name), picture).IsOk()) << name;
    EXPECT_EQ(picture.Width(), 64);
    EXPECT_EQ(picture.Height(), 48);
  }
}

TEST(LoadPicture, LaysTransparentPixelsOverWhite) {
  test::TempDir dir;
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(0, 0, 255, 0));
  image.setPixel(1, 0, qRgba(255, 0, 0, 128));
  image.setPixel(2, 0, qRgba(10, 20, 30, 255));
  ASSERT_TRUE(image.save(QString::fromStdString(dir.File("alpha.png")), "PNG"));
  Bitmap24 picture;
  ASSERT_TRUE(LoadPicture(dir.File("alpha.png"), picture).IsOk());
  EXPECT_EQ(test::PixelAt(picture, 0, 0), (Color{255, 255, 255}));
  // 255 * 128 + 255 * 127 = 65025 -> 255; 0 * 128 + 255 * 127 = 32385 -> 127.
  EXPECT_EQ(test::PixelAt(picture, 1, 0), (Color{255, 127, 127}));
  EXPECT_EQ(test::PixelAt(picture, 2, 0), (Color{10, 20, 30}));
}

// Joins single-image icon files (6-byte header, one 16-byte entry, image data) into one file.
std::string JoinIcons(const std::vector<std::string>& icons) {
  std::string header = icons[0].substr(0, 4) + static_cast<char>(icons.size()) + '\0';
  std::string entries, images;
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(icons.size());
  for (const std::string& icon : icons) {
    std::string entry = icon.substr(6, 16);
    for (int i = 0; i < 4; ++i) entry[12 + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
    entries += entry;
    images += icon.substr(22);
    offset += static_cast<std::uint32_t>(icon.size() - 22);
  }
  return header + entries + images;
}

TEST(LoadPicture, IconFileGivesItsLargestImage) {
  test::TempDir dir;
  WriteWithQt(dir.File("small.ico"), "ICO", 16, 16);
  WriteWithQt(dir.File("large.ico"), "ICO", 48, 32);
  test::WriteAll(dir.File("both.ico"), JoinIcons({test::ReadAll(dir.File("small.ico")),
                                                  test::ReadAll(dir.File("large.ico"))}));
  Bitmap24 picture;
  ASSERT_TRUE(LoadPicture(dir.File("both.ico"), picture).IsOk());
  EXPECT_EQ(picture.Width(), 48);
  EXPECT_EQ(picture.Height(), 32);
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value, bool bigEndian) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<char>((value >> (8 * (bigEndian ? 3 - i : i))) & 0xFF);
}

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

// Loads a file whose header claims width x height; its pixel data is far too short for that.
Status LoadClaimingSize(const std::string& extension, int width, int height) {
  test::TempDir dir;
  const std::string path = dir.File("claim." + extension);
  if (extension == "gif") {
    test::WriteAll(path, test::MakeGif(2, 2, {kBackground}, {0, 0, 0, 0}));
  } else {
    WriteWithQt(path, extension == "bmp" ? "BMP" : "PNG", 2, 2);
  }
  std::string bytes = test::ReadAll(path);
  if (extension == "bmp") {
    PutU32(bytes, 18, static_cast<std::uint32_t>(width), false);
    PutU32(bytes, 22, static_cast<std::uint32_t>(height), false);
  } else if (extension == "png") {
    PutU32(bytes, 16, static_cast<std::uint32_t>(width), true);
    PutU32(bytes, 20, static_cast<std::uint32_t>(height), true);
    PutU32(bytes, 29, Crc32(bytes.substr(12, 17)), true);
  } else {
    // Logical screen (offset 6) and image descriptor (offset 6 + 7 + 12 colours + 5).
    for (std::size_t at : {std::size_t{6}, std::size_t{30}}) {
      bytes[at] = static_cast<char>(width & 0xFF);
      bytes[at + 1] = static_cast<char>(width >> 8);
      bytes[at + 2] = static_cast<char>(height & 0xFF);
      bytes[at + 3] = static_cast<char>(height >> 8);
    }
  }
  test::WriteAll(path, bytes);
  Bitmap24 picture;
  return LoadPicture(path, picture);
}

class LoadPictureHugeTest : public ::testing::TestWithParam<std::tuple<const char*, int, int>> {};

TEST_P(LoadPictureHugeTest, RefusedBeforeItsPixelsAreRead) {
  const char* const extension = std::get<0>(GetParam());
  const int width = std::get<1>(GetParam());
  const int height = std::get<2>(GetParam());
  test::ExpectRefusedQuickly([&] { return LoadClaimingSize(extension, width, height); });
}

// A side over 32768, and 10001 x 10000: just over 100 megapixels.
INSTANTIATE_TEST_SUITE_P(Sizes, LoadPictureHugeTest,
                         ::testing::Values(std::tuple{"bmp", 32769, 1},
                                           std::tuple{"bmp", 10001, 10000},
                                           std::tuple{"png", 1, 32769},
                                           std::tuple{"png", 10001, 10000},
                                           std::tuple{"gif", 40000, 2}));

TEST(LoadPicture, AcceptsASideOf32768) {
  test::TempDir dir;
  WriteWithQt(dir.File("wide.bmp"), "BMP", 32768, 1);
  Bitmap24 picture;
  ASSERT_TRUE(LoadPicture(dir.File("wide.bmp"), picture).IsOk());
  EXPECT_EQ(picture.Width(), 32768);
}

TEST(LoadPicture, ChoosesTheLoaderByExtensionNotContent) {
  test::TempDir dir;
  WriteWithQt(dir.File("really_a_png.bmp"), "PNG", 4, 4);
  Bitmap24 picture;
  EXPECT_FALSE(LoadPicture(dir.File("really_a_png.bmp"), picture).IsOk());
}

TEST(LoadPicture, RefusesUnknownExtensions) {
  test::TempDir dir;
  for (const char* name : {"picture.txt", "picture", "picture.tif", "picture.bmp.bak"}) {
    WriteWithQt(dir.File(name), "BMP", 2, 2);
    Bitmap24 picture;
    EXPECT_FALSE(IsPictureFileName(dir.File(name))) << name;
    EXPECT_FALSE(LoadPicture(dir.File(name), picture).IsOk()) << name;
  }
}

TEST(LoadPicture, RefusesMissingFilesAndFolders) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("folder.bmp"));
  Bitmap24 picture(1, 1);
  EXPECT_FALSE(LoadPicture(dir.File("missing.jpg"), picture).IsOk());
  EXPECT_FALSE(LoadPicture(dir.File("folder.bmp"), picture).IsOk());
  EXPECT_FALSE(LoadPicture(dir.File("missing_folder/picture.png"), picture).IsOk());
  EXPECT_EQ(picture, Bitmap24(1, 1));
}

// A valid file of each kind, some tens of bytes or more.
void WriteSampleFile(const std::string& extension, const std::string& path) {
  if (extension == "jpg") return test::WriteAll(path, test::DetailedJpeg(32, 32));
  if (extension == "gif")
    return test::WriteAll(
        path, test::MakeGif(8, 6, {{255, 0, 0}, {0, 0, 255}}, std::vector<std::uint8_t>(48, 1)));
  if (extension == "emf") return test::WriteSampleEmf(path);
  if (extension == "wmf") return test::WriteSampleWmf(path);
  QImage image(24, 16, QImage::Format_ARGB32);
  image.fill(QColor(13, 147, 201));
  ASSERT_TRUE(image.save(QString::fromStdString(path), extension.c_str()));
}

enum class Damage { Empty, Garbage, HeaderOnly, Half };

std::string Damaged(const std::string& whole, Damage damage) {
  switch (damage) {
    case Damage::Empty:
      return {};
    case Damage::Garbage: {
      std::string garbage;
      for (int i = 0; i < 700; ++i) garbage += static_cast<char>((i * 7919 + 13) % 251);
      return garbage;
    }
    case Damage::HeaderOnly:
      return whole.substr(0, 12);
    case Damage::Half:
      return whole.substr(0, whole.size() / 2);
  }
  return whole;
}

const char* const kExtensions[] = {"jpg", "bmp", "ico", "png", "gif", "emf", "wmf"};

class LoadPictureDamageTest : public ::testing::TestWithParam<std::tuple<const char*, Damage>> {};

TEST_P(LoadPictureDamageTest, FailsWithAReason) {
  const auto [extension, damage] = GetParam();
  test::TempDir dir;
  const std::string path = dir.File(std::string("sample.") + extension);
  WriteSampleFile(extension, path);
  test::WriteAll(path, Damaged(test::ReadAll(path), damage));
  Bitmap24 picture(3, 1);
  const Status status = LoadPicture(path, picture);
  EXPECT_FALSE(status.IsOk());
  EXPECT_FALSE(status.Message().empty());
  EXPECT_EQ(picture, Bitmap24(3, 1));
}

INSTANTIATE_TEST_SUITE_P(Damaged, LoadPictureDamageTest,
                         ::testing::Combine(::testing::ValuesIn(kExtensions),
                                            ::testing::Values(Damage::Empty, Damage::Garbage,
                                                              Damage::HeaderOnly)));

class LoadPictureCutTest : public ::testing::TestWithParam<const char*> {};

// A file cut in half loads at its full size (JPEG with a grey tail, WMF without its later
// records, and whatever Qt's readers accept) or fails; it never gives a wrong size.
TEST_P(LoadPictureCutTest, LoadsAtFullSizeOrFails) {
  const std::string extension = GetParam();
  test::TempDir dir;
  const std::string path = dir.File("sample." + extension);
  WriteSampleFile(extension, path);
  Bitmap24 whole;
  ASSERT_TRUE(LoadPicture(path, whole).IsOk());
  test::WriteAll(path, Damaged(test::ReadAll(path), Damage::Half));
  Bitmap24 cut;
  const Status status = LoadPicture(path, cut);
  if (extension == "jpg" || extension == "wmf") {
    EXPECT_TRUE(status.IsOk()) << status.Message();
  }
  if (status.IsOk()) {
    EXPECT_EQ(cut.Width(), whole.Width());
    EXPECT_EQ(cut.Height(), whole.Height());
  }
}

INSTANTIATE_TEST_SUITE_P(Cut, LoadPictureCutTest, ::testing::ValuesIn(kExtensions));

}  // namespace
}  // namespace tinto

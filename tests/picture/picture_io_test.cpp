#include "picture/picture_io.h"

#include <QImage>
#include <cctype>

#include "picture/picture_fixtures.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using test::Color;

constexpr Color kBackground{255, 0, 0};
constexpr Color kOdd{13, 147, 201};

// A picture of background colour with the odd colour at its bottom-right pixel.
void WriteWithQt(const std::string& path, const char* format, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(kBackground.r, kBackground.g, kBackground.b));
  image.setPixelColor(width - 1, height - 1, QColor(kOdd.r, kOdd.g, kOdd.b));
  ASSERT_TRUE(image.save(QString::fromStdString(path), format));
}

// The picture as a file named `name`: written by Qt, or (GIF, JPEG) copied from the reference
// pictures picture_WxH.gif and .jpg, which hold the same picture (the JPEG without its odd pixel).
void WritePicture(const std::string& path, int width, int height) {
  std::string extension = std::filesystem::path(path).extension().string().substr(1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == "bmp" || extension == "png" || extension == "ico")
    return WriteWithQt(path, extension.c_str(), width, height);
  const std::string kind = extension == "gif" ? "gif" : "jpg";
  std::filesystem::copy_file(test::DataPath("picture_" + std::to_string(width) + "x" +
                                            std::to_string(height) + "." + kind),
                             path);
}

TEST(LoadPicture, LoadsEachKindAtItsOwnSize) {
  for (const char* name : {"picture.bmp", "picture.png", "picture.gif", "picture.ico",
                           "PICTURE.BMP", "picture.jpg", "picture.jpeg", "Picture.JPG"})
    for (auto [width, height] : {std::pair{1, 1}, std::pair{5, 3}}) {
      SCOPED_TRACE(testing::Message() << name << " " << width << "x" << height);
      test::TempDir dir;
      const std::string path = dir.File(name);
      WritePicture(path, width, height);
      EXPECT_TRUE(IsPictureFileName(path));
      Bitmap24 picture;
      const Status status = LoadPicture(path, picture);
      ASSERT_TRUE(status.IsOk()) << status.Message();
      ASSERT_EQ(std::pair(picture.Width(), picture.Height()), std::pair(width, height));
      if (std::string(name).find(".jp") != std::string::npos ||
          std::string(name).find(".JP") != std::string::npos) {
        EXPECT_TRUE(test::Near(test::PixelAt(picture, 0, 0), kBackground, 2));
        continue;
      }
      EXPECT_EQ(test::PixelAt(picture, width - 1, height - 1), kOdd);
      EXPECT_TRUE(width == 1 || test::PixelAt(picture, 0, 0) == kBackground);
    }
}

// A metafile goes to its player (either kind: the damage test); an icon file of a 16 x 16 image,
// then a 48 x 32 one, gives its largest.
TEST(LoadPicture, LoadsAMetafileAndAnIconFilesLargestImage) {
  for (auto [name, width, height] : {std::tuple{"sample.wmf", 64, 48}, {"two_icons.ico", 48, 32}}) {
    Bitmap24 picture;
    ASSERT_TRUE(LoadPicture(test::DataPath(name), picture).IsOk()) << name;
    EXPECT_EQ(std::pair(picture.Width(), picture.Height()), std::pair(width, height));
  }
}

// 2 x 2 pictures whose headers claim a side over 32768 or 10001 x 10000, just over 100
// megapixels: refused before their pixels are read.
TEST(LoadPicture, RefusesHugeHeadersBeforeReadingPixelsButAcceptsASideOf32768) {
  for (const char* name : {"side_32769.bmp", "area_10001x10000.bmp", "side_32769.png",
                           "area_10001x10000.png", "side_40000.gif"}) {
    SCOPED_TRACE(name);
    Bitmap24 picture;
    test::ExpectRefusedAsTooLarge([&] { return LoadPicture(test::DataPath(name), picture); });
  }
  test::TempDir dir;
  WriteWithQt(dir.File("wide.bmp"), "BMP", 32768, 1);
  Bitmap24 picture;
  ASSERT_TRUE(LoadPicture(dir.File("wide.bmp"), picture).IsOk());
  EXPECT_EQ(picture.Width(), 32768);
}

// The loader goes by the extension, not the content: a PNG named .bmp is refused too.
TEST(LoadPicture, RefusesUnknownExtensionsMissingFilesFoldersAndWrongContent) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("folder.bmp"));
  WriteWithQt(dir.File("really_a_png.bmp"), "PNG", 4, 4);
  Bitmap24 picture(1, 1);
  for (const char* name : {"picture.txt", "picture", "picture.tif", "picture.bmp.bak"}) {
    WriteWithQt(dir.File(name), "BMP", 2, 2);
    EXPECT_FALSE(IsPictureFileName(dir.File(name))) << name;
    EXPECT_FALSE(LoadPicture(dir.File(name), picture).IsOk()) << name;
  }
  for (const char* name :
       {"missing.jpg", "folder.bmp", "missing_folder/picture.png", "really_a_png.bmp"})
    EXPECT_FALSE(LoadPicture(dir.File(name), picture).IsOk()) << name;
  EXPECT_EQ(picture, Bitmap24(1, 1));
}

// A valid file of each kind, some tens of bytes or more.
std::string SampleFile(const std::string& extension) {
  if (extension == "jpg") return test::DataBytes("detailed.jpg");
  if (extension == "gif" || extension == "emf" || extension == "wmf")
    return test::DataBytes("sample." + extension);
  test::TempDir dir;
  WriteWithQt(dir.File("sample"), extension.c_str(), 24, 16);
  return test::ReadAll(dir.File("sample"));
}

std::string Garbage() {
  std::string garbage;
  for (int i = 0; i < 700; ++i) garbage += static_cast<char>((i * 7919 + 13) % 251);
  return garbage;
}

// Empty, garbage and header-only files fail with a reason and leave the picture alone (files cut
// later are the truncation test's).
TEST(LoadPicture, DamagedFilesFailWithAReasonOrLoadAtFullSize) {
  for (const std::string extension : {"jpg", "bmp", "ico", "png", "gif", "emf", "wmf"}) {
    SCOPED_TRACE(extension);
    const std::string whole = SampleFile(extension);
    test::TempDir dir;
    const std::string path = dir.File("sample." + extension);
    for (const std::string& damaged : {std::string(), Garbage(), whole.substr(0, 12)}) {
      test::WriteAll(path, damaged);
      Bitmap24 picture(3, 1);
      const Status status = LoadPicture(path, picture);
      EXPECT_FALSE(status.IsOk()) << damaged.size();
      EXPECT_FALSE(status.Message().empty());
      EXPECT_EQ(picture, Bitmap24(3, 1));
    }
  }
}

}  // namespace
}  // namespace tinto

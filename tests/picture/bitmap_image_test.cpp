#include "picture/bitmap_image.h"

#include "picture/picture_fixtures.h"
#include "picture/picture_io.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using test::Color;

// Each component: round((c * a + 255 * (255 - a)) / 255): (0 * 64 + 255 * 191) / 255 = 191,
// (100 * 64 + 48705) / 255 = 216.1, (10 * 1 + 255 * 254) / 255 = 254.04.
TEST(ImageToBitmap, LaysPixelsOverWhite) {
  const std::pair<QRgb, Color> cases[] = {{qRgba(13, 147, 201, 255), {13, 147, 201}},
                                          {qRgba(13, 147, 201, 0), {255, 255, 255}},
                                          {qRgba(0, 100, 255, 64), {191, 216, 255}},
                                          {qRgba(10, 10, 10, 1), {254, 254, 254}}};
  for (auto [argb, expected] : cases) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, argb);
    EXPECT_EQ(test::PixelAt(ImageToBitmap(image), 0, 0), expected) << std::hex << argb;
  }
}

TEST(ImageToBitmap, ReadsIndexedPremultipliedAndNullImages) {
  QImage indexed(2, 1, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(13, 147, 201), qRgb(1, 2, 3)});
  indexed.setPixel(0, 0, 1);
  indexed.setPixel(1, 0, 0);
  const Bitmap24 bitmap = ImageToBitmap(indexed);
  EXPECT_EQ(test::PixelAt(bitmap, 0, 0), (Color{1, 2, 3}));
  EXPECT_EQ(test::PixelAt(bitmap, 1, 0), (Color{13, 147, 201}));
  QImage premultiplied(1, 1, QImage::Format_ARGB32_Premultiplied);
  premultiplied.fill(Qt::transparent);
  EXPECT_EQ(test::PixelAt(ImageToBitmap(premultiplied), 0, 0), (Color{255, 255, 255}));
  EXPECT_TRUE(ImageToBitmap(QImage()).Empty());
}

TEST(SavePng, ReportsFailures) {
  test::TempDir dir;
  EXPECT_FALSE(SavePng(Bitmap24(), dir.File("empty.png")).IsOk());
  const Status missingFolder = SavePng(Bitmap24(2, 2), dir.File("no/such/folder.png"));
  EXPECT_FALSE(missingFolder.IsOk());
  EXPECT_FALSE(missingFolder.Message().empty());
  std::filesystem::create_directory(dir.File("folder.png"));
  EXPECT_FALSE(SavePng(Bitmap24(2, 2), dir.File("folder.png")).IsOk());
}

}  // namespace
}  // namespace tinto

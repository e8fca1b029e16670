#include "picture/jpeg_decoder.h"

#include "picture/picture_fixtures.h"

namespace tinto {
namespace {

using namespace std::string_literals;

using test::Color;
using test::DataBytes;

Status Decode(const std::string& bytes, Bitmap24& out, std::int64_t maxPixels = kMaxPicturePixels) {
  return DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out,
                    maxPixels);
}

// 16 x 8 pictures of one colour, which survives quality 100 within a step or two of rounding.
// CMYK: an Adobe file stores inverted inks (255 = no ink), so (200,100,50,128) means
// red = 200 * 128 / 255 = 100, green = 50, blue = 25. The plain file stores the inks themselves:
// (55,155,205,127) inverts to the same values. The progressive one stores (255,0,255,255).
TEST(JpegDecoder, DecodesEachColourSpaceToRgb) {
  // clang-format off
  const std::pair<const char*, Color> cases[] = {
      {"rgb.jpg", {13, 147, 201}}, {"rgb_progressive.jpg", {13, 147, 201}},
      {"grey.jpg", {90, 90, 90}}, {"grey_progressive.jpg", {90, 90, 90}},
      {"cmyk_adobe.jpg", {100, 50, 25}}, {"cmyk_plain.jpg", {100, 50, 25}},
      {"cmyk_progressive.jpg", {255, 0, 255}}};
  // clang-format on
  for (const auto& [file, expected] : cases) {
    Bitmap24 picture;
    ASSERT_TRUE(Decode(DataBytes(file), picture).IsOk()) << file;
    ASSERT_EQ(std::pair(picture.Width(), picture.Height()), std::pair(16, 8)) << file;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 16; ++x)
        ASSERT_TRUE(test::Near(test::PixelAt(picture, x, y), expected, 2)) << file << x << "," << y;
  }
}

// 16 x 16: black left half, red right half.
TEST(JpegDecoder, KeepsLeftAndRightHalvesApart) {
  Bitmap24 picture;
  ASSERT_TRUE(Decode(DataBytes("halves.jpg"), picture).IsOk());
  EXPECT_TRUE(test::Near(test::PixelAt(picture, 1, 1), {0, 0, 0}, 8));
  EXPECT_TRUE(test::Near(test::PixelAt(picture, 14, 14), {255, 0, 0}, 8));
}

// Empty and garbage files are the loaders' shared damage test.
TEST(JpegDecoder, BadInputFailsAndLeavesTheOutputAlone) {
  const std::string whole = DataBytes("rgb.jpg");
  for (const std::string& bytes :
       {"\xFF\xD8"s, "\x89PNG\r\n\x1A\n0000000000000000"s,
        "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00garbage"s, whole.substr(0, whole.find("\xFF\xDA"))}) {
    Bitmap24 picture(2, 3);
    const Status status = Decode(bytes, picture);
    EXPECT_FALSE(status.IsOk()) << bytes.size();
    EXPECT_FALSE(status.Message().empty());
    EXPECT_EQ(picture, Bitmap24(2, 3));
  }
  Bitmap24 picture;
  EXPECT_FALSE(DecodeJpeg(nullptr, 10, picture).IsOk());
}

// 65000 x 65000 in the first SOF marker's size fields; the caller's own limit counts too.
TEST(JpegDecoder, RefusesHugeDeclaredSizeAndAppliesTheGivenPixelLimit) {
  std::string huge = DataBytes("rgb.jpg");
  const std::size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  huge.replace(sof + 5, 4, "\xFD\xE8\xFD\xE8");
  Bitmap24 picture;
  test::ExpectRefusedAsTooLarge([&] { return Decode(huge, picture); });
  EXPECT_TRUE(picture.Empty());
  const std::string bytes = DataBytes("detailed.jpg");
  EXPECT_FALSE(Decode(bytes, picture, 64 * 64 - 1).IsOk());
  EXPECT_TRUE(Decode(bytes, picture, 64 * 64).IsOk());
}

// Repeats the last scan of a progressive file until it has more scans than any real picture.
TEST(JpegDecoder, RefusesEndlessScans) {
  const std::string whole = DataBytes("detailed_progressive.jpg");
  const std::size_t lastScan = whole.rfind("\xFF\xDA");
  const std::size_t end = whole.rfind("\xFF\xD9");
  ASSERT_LT(lastScan, end);
  std::string bytes = whole.substr(0, end);
  for (int i = 0; i < 1100; ++i) bytes += whole.substr(lastScan, end - lastScan);
  bytes += "\xFF\xD9";
  Bitmap24 picture;
  const Status status = Decode(bytes, picture);
  EXPECT_FALSE(status.IsOk());
  EXPECT_NE(status.Message().find("scans"), std::string::npos) << status.Message();
}

}  // namespace
}  // namespace tinto

#include "picture/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "picture/picture_fixtures.h"

namespace tinto {
namespace {

using namespace std::string_literals;

using test::Color;
using test::JpegKind;
using test::JpegOptions;

Status Decode(const std::string& bytes, Bitmap24& out) {
  return DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

struct ColorCase {
  const char* name;
  JpegOptions options;
  std::vector<std::uint8_t> stored;  // the samples as written into the file
  Color expected;
};

class JpegColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(JpegColorTest, DecodesEachColourSpaceToRgb) {
  const ColorCase& c = GetParam();
  Bitmap24 picture;
  ASSERT_TRUE(Decode(test::UniformJpeg(16, 8, c.stored, c.options), picture).IsOk());
  ASSERT_EQ(picture.Width(), 16);
  ASSERT_EQ(picture.Height(), 8);
  // One flat colour survives quality 100 within a step or two of rounding.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_TRUE(test::Near(test::PixelAt(picture, x, y), c.expected, 2)) << x << "," << y;
}

// CMYK: an Adobe file stores inverted inks (255 = no ink), so (200,100,50,128) means
// red = 200 * 128 / 255 = 100, green = 50, blue = 25. A plain file stores the inks themselves:
// (55,155,205,127) inverts to the same values.
INSTANTIATE_TEST_SUITE_P(
    ColourSpaces, JpegColorTest,
    ::testing::Values(
        ColorCase{"Baseline", {JpegKind::Rgb, false}, {13, 147, 201}, {13, 147, 201}},
        ColorCase{"Progressive", {JpegKind::Rgb, true}, {13, 147, 201}, {13, 147, 201}},
        ColorCase{"Grey", {JpegKind::Grey, false}, {90}, {90, 90, 90}},
        ColorCase{"GreyProgressive", {JpegKind::Grey, true}, {90}, {90, 90, 90}},
        ColorCase{"AdobeCmyk", {JpegKind::CmykAdobe, false}, {200, 100, 50, 128}, {100, 50, 25}},
        ColorCase{"PlainCmyk", {JpegKind::CmykPlain, false}, {55, 155, 205, 127}, {100, 50, 25}},
        ColorCase{
            "ProgressiveCmyk", {JpegKind::CmykAdobe, true}, {255, 0, 255, 255}, {255, 0, 255}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegDecoder, KeepsLeftAndRightHalvesApart) {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      samples.insert(samples.end(), {std::uint8_t(x < 8 ? 0 : 255), 0, 0});
  Bitmap24 picture;
  ASSERT_TRUE(Decode(test::MakeJpeg(16, 16, samples), picture).IsOk());
  EXPECT_TRUE(test::Near(test::PixelAt(picture, 1, 1), {0, 0, 0}, 8));
  EXPECT_TRUE(test::Near(test::PixelAt(picture, 14, 14), {255, 0, 0}, 8));
}

TEST(JpegDecoder, TruncatedFileDecodesWithGreyTail) {
  const std::string whole = test::DetailedJpeg(64, 64);
  Bitmap24 picture;
  ASSERT_TRUE(Decode(whole.substr(0, whole.size() / 2), picture).IsOk());
  EXPECT_EQ(picture.Width(), 64);
  EXPECT_EQ(picture.Height(), 64);
  // Blocks after the end of the data decode with no coefficients: mid grey.
  EXPECT_TRUE(test::Near(test::PixelAt(picture, 63, 63), {128, 128, 128}, 1));
}

TEST(JpegDecoder, HeaderWithoutScanFails) {
  const std::string whole = test::UniformJpeg(8, 8, {1, 2, 3});
  const std::size_t scan = whole.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  Bitmap24 picture;
  EXPECT_FALSE(Decode(whole.substr(0, scan), picture).IsOk());
}

struct BadCase {
  const char* name;
  std::string bytes;
};

class JpegBadInputTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(JpegBadInputTest, FailsAndLeavesOutputAlone) {
  Bitmap24 picture(2, 3);
  const Status status = Decode(GetParam().bytes, picture);
  EXPECT_FALSE(status.IsOk());
  EXPECT_FALSE(status.Message().empty());
  EXPECT_EQ(picture, Bitmap24(2, 3));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, JpegBadInputTest,
    ::testing::Values(BadCase{"Empty", ""}, BadCase{"Garbage", std::string(500, '\x5A')},
                      BadCase{"MarkerOnly", "\xFF\xD8"s},
                      BadCase{"PngSignature", "\x89PNG\r\n\x1A\n0000000000000000"s},
                      BadCase{"StartThenGarbage", "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00garbage"s}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegDecoder, NullDataFails) {
  Bitmap24 picture;
  EXPECT_FALSE(DecodeJpeg(nullptr, 10, picture).IsOk());
}

// Writes `width` x `height` into the first SOF marker's size fields.
std::string WithDeclaredSize(std::string bytes, int width, int height) {
  const std::size_t sof = bytes.find("\xFF\xC0");
  if (sof == std::string::npos) return {};
  bytes[sof + 5] = static_cast<char>(height >> 8);
  bytes[sof + 6] = static_cast<char>(height & 0xFF);
  bytes[sof + 7] = static_cast<char>(width >> 8);
  bytes[sof + 8] = static_cast<char>(width & 0xFF);
  return bytes;
}

TEST(JpegDecoder, RefusesHugeDeclaredSizeQuickly) {
  const std::string huge = WithDeclaredSize(test::UniformJpeg(8, 8, {1, 2, 3}), 65000, 65000);
  ASSERT_FALSE(huge.empty());
  Bitmap24 picture;
  test::ExpectRefusedQuickly([&] { return Decode(huge, picture); });
  EXPECT_TRUE(picture.Empty());
}

TEST(JpegDecoder, AppliesTheGivenPixelLimit) {
  const std::string bytes = test::UniformJpeg(100, 100, {1, 2, 3});
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  Bitmap24 picture;
  EXPECT_FALSE(DecodeJpeg(data, bytes.size(), picture, 9'999).IsOk());
  EXPECT_TRUE(DecodeJpeg(data, bytes.size(), picture, 10'000).IsOk());
}

// Repeats the file's last scan until it has more scans than any real picture.
TEST(JpegDecoder, RefusesEndlessScans) {
  const std::string whole = test::DetailedJpeg(16, 16, {JpegKind::Rgb, true});
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

#include "picture/emf_renderer.h"

#include <gtest/gtest.h>

#include <string>

#include "picture/picture_fixtures.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using test::Color;
using test::EmfWriter;
using test::HundredthsMm;

constexpr Color kWhite{255, 255, 255};
constexpr Color kOdd{13, 147, 201};

Status Render(const std::string& bytes, Bitmap24& out) {
  return RenderEmf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

// An EMF with a filled ellipse in `box` (device pixels).
std::string EllipseEmf(U_RECTL bounds, U_RECTL frame, U_RECTL box) {
  test::TempDir dir;
  EmfWriter emf(dir.File("e.emf"), bounds, frame);
  emf.FillWith(U_RGB(13, 147, 201));
  emf.Add(U_EMRELLIPSE_set(box));
  emf.Finish();
  return test::ReadAll(dir.File("e.emf"));
}

TEST(EmfRenderer, FillsEllipseWithExactColourAtFrameSize) {
  const std::string bytes =
      EllipseEmf({0, 0, 39, 29}, {0, 0, HundredthsMm(40), HundredthsMm(30)}, {5, 5, 35, 25});
  Bitmap24 picture;
  ASSERT_TRUE(Render(bytes, picture).IsOk());
  ASSERT_EQ(picture.Width(), 40);
  ASSERT_EQ(picture.Height(), 30);
  EXPECT_EQ(test::PixelAt(picture, 20, 15), kOdd);
  EXPECT_EQ(test::PixelAt(picture, 20, 8), kOdd);
  EXPECT_EQ(test::PixelAt(picture, 2, 2), kWhite);
  EXPECT_EQ(test::PixelAt(picture, 38, 28), kWhite);
}

// The drawing covers only part of an 80 x 60 frame; it must stay where it is in the frame
// rather than be stretched over it.
TEST(EmfRenderer, KeepsDrawingInPlaceWithinALargerFrame) {
  const std::string bytes =
      EllipseEmf({45, 35, 75, 55}, {0, 0, HundredthsMm(80), HundredthsMm(60)}, {45, 35, 75, 55});
  Bitmap24 picture;
  ASSERT_TRUE(Render(bytes, picture).IsOk());
  ASSERT_EQ(picture.Width(), 80);
  ASSERT_EQ(picture.Height(), 60);
  EXPECT_EQ(test::PixelAt(picture, 60, 45), kOdd);
  EXPECT_EQ(test::PixelAt(picture, 20, 15), kWhite);
}

TEST(EmfRenderer, WithoutFrameTakesTheBoundsSize) {
  const std::string bytes = EllipseEmf({0, 0, 29, 19}, {0, 0, 0, 0}, {0, 0, 30, 20});
  Bitmap24 picture;
  ASSERT_TRUE(Render(bytes, picture).IsOk());
  EXPECT_EQ(picture.Width(), 30);
  EXPECT_EQ(picture.Height(), 20);
  EXPECT_EQ(test::PixelAt(picture, 15, 10), kOdd);
}

// 3000 mm square at 96 pixels per inch is 11339 pixels a side, 129 megapixels; 10000 mm by
// 1 mm is a side of 37795 pixels.
TEST(EmfRenderer, RefusesHugeFramesQuickly) {
  for (auto [width, height] : {std::pair{3000, 3000}, std::pair{10000, 1}}) {
    const std::string bytes =
        EllipseEmf({0, 0, 9, 9}, {0, 0, width * 100, height * 100}, {0, 0, 9, 9});
    Bitmap24 picture;
    test::ExpectRefusedQuickly([&] { return Render(bytes, picture); });
  }
}

std::string SampleBytes() {
  test::TempDir dir;
  test::WriteSampleEmf(dir.File("sample.emf"));
  return test::ReadAll(dir.File("sample.emf"));
}

std::string WithWord(std::string bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

class EmfBadInputTest : public ::testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(EmfBadInputTest, Fails) {
  Bitmap24 picture(1, 2);
  EXPECT_FALSE(Render(GetParam().second, picture).IsOk());
  EXPECT_EQ(picture, Bitmap24(1, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, EmfBadInputTest,
    ::testing::Values(std::pair{"Empty", std::string()},
                      std::pair{"Garbage", std::string(200, 'x')},
                      std::pair{"HeaderCut", SampleBytes().substr(0, 60)},
                      std::pair{"NoSignature", WithWord(SampleBytes(), 40, 0)},
                      std::pair{"NotAHeaderRecord", WithWord(SampleBytes(), 0, 2)},
                      std::pair{"HeaderLongerThanFile", WithWord(SampleBytes(), 4, 100000)}),
    [](const auto& info) { return std::string(info.param.first); });

// libemf2svg would read a description string at the end of the data until it met a zero.
TEST(EmfRenderer, NeverReadsADescriptionPastTheEnd) {
  const std::string whole = SampleBytes();
  const std::size_t headerSize = static_cast<unsigned char>(whole[4]);
  const std::string header = WithWord(WithWord(whole.substr(0, headerSize), 60, 1), 64,
                                      static_cast<std::uint32_t>(headerSize));
  Bitmap24 picture;
  const Status status = Render(header + std::string("\x0E\0\0\0", 4), picture);
  EXPECT_FALSE(status.IsOk());
}

// Without a QGuiApplication Qt would end the process on the first text; the text is left out.
TEST(EmfRenderer, DrawsPictureWithTextWithoutFonts) {
  Bitmap24 picture;
  ASSERT_TRUE(Render(SampleBytes(), picture).IsOk());
  EXPECT_EQ(picture.Width(), 64);
  EXPECT_EQ(test::PixelAt(picture, 10, 8), kOdd);
}

TEST(EmfRenderer, SurvivesCutsAndDamagedBytes) {
  test::ExpectSurvivesDamage(SampleBytes(), 4, Render);
}

}  // namespace
}  // namespace tinto

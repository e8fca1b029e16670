#include "picture/emf_renderer.h"

#include "picture/picture_fixtures.h"

namespace tinto {
namespace {

using test::Color;

constexpr Color kWhite{255, 255, 255};
constexpr Color kOdd{13, 147, 201};

Status Render(const std::string& bytes, Bitmap24& out) {
  return RenderEmf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

std::string WithWord(std::string bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// Ellipses filled in (13, 147, 201), in colours exact and at the size of the frame: file, size,
// a point inside, a point outside. The second's bounds (45, 35)-(75, 55) are kept in place in
// its 80 x 60 frame, not stretched over it; without a frame the bounds give the size.
TEST(EmfRenderer, FillsTheEllipseWhereItIsInTheFrame) {
  const std::tuple<const char*, int, int, int, int, int, int> cases[] = {
      {"ellipse.emf", 40, 30, 20, 8, 2, 2},
      {"ellipse_in_larger_frame.emf", 80, 60, 60, 45, 20, 15},
      {"ellipse_no_frame.emf", 30, 20, 15, 10, 0, 0}};
  for (auto [file, width, height, insideX, insideY, outsideX, outsideY] : cases) {
    SCOPED_TRACE(file);
    Bitmap24 picture;
    ASSERT_TRUE(Render(test::DataBytes(file), picture).IsOk());
    EXPECT_EQ(std::pair(picture.Width(), picture.Height()), std::pair(width, height));
    EXPECT_EQ(test::PixelAt(picture, insideX, insideY), kOdd);
    EXPECT_EQ(test::PixelAt(picture, outsideX, outsideY), kWhite);
  }
}

// 3000 mm square at 96 pixels per inch is 11339 pixels a side, 129 megapixels; 10000 mm by
// 1 mm is a side of 37795 pixels. The frame's right and bottom are at offsets 32 and 36.
TEST(EmfRenderer, RefusesHugeFrames) {
  for (auto [width, height] : {std::pair{3000, 3000}, std::pair{10000, 1}}) {
    const std::string bytes =
        WithWord(WithWord(test::DataBytes("ellipse.emf"), 32, width * 100), 36, height * 100);
    Bitmap24 picture;
    test::ExpectRefusedAsTooLarge([&] { return Render(bytes, picture); });
  }
}

// 64 x 48 with a rectangle and an ellipse in (13, 147, 201) and a line of text.
std::string SampleBytes() { return test::DataBytes("sample.emf"); }

// Empty and garbage files are the loaders' shared damage test. The last header's description
// string starts at the end of the data: libemf2svg would read on until it met a zero.
TEST(EmfRenderer, BadHeadersFailAndLeaveTheOutputAlone) {
  const std::string whole = SampleBytes();
  const std::size_t headerSize = static_cast<unsigned char>(whole[4]);
  const std::string header = WithWord(WithWord(whole.substr(0, headerSize), 60, 1), 64,
                                      static_cast<std::uint32_t>(headerSize));
  for (const std::string& bytes :
       {whole.substr(0, 60), WithWord(whole, 40, 0), WithWord(whole, 0, 2),
        WithWord(whole, 4, 100000), header + std::string("\x0E\0\0\0", 4)}) {
    Bitmap24 picture(1, 2);
    EXPECT_FALSE(Render(bytes, picture).IsOk()) << bytes.size();
    EXPECT_EQ(picture, Bitmap24(1, 2));
  }
}

// A record of type 96, which libuemf cannot check, after the header: the picture still draws,
// and the libraries' warnings about it stay off both output streams. Without a QGuiApplication
// Qt would end the process on the sample's first text; the text is left out.
TEST(EmfRenderer, KeepsTheLibrariesWarningsToThemselves) {
  const std::string whole = SampleBytes();
  const std::size_t headerSize = static_cast<unsigned char>(whole[4]);
  std::string bytes = whole.substr(0, headerSize) + std::string("\x60\0\0\0\x08\0\0\0", 8) +
                      whole.substr(headerSize);
  bytes = WithWord(WithWord(bytes, 48, static_cast<std::uint32_t>(bytes.size())), 52,
                   static_cast<unsigned char>(whole[52]) + 1u);
  Bitmap24 picture;
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  const Status status = Render(bytes, picture);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_TRUE(status.IsOk()) << status.Message();
  EXPECT_EQ(picture.Width(), 64);
  EXPECT_EQ(test::PixelAt(picture, 10, 8), kOdd);
}

TEST(EmfRenderer, SurvivesCutsAndDamagedBytes) {
  test::ExpectSurvivesDamage(SampleBytes(), 4, Render);
}

}  // namespace
}  // namespace tinto

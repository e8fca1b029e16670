#include "picture/wmf_player.h"

#include <QGuiApplication>

#include "picture/picture_fixtures.h"

namespace tinto {
namespace {

using test::Color;

constexpr Color kWhite{255, 255, 255};
constexpr Color kOdd{13, 147, 201};
constexpr Color kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0};

Status Render(const std::string& bytes, Bitmap24& out) {
  return RenderWmf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

struct Probe {
  int x, y;
  Color expected;
};

struct DrawCase {
  const char* file;  // tests/data/picture/README.md lists the records of each
  int width, height;
  std::vector<Probe> probes;
};

// clang-format off
const DrawCase kDrawCases[] = {
    // One inch by half an inch at 1440 units per inch is 96 x 48 pixels; the rectangle is the
    // right half.
    {"twips.wmf", 96, 48, {{70, 24, kOdd}, {20, 24, kWhite}}},
    // Without a placeable header the window gives the size; logical (10, 20) is the top left.
    {"plain_window.wmf", 50, 40, {{5, 5, kOdd}, {30, 30, kWhite}}},
    // A negative extent turns the picture over: y 0..10 maps to rows 40..30.
    {"plain_flipped.wmf", 50, 40, {{5, 35, kOdd}, {5, 5, kWhite}}},
    // Centre (20, 15) and (20, 8) inside: (8 - 15)^2/10^2 < 1.
    {"ellipse.wmf", 40, 30, {{20, 15, kOdd}, {20, 8, kOdd}, {7, 7, kWhite}, {38, 28, kWhite}}},
    {"null_pen_null_brush.wmf", 20, 20, {{0, 0, kWhite}, {10, 10, kWhite}, {19, 19, kWhite}}},
    {"wide_pen.wmf", 40, 30, {{20, 13, {200, 10, 10}}, {20, 16, {200, 10, 10}}, {20, 22, kWhite}}},
    // Two nested clockwise squares: the inner one is a hole only when filling by alternation.
    {"fill_alternate.wmf", 40, 40, {{20, 20, kWhite}, {5, 5, kOdd}}},
    {"fill_winding.wmf", 40, 40, {{20, 20, kOdd}, {5, 5, kOdd}}},
    {"lowest_free_slot.wmf", 10, 10, {{5, 5, kOdd}}},
    {"restore_dc.wmf", 10, 10, {{5, 5, kOdd}}},
    {"clip_rect.wmf", 40, 30, {{10, 10, kOdd}, {30, 10, kWhite}}},
    // From the right radial counter-clockwise to the top one: the upper right quarter.
    {"pie.wmf", 40, 40, {{28, 12, kOdd}, {12, 12, kWhite}, {28, 28, kWhite}}},
    {"dib_stretch.wmf", 20, 20, {{5, 5, kRed}, {15, 5, kGreen}, {5, 15, kBlue}, {15, 15, kOdd}}},
    // Source row 0 of a bottom-up bitmap is the blue-and-odd row.
    {"dib_bottom_up.wmf", 20, 20, {{3, 3, kOdd}, {17, 17, kOdd}}},
    // A 4 x 4 source puts the 2 x 2 bitmap on the bottom-left quarter of the target; a source
    // far larger than the bitmap costs nothing.
    {"dib_source_part.wmf", 20, 20,
     {{2, 12, kRed}, {7, 12, kGreen}, {2, 17, kBlue}, {7, 17, kOdd}, {15, 5, kWhite}}},
    // Pattern raster operations on white in tens of pixels: whiteness over blackness,
    // blackness, the brush, the brush inverting, the white inverted, nothing.
    {"patblt_ops.wmf", 50, 10, {{2, 5, kWhite}, {7, 5, kBlack}, {15, 5, kOdd},
                                {25, 5, {242, 108, 54}}, {35, 5, kBlack}, {45, 5, kWhite}}},
    // The bitmap as it is at (0, 0), inverted and stretched at (10, 0); records without a
    // bitmap are pattern operations: blackness at (20, 0), the brush at (30, 0).
    {"dib_blts.wmf", 40, 10, {{0, 0, kRed}, {1, 0, kGreen}, {0, 1, kBlue}, {1, 1, kOdd},
                              {12, 2, {0, 255, 255}}, {17, 7, {242, 108, 54}}, {25, 5, kBlack},
                              {35, 5, kOdd}}},
    // The origin moved by (10, 10), then the extent doubled: both rectangles land on device
    // (0, 0)-(10, 10) and (20, 20)-(40, 40).
    {"window_ops.wmf", 40, 40, {{5, 5, kOdd}, {30, 30, kOdd}, {15, 15, kWhite}, {25, 5, kWhite}}},
    // The left half excluded from the top rectangle; a region selection clears the clip.
    {"clip_ops.wmf", 40, 40, {{10, 10, kWhite}, {30, 10, kOdd}, {5, 35, kOdd}, {30, 35, kWhite}}},
    // Without a QGuiApplication the text is left out; its opaque box needs no font.
    {"opaque_text_box.wmf", 40, 20, {{10, 10, kOdd}}},
};
// clang-format on

TEST(WmfPlayer, PaintsTheExpectedPixels) {
  for (const DrawCase& c : kDrawCases) {
    SCOPED_TRACE(c.file);
    Bitmap24 picture;
    ASSERT_TRUE(Render(test::DataBytes(c.file), picture).IsOk());
    ASSERT_EQ(std::pair(picture.Width(), picture.Height()), std::pair(c.width, c.height));
    for (const Probe& p : c.probes)
      EXPECT_EQ(test::PixelAt(picture, p.x, p.y), p.expected) << p.x << "," << p.y;
  }
}

// "HHH" in the text colour, 20 units high at (2, 2), appears only where the text goes.
TEST(WmfPlayer, DrawsTextWhileAGuiApplicationExists) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "tinto_picture_tests";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  Bitmap24 picture;
  ASSERT_TRUE(Render(test::DataBytes("text.wmf"), picture).IsOk());
  int inked = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      if (test::PixelAt(picture, x, y) == kWhite) continue;
      ++inked;
      EXPECT_GE(y, 2);
      EXPECT_LT(y, 24);
    }
  EXPECT_GT(inked, 20);
}

// Little-endian words, records and plain files made by hand.
std::string Words(std::vector<int> words) {
  std::string out;
  for (int w : words) out += {static_cast<char>(w & 0xFF), static_cast<char>((w >> 8) & 0xFF)};
  return out;
}

std::string Record(int function, std::vector<int> params) {
  const int size = 3 + static_cast<int>(params.size());
  return Words({size & 0xFFFF, size >> 16, function}) + Words(params);
}

// A plain WMF of `side` x `side` pixels with a table of `objects` slots.
std::string Wmf(int side, int objects, const std::string& records) {
  return Words({1, 9, 0x300, 0, 0, objects, 0, 0, 0}) + Record(0x20B, {0, 0}) +
         Record(0x20C, {side, side}) + records + Record(0, {});
}

// Rectangle records: bottom, right, top, left.
std::string Fills(int count, int side) {
  std::string records;
  for (int i = 0; i < count; ++i) records += Record(0x41B, {side, side, 0, 0});
  return records;
}

// A filled triangle over the top left, then a rectangle over the bottom right quarter.
TEST(WmfPlayer, SkipsPolygonWhosePointsOverrunTheRecord) {
  std::string bytes = test::DataBytes("polygon_then_rect.wmf");
  // The polygon record (function 0x0324) is followed by its point count.
  const std::size_t polygon = bytes.find(std::string("\x24\x03", 2));
  ASSERT_NE(polygon, std::string::npos);
  bytes[polygon + 2] = '\xFF';
  Bitmap24 picture;
  ASSERT_TRUE(Render(bytes, picture).IsOk());
  EXPECT_EQ(test::PixelAt(picture, 3, 3), kWhite);
  EXPECT_EQ(test::PixelAt(picture, 15, 15), kOdd);
}

// Frames of 30000 x 20000 units at 96 and at 10 units per inch: 600 megapixels, and a side of
// 288000 pixels.
TEST(WmfPlayer, RefusesHugeFrames) {
  for (char unitsPerInch : {96, 10}) {
    std::string bytes = test::DataBytes("ellipse.wmf");
    bytes.replace(10, 6, std::string("\x30\x75\x20\x4E", 4) + unitsPerInch + '\0');
    Bitmap24 picture;
    test::ExpectRefusedAsTooLarge([&] { return Render(bytes, picture); });
  }
}

// A placeable key alone; a placeable header with an empty frame, then a valid standard header;
// a standard header of the wrong size; a plain file without a window. Empty and garbage files
// are the loaders' shared damage test.
TEST(WmfPlayer, BadHeadersFailAndLeaveTheOutputAlone) {
  for (const std::string& bytes :
       {Words({0xCDD7, 0x9AC6}),
        Words({0xCDD7, 0x9AC6, 0, 0, 0, 0, 0, 0x60, 0, 0, 0, 1, 9, 0x300, 0, 0, 0, 0, 0, 0}),
        Words({1, 10, 0x300, 0, 0, 0, 0, 0, 0}), test::DataBytes("plain_no_window.wmf")}) {
    Bitmap24 picture(1, 2);
    EXPECT_FALSE(Render(bytes, picture).IsOk()) << bytes.size();
    EXPECT_EQ(picture, Bitmap24(1, 2));
  }
}

// Pictures that use most record kinds, pens and brushes the player knows.
TEST(WmfPlayer, SurvivesCutsAndDamagedBytes) {
  for (const char* file : {"sample.wmf", "styles.wmf"})
    test::ExpectSurvivesDamage(test::DataBytes(file), 2, Render);
}

// The budget is 16 passes over the picture but at least 2^26 pixels: 6711 fills of 10000 pixels.
TEST(WmfBudget, RefusesDrawingFarBeyondThePicture) {
  Bitmap24 picture;
  EXPECT_TRUE(Render(Wmf(100, 0, Fills(6000, 100)), picture).IsOk());
  EXPECT_EQ(Render(Wmf(100, 0, Fills(7000, 100)), picture).Message(), "Picture too complex");
  // Drawing outside the picture costs only what lands inside it, a line only its length.
  std::string cheap;
  for (int i = 0; i < 10000; ++i)
    cheap += Record(0x41B, {30000, 30000, 20000, 20000}) + Record(0x214, {0, 0}) +
             Record(0x213, {100, 100});
  EXPECT_TRUE(Render(Wmf(100, 0, cheap), picture).IsOk());
}

// 200000 green brushes fill the table (65535 slots); slot 5 is freed and taken by a red one.
TEST(WmfObjectTable, TakesTheLowestFreeSlot) {
  std::string records;
  for (int i = 0; i < 200000; ++i) records += Record(0x2FC, {0, 0xFF00, 0x0000, 0});
  records += Record(0x1F0, {5}) + Record(0x2FC, {0, 0x00FF, 0, 0}) + Record(0x12D, {5}) +
             Record(0x41B, {10, 10, 0, 0});
  Bitmap24 picture;
  ASSERT_TRUE(Render(Wmf(10, 65535, records), picture).IsOk());
  EXPECT_EQ(test::PixelAt(picture, 5, 5), (test::Color{255, 0, 0}));
}

}  // namespace
}  // namespace tinto

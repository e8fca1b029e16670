#include "picture/wmf_player.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "picture/picture_fixtures.h"
#include "support/temp_dir.h"

namespace tinto {
namespace {

using test::Color;
using test::WmfWriter;

constexpr Color kWhite{255, 255, 255};
constexpr Color kOdd{13, 147, 201};
const U_COLORREF kOddRef = U_RGB(13, 147, 201);

Status Render(const std::string& bytes, Bitmap24& out) {
  return RenderWmf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

// Writes a placeable file of `width` x `height` pixels at 96 units per inch; `draw` adds the
// records.
template <typename Draw>
std::string PlaceableWmf(int width, int height, const Draw& draw) {
  test::TempDir dir;
  WmfWriter wmf(dir.File("p.wmf"), U_PAIRF{width / 96.0f, height / 96.0f});
  draw(wmf);
  wmf.Finish();
  return test::ReadAll(dir.File("p.wmf"));
}

void SelectSolid(WmfWriter& wmf, U_COLORREF color) {
  wmf.Select(wmf.CreateBrush(U_WLOGBRUSH_set(U_BS_SOLID, color, 0)));
}

void NoPen(WmfWriter& wmf) { wmf.Select(wmf.CreatePen(U_PEN_set(U_PS_NULL, 0, U_RGB(0, 0, 0)))); }

TEST(WmfPlayer, PlaceableFrameCountsUnitsPerInch) {
  test::TempDir dir;
  WmfWriter wmf(dir.File("twips.wmf"), U_PAIRF{1.0f, 0.5f}, 1440);
  NoPen(wmf);
  SelectSolid(wmf, kOddRef);
  wmf.Add(U_WMRRECTANGLE_set(U_RECT16{720, 0, 1440, 720}));
  wmf.Finish();
  Bitmap24 picture;
  ASSERT_TRUE(Render(test::ReadAll(dir.File("twips.wmf")), picture).IsOk());
  // One inch by half an inch at 96 pixels per inch; the rectangle is the right half.
  ASSERT_EQ(picture.Width(), 96);
  ASSERT_EQ(picture.Height(), 48);
  EXPECT_EQ(test::PixelAt(picture, 70, 24), kOdd);
  EXPECT_EQ(test::PixelAt(picture, 20, 24), kWhite);
}

std::string PlainWmf(U_POINT16 origin, U_POINT16 extent, U_RECT16 rect) {
  test::TempDir dir;
  WmfWriter wmf(dir.File("plain.wmf"), std::nullopt);
  wmf.Add(U_WMRSETWINDOWORG_set(origin));
  wmf.Add(U_WMRSETWINDOWEXT_set(extent));
  NoPen(wmf);
  SelectSolid(wmf, kOddRef);
  wmf.Add(U_WMRRECTANGLE_set(rect));
  wmf.Finish();
  return test::ReadAll(dir.File("plain.wmf"));
}

TEST(WmfPlayer, PlainFileTakesItsSizeFromTheWindow) {
  Bitmap24 picture;
  ASSERT_TRUE(Render(PlainWmf({10, 20}, {50, 40}, {10, 20, 30, 40}), picture).IsOk());
  ASSERT_EQ(picture.Width(), 50);
  ASSERT_EQ(picture.Height(), 40);
  // Logical (10, 20) is the top-left pixel.
  EXPECT_EQ(test::PixelAt(picture, 5, 5), kOdd);
  EXPECT_EQ(test::PixelAt(picture, 30, 30), kWhite);
}

TEST(WmfPlayer, NegativeExtentTurnsThePictureOver) {
  Bitmap24 picture;
  ASSERT_TRUE(Render(PlainWmf({0, 40}, {50, -40}, {0, 0, 10, 10}), picture).IsOk());
  ASSERT_EQ(picture.Height(), 40);
  // y 0..10 maps to rows 40..30, the bottom of the picture.
  EXPECT_EQ(test::PixelAt(picture, 5, 35), kOdd);
  EXPECT_EQ(test::PixelAt(picture, 5, 5), kWhite);
}

TEST(WmfPlayer, PlainFileWithoutWindowFails) {
  test::TempDir dir;
  WmfWriter wmf(dir.File("plain.wmf"), std::nullopt);
  wmf.Add(U_WMRRECTANGLE_set(U_RECT16{0, 0, 10, 10}));
  wmf.Finish();
  Bitmap24 picture;
  EXPECT_FALSE(Render(test::ReadAll(dir.File("plain.wmf")), picture).IsOk());
}

struct Probe {
  int x, y;
  Color expected;
};

struct DrawCase {
  const char* name;
  int width, height;
  void (*draw)(WmfWriter&);
  std::vector<Probe> probes;
};

class WmfDrawTest : public ::testing::TestWithParam<DrawCase> {};

TEST_P(WmfDrawTest, PaintsTheExpectedPixels) {
  const DrawCase& c = GetParam();
  Bitmap24 picture;
  ASSERT_TRUE(Render(PlaceableWmf(c.width, c.height, c.draw), picture).IsOk());
  ASSERT_EQ(picture.Width(), c.width);
  ASSERT_EQ(picture.Height(), c.height);
  for (const Probe& p : c.probes)
    EXPECT_EQ(test::PixelAt(picture, p.x, p.y), p.expected) << p.x << "," << p.y;
}

void FillModeSquares(WmfWriter& wmf, uint16_t mode) {
  NoPen(wmf);
  SelectSolid(wmf, kOddRef);
  wmf.Add(U_WMRSETPOLYFILLMODE_set(mode));
  const U_POINT16 points[] = {{0, 0},   {40, 0},  {40, 40}, {0, 40},
                              {10, 10}, {30, 10}, {30, 30}, {10, 30}};
  const uint16_t counts[] = {4, 4};
  wmf.Add(U_WMRPOLYPOLYGON_set(2, counts, points));
}

constexpr Color kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

const DrawCase kDrawCases[] = {
    // Centre (20, 15) and (20, 8) inside: (8 - 15)^2/10^2 < 1.
    {"FilledEllipseHasExactColour",
     40,
     30,
     [](WmfWriter& wmf) {
       SelectSolid(wmf, kOddRef);
       wmf.Add(U_WMRELLIPSE_set(U_RECT16{5, 5, 35, 25}));
     },
     {{20, 15, kOdd}, {20, 8, kOdd}, {7, 7, kWhite}, {38, 28, kWhite}}},
    {"NullPenAndNullBrushDrawNothing",
     20,
     20,
     [](WmfWriter& wmf) {
       NoPen(wmf);
       wmf.Select(wmf.CreateBrush(U_WLOGBRUSH_set(U_BS_NULL, kOddRef, 0)));
       wmf.Add(U_WMRRECTANGLE_set(U_RECT16{0, 0, 20, 20}));
     },
     {{0, 0, kWhite}, {10, 10, kWhite}, {19, 19, kWhite}}},
    {"WidePenInItsColour",
     40,
     30,
     [](WmfWriter& wmf) {
       wmf.Select(wmf.CreatePen(U_PEN_set(U_PS_SOLID, 6, U_RGB(200, 10, 10))));
       wmf.Add(U_WMRMOVETO_set(U_POINT16{5, 15}));
       wmf.Add(U_WMRLINETO_set(U_POINT16{35, 15}));
     },
     {{20, 13, {200, 10, 10}}, {20, 16, {200, 10, 10}}, {20, 22, kWhite}}},
    // Two nested clockwise squares: the inner one is a hole only when filling by alternation.
    {"AlternateFillLeavesAHole",
     40,
     40,
     [](WmfWriter& wmf) { FillModeSquares(wmf, U_ALTERNATE); },
     {{20, 20, kWhite}, {5, 5, kOdd}}},
    {"WindingFillHasNoHole",
     40,
     40,
     [](WmfWriter& wmf) { FillModeSquares(wmf, U_WINDING); },
     {{20, 20, kOdd}, {5, 5, kOdd}}},
    {"NewObjectTakesTheLowestFreeSlot",
     10,
     10,
     [](WmfWriter& wmf) {
       wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, U_RGB(255, 0, 0), 0)));
       wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, U_RGB(0, 255, 0), 0)));
       wmf.Add(U_WMRDELETEOBJECT_set(0));
       wmf.Add(U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(U_BS_SOLID, kOddRef, 0)));
       wmf.Add(U_WMRSELECTOBJECT_set(0));
       wmf.Add(U_WMRRECTANGLE_set(U_RECT16{0, 0, 10, 10}));
     },
     {{5, 5, kOdd}}},
    {"RestoreDcBringsBackTheSavedBrush",
     10,
     10,
     [](WmfWriter& wmf) {
       SelectSolid(wmf, kOddRef);
       wmf.Add(U_WMRSAVEDC_set());
       SelectSolid(wmf, U_RGB(0, 0, 255));
       wmf.Add(U_WMRRESTOREDC_set(-1));
       wmf.Add(U_WMRRECTANGLE_set(U_RECT16{0, 0, 10, 10}));
     },
     {{5, 5, kOdd}}},
    {"IntersectClipRectLimitsDrawing",
     40,
     30,
     [](WmfWriter& wmf) {
       NoPen(wmf);
       SelectSolid(wmf, kOddRef);
       wmf.Add(U_WMRINTERSECTCLIPRECT_set(U_RECT16{0, 0, 20, 30}));
       wmf.Add(U_WMRRECTANGLE_set(U_RECT16{0, 0, 40, 30}));
     },
     {{10, 10, kOdd}, {30, 10, kWhite}}},
    // From the right radial counter-clockwise to the top one: the upper right quarter.
    {"PieRunsCounterClockwise",
     40,
     40,
     [](WmfWriter& wmf) {
       NoPen(wmf);
       SelectSolid(wmf, kOddRef);
       wmf.Add(U_WMRPIE_set(U_POINT16{40, 20}, U_POINT16{20, 0}, U_RECT16{0, 0, 40, 40}));
     },
     {{28, 12, kOdd}, {12, 12, kWhite}, {28, 28, kWhite}}},
    {"StretchesBitmapsWithExactColours",
     20,
     20,
     [](WmfWriter& wmf) {
       test::AddQuadrantDib(wmf, {0, 0}, {20, 20}, {0, 0}, {2, 2});
     },
     {{5, 5, kRed}, {15, 5, kGreen}, {5, 15, kBlue}, {15, 15, kOdd}}},
    // Source row 0 of a bottom-up bitmap is the blue-and-odd row.
    {"BitmapSourceRowsCountFromTheBottom",
     20,
     20,
     [](WmfWriter& wmf) {
       test::AddQuadrantDib(wmf, {0, 0}, {20, 20}, {1, 0}, {1, 1});
     },
     {{3, 3, kOdd}, {17, 17, kOdd}}},
    // A 4 x 4 source puts the 2 x 2 bitmap on the bottom-left quarter of the target; a source
    // far larger than the bitmap costs nothing.
    {"DrawsOnlyTheSourcePartInsideTheBitmap",
     20,
     20,
     [](WmfWriter& wmf) {
       test::AddQuadrantDib(wmf, {0, 0}, {20, 20}, {0, 0}, {4, 4});
       test::AddQuadrantDib(wmf, {0, 0}, {1, 1}, {0, 0}, {30000, 30000});
     },
     {{2, 12, kRed}, {7, 12, kGreen}, {2, 17, kBlue}, {7, 17, kOdd}, {15, 5, kWhite}}},
    // Without a QGuiApplication the text is left out; its opaque box needs no font.
    {"OpaqueTextBoxIsFilledWithoutFonts",
     40,
     20,
     [](WmfWriter& wmf) {
       wmf.Add(U_WMRSETBKCOLOR_set(kOddRef));
       char text[] = "Hello";
       wmf.Add(U_WMREXTTEXTOUT_set(U_POINT16{2, 2}, 5, U_ETO_OPAQUE, text, nullptr,
                                   U_RECT16{0, 0, 40, 20}));
       wmf.Add(U_WMRTEXTOUT_set(U_POINT16{2, 2}, text));
     },
     {{10, 10, kOdd}}},
};

INSTANTIATE_TEST_SUITE_P(Records, WmfDrawTest, ::testing::ValuesIn(kDrawCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Text in the text colour appears only where the text goes.
TEST(WmfPlayer, DrawsTextWhileAGuiApplicationExists) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "tinto_picture_tests";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);
  const std::string bytes = PlaceableWmf(60, 30, [](WmfWriter& wmf) {
    wmf.Add(U_WMRSETTEXTCOLOR_set(kOddRef));
    wmf.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
    char face[] = "Sans";
    U_FONT* font = U_FONT_set(-20, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, face);
    wmf.Add(U_WMRCREATEFONTINDIRECT_set(font));
    std::free(font);
    wmf.Add(U_WMRSELECTOBJECT_set(0));
    char text[] = "HHH";
    wmf.Add(U_WMRTEXTOUT_set(U_POINT16{2, 2}, text));
  });
  Bitmap24 picture;
  ASSERT_TRUE(Render(bytes, picture).IsOk());
  int inked = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const Color c = test::PixelAt(picture, x, y);
      if (c == kWhite) continue;
      ++inked;
      EXPECT_GE(y, 2);
      EXPECT_LT(y, 24);
    }
  EXPECT_GT(inked, 20);
}

TEST(WmfPlayer, DamagedRecordEndsTheDrawingButKeepsWhatCameBefore) {
  std::string bytes = PlaceableWmf(40, 30, [](WmfWriter& wmf) {
    SelectSolid(wmf, kOddRef);
    wmf.Add(U_WMRELLIPSE_set(U_RECT16{5, 5, 35, 25}));
  });
  // Replace the end-of-file record by one that claims 1000 words.
  bytes.resize(bytes.size() - 6);
  bytes += std::string("\xE8\x03\x00\x00\x18\x04", 6);
  Bitmap24 picture;
  ASSERT_TRUE(Render(bytes, picture).IsOk());
  EXPECT_EQ(test::PixelAt(picture, 20, 15), kOdd);
}

TEST(WmfPlayer, SkipsPolygonWhosePointsOverrunTheRecord) {
  std::string bytes = PlaceableWmf(20, 20, [](WmfWriter& wmf) {
    NoPen(wmf);
    SelectSolid(wmf, kOddRef);
    const U_POINT16 points[] = {{0, 0}, {20, 0}, {0, 20}};
    wmf.Add(U_WMRPOLYGON_set(3, points));
    wmf.Add(U_WMRRECTANGLE_set(U_RECT16{10, 10, 20, 20}));
  });
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
TEST(WmfPlayer, RefusesHugeFramesQuickly) {
  for (char unitsPerInch : {96, 10}) {
    std::string bytes = PlaceableWmf(8, 8, [](WmfWriter&) {});
    bytes.replace(10, 6, std::string("\x30\x75\x20\x4E", 4) + unitsPerInch + '\0');
    Bitmap24 picture;
    test::ExpectRefusedQuickly([&] { return Render(bytes, picture); });
  }
}

class WmfBadHeaderTest : public ::testing::TestWithParam<std::string> {};

TEST_P(WmfBadHeaderTest, Fails) {
  Bitmap24 picture(1, 2);
  EXPECT_FALSE(Render(GetParam(), picture).IsOk());
  EXPECT_EQ(picture, Bitmap24(1, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, WmfBadHeaderTest,
    ::testing::Values(std::string(), std::string(64, 'x'), std::string("\xD7\xCD\xC6\x9A", 4),
                      // placeable header with an empty frame, then a valid standard header
                      std::string("\xD7\xCD\xC6\x9A\0\0\0\0\0\0\0\0\0\0\x60\0\0\0\0\0\0\0"
                                  "\1\0\x09\0\0\x03\0\0\0\0\0\0\0\0\0\0\0\0",
                                  40),
                      // standard header of the wrong size
                      std::string("\1\0\x0A\0\0\x03\0\0\0\0\0\0\0\0\0\0\0\0", 18)));

TEST(WmfPlayer, SurvivesCutsAndDamagedBytes) {
  test::TempDir dir;
  test::WriteSampleWmf(dir.File("sample.wmf"));
  test::ExpectSurvivesDamage(test::ReadAll(dir.File("sample.wmf")), 2, Render);
}

}  // namespace
}  // namespace tinto

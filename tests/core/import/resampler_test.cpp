#include "core/import/resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace tinto {
namespace {

// Grey levels as a one-row bitmap (all three channels equal).
Bitmap24 GreyRow(const std::vector<int>& levels) {
  Bitmap24 row(static_cast<int>(levels.size()), 1);
  for (int x = 0; x < row.Width(); ++x)
    row.SetPixel(x, 0, MakeRgb(levels[x], levels[x], levels[x]));
  return row;
}

std::vector<int> BlueLevels(const Bitmap24& bitmap, int y) {
  std::vector<int> levels;
  for (int x = 0; x < bitmap.Width(); ++x) levels.push_back(BlueOf(bitmap.Pixel(x, y)));
  return levels;
}

// Deterministic busy picture: every channel differs from its neighbours.
Bitmap24 Pattern(int width, int height, std::uint32_t seed) {
  Bitmap24 bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      bitmap.SetPixel(x, y, seed >> 8);
    }
  return bitmap;
}

struct Rounding {
  float sum;
  int expected;
};

class ClampToByteTest : public ::testing::TestWithParam<Rounding> {};

TEST_P(ClampToByteTest, ClampsThenRoundsHalvesToEven) {
  EXPECT_EQ(ClampToByte(GetParam().sum), GetParam().expected) << GetParam().sum;
}

INSTANTIATE_TEST_SUITE_P(Sums, ClampToByteTest,
                         ::testing::Values(Rounding{254.5f, 254}, Rounding{255.5f, 255},
                                           Rounding{0.5f, 0}, Rounding{1.5f, 2},
                                           Rounding{-300.0f, 0}, Rounding{1e30f, 255},
                                           Rounding{std::numeric_limits<float>::quiet_NaN(), 0}));

TEST(BuildContributors, ScaleOneBoxKeepsOnlyThePixelItself) {
  const ContributorLists lists = BuildContributors(5, 5, BoxFilter, 0.5f);
  ASSERT_EQ(lists.Count(), 5);
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(lists.List(i).size(), 1u);
    EXPECT_EQ(lists.List(i)[0].pixel, i);
    EXPECT_EQ(lists.List(i)[0].weight, 1.0f);
  }
}

// Bell at scale 1 reaches one pixel past each side with weight 0.125; -1 mirrors to 1 and, on a
// 4-pixel source, 4 mirrors to 2*4-4-1 = 3.
TEST(BuildContributors, MirrorsPositionsAtBothEdgesInWindowOrder) {
  const ContributorLists lists = BuildContributors(4, 4, BellFilter, 1.5f);
  const auto first = lists.List(0);
  ASSERT_EQ(first.size(), 3u);
  EXPECT_EQ((std::vector<int>{first[0].pixel, first[1].pixel, first[2].pixel}),
            (std::vector<int>{1, 0, 1}));
  EXPECT_EQ((std::vector<float>{first[0].weight, first[1].weight, first[2].weight}),
            (std::vector<float>{0.125f, 0.75f, 0.125f}));
  const auto last = lists.List(3);
  ASSERT_EQ(last.size(), 3u);
  EXPECT_EQ((std::vector<int>{last[0].pixel, last[1].pixel, last[2].pixel}),
            (std::vector<int>{2, 3, 3}));
}

// One destination pixel from four: scale 1/4, window 2, fscale 4, centre 0. Box weights
// f(-j/4)/4 are 1/4 for j = -2..1 (f(-0.5) = 0 drops j = 2); -2 and -1 mirror to 2 and 1.
TEST(BuildContributors, OnePixelDestinationUsesSizeRatioInsteadOfInfiniteWindow) {
  const ContributorLists lists = BuildContributors(4, 1, BoxFilter, 0.5f);
  ASSERT_EQ(lists.Count(), 1);
  std::vector<int> pixels;
  for (const Contributor& c : lists.List(0)) {
    pixels.push_back(c.pixel);
    EXPECT_EQ(c.weight, 0.25f);
  }
  EXPECT_EQ(pixels, (std::vector<int>{2, 1, 0, 1}));
}

class StretchIdentity : public ::testing::TestWithParam<int> {};

TEST_P(StretchIdentity, ScaleOneReproducesTheSource) {
  const Bitmap24 source = Pattern(256, 192, 7);
  Bitmap24 destination(256, 192);
  ASSERT_TRUE(Stretch(source, destination, kResampleFilters[GetParam()]));
  EXPECT_TRUE(destination == source) << kResampleFilters[GetParam()].name;
}

INSTANTIATE_TEST_SUITE_P(BoxTriangleHermite, StretchIdentity, ::testing::Values(0, 1, 2));

// 128 -> 255 columns: scale 254/127 = 2, so column 2k is centred on source column k (copied) and
// column 2k+1 on k + 0.5 (weights 0.5 and 0.5). Blue k, green 2k, red 255-k give blue
// k + 0.5 -> k + (k & 1), green exactly 2k+1, red 254.5 - k -> 254 - k + (k & 1).
TEST(Stretch, TriangleDoublingCopiesEvenColumnsAndAveragesOddOnes) {
  Bitmap24 source(128, 1);
  for (int k = 0; k < 128; ++k) source.SetPixel(k, 0, MakeRgb(255 - k, 2 * k, k));
  Bitmap24 destination(255, 1);
  ASSERT_TRUE(Stretch(source, destination, kResampleFilters[1]));
  for (int k = 0; k < 128; ++k)
    ASSERT_EQ(destination.Pixel(2 * k, 0), MakeRgb(255 - k, 2 * k, k)) << k;
  for (int k = 0; k < 127; ++k) {
    const int odd = k & 1;
    ASSERT_EQ(destination.Pixel(2 * k + 1, 0), MakeRgb(254 - k + odd, 2 * k + 1, k + odd)) << k;
  }
}

// Lanczos3 doubling a step 0 0 0 0 255 255 255 255: column 5 sums 255*(f(1.5)+f(2.5)) = -28.2
// (stored 0), column 9 255*(2f(0.5)+f(1.5)+f(2.5)) = 281.8 (stored 255), column 7 126.8,
// column 3 6.2, column 11 247.3, column 13 253.5, with f(0.5) = 0.6079, f(1.5) = -0.1351,
// f(2.5) = 0.0243.
TEST(Stretch, NegativeLobesClampBelowZeroAndAbove255) {
  const Bitmap24 step = GreyRow({0, 0, 0, 0, 255, 255, 255, 255});
  Bitmap24 destination(15, 1);
  ASSERT_TRUE(Stretch(step, destination, kResampleFilters[5]));
  EXPECT_EQ(BlueLevels(destination, 0),
            (std::vector<int>{0, 0, 0, 6, 0, 0, 0, 127, 255, 255, 255, 247, 255, 254, 255}));
}

// Rows 40, 80, 120, 160 to one row. Box (see BuildContributors above): rows 2, 1, 0, 1 at 1/4:
// 30 + 20 + 10 + 20 = 80. Triangle: window 4, weights (4 - |j|)/16 for j = -3..3 over rows
// 3, 2, 1, 0, 1, 2, 3: 10 + 15 + 15 + 10 + 15 + 15 + 10 = 90. Columns add 0, 4, 8 to each row.
TEST(Stretch, ToOneRowGivesTheFilteredAverageOfTheRows) {
  Bitmap24 source(3, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) {
      const int level = 40 * (y + 1) + 4 * x;
      source.SetPixel(x, y, MakeRgb(level, level, level));
    }
  Bitmap24 destination(3, 1);
  ASSERT_TRUE(Stretch(source, destination, kResampleFilters[0]));
  EXPECT_EQ(BlueLevels(destination, 0), (std::vector<int>{80, 84, 88}));
  ASSERT_TRUE(Stretch(source, destination, kResampleFilters[1]));
  EXPECT_EQ(BlueLevels(destination, 0), (std::vector<int>{90, 94, 98}));
}

// From one pixel every window position mirrors or clamps onto it. At the corner the centre sits
// on the pixel: weight 1 plus sinc(n) terms far below 1/200. Elsewhere the Lanczos3 weights of a
// window sum to between 0.99 and 1.01 (0.9943 at half a pixel), so 200 stays within 198..202.
TEST(Stretch, OnePixelSourceFillsTheScreenWithLanczos3) {
  const Bitmap24 source = GreyRow({200});
  Bitmap24 destination(256, 192);
  ASSERT_TRUE(Stretch(source, destination, kResampleFilters[5]));
  EXPECT_EQ(destination.Pixel(0, 0), MakeRgb(200, 200, 200));
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) {
      ASSERT_GE(BlueOf(destination.Pixel(x, y)), 198) << x << "," << y;
      ASSERT_LE(BlueOf(destination.Pixel(x, y)), 202) << x << "," << y;
    }
}

// Every (source, destination) size pair from 1 to 12 on both axes, for every filter: a black
// source stays black whatever the weights, and nothing reads outside the source (ASan build).
TEST(Stretch, HandlesEverySmallSizePairWithEveryFilter) {
  for (const ResampleFilter& filter : kResampleFilters)
    for (int a = 1; a <= 12; ++a)
      for (int b = 1; b <= 12; ++b) {
        const Bitmap24 source(a, b);
        Bitmap24 destination(b, a);
        destination.Fill(MakeRgb(1, 2, 3));
        ASSERT_TRUE(Stretch(source, destination, filter)) << filter.name;
        ASSERT_TRUE(destination == Bitmap24(b, a)) << filter.name << " " << a << "x" << b;
      }
}

// An empty source, or a filter it cannot use, is refused with the destination left alone; an
// empty destination stays empty.
TEST(Stretch, RefusesWhatItCannotResample) {
  const Bitmap24 source = Pattern(4, 4, 2);
  Bitmap24 destination(4, 4);
  destination.Fill(MakeRgb(9, 8, 7));
  const Bitmap24 before = destination;
  EXPECT_EQ(Stretch(Bitmap24(), destination, kResampleFilters[5]).Message(),
            "Source bitmap too small");
  EXPECT_FALSE(Stretch(source, destination, nullptr, 1.0f));
  EXPECT_FALSE(Stretch(source, destination, BoxFilter, -1.0f));
  EXPECT_FALSE(Stretch(source, destination, BoxFilter, std::nanf("")));
  EXPECT_FALSE(Stretch(source, destination, BoxFilter, 1e9f));
  EXPECT_TRUE(destination == before);
  Bitmap24 empty;
  EXPECT_TRUE(Stretch(source, empty, kResampleFilters[5]));
  EXPECT_TRUE(empty.Empty());
}

TEST(Stretch, ShrinksAVeryWideRowToOnePixel) {
  const Bitmap24 source(100000, 1);
  Bitmap24 destination(1, 1);
  destination.Fill(MakeRgb(5, 5, 5));
  ASSERT_TRUE(Stretch(source, destination, kResampleFilters[5]));
  EXPECT_EQ(destination.Pixel(0, 0), MakeRgb(0, 0, 0));
}

// Weighted sums as written out plainly, one product at a time. `volatile` makes each product a
// rounded float before it is added, whatever contraction the test's compiler would allow.
float PlainSum(const std::vector<float>& levels, std::span<const Contributor> list) {
  float sum = 0.0f;
  for (const Contributor& c : list) {
    const volatile float product = levels[c.pixel] * c.weight;
    sum = sum + product;
  }
  return sum;
}

Bitmap24 PlainStretch(const Bitmap24& source, int width, int height, const ResampleFilter& f) {
  const ContributorLists columns = BuildContributors(source.Width(), width, f.function, f.support);
  const ContributorLists rows = BuildContributors(source.Height(), height, f.function, f.support);
  Bitmap24 work(width, source.Height());
  std::vector<float> line;
  for (int y = 0; y < source.Height(); ++y)
    for (int k = 0; k < 3; ++k) {
      line.clear();
      for (int x = 0; x < source.Width(); ++x) line.push_back(source.Row(y)[3 * x + k]);
      for (int i = 0; i < width; ++i)
        work.Row(y)[3 * i + k] = ClampToByte(PlainSum(line, columns.List(i)));
    }
  Bitmap24 destination(width, height);
  for (int x = 0; x < width; ++x)
    for (int k = 0; k < 3; ++k) {
      line.clear();
      for (int y = 0; y < work.Height(); ++y) line.push_back(work.Row(y)[3 * x + k]);
      for (int j = 0; j < height; ++j)
        destination.Row(j)[3 * x + k] = ClampToByte(PlainSum(line, rows.List(j)));
    }
  return destination;
}

// The sums run eight rows (first pass) or eight pixels (second pass) side by side in vector
// lanes, over strips that may end part-way; each lane must still be the plain sum.
TEST(Stretch, EqualsThePlainOneProductAtATimeSums) {
  const struct {
    int sw, sh, dw, dh;
  } sizes[] = {{37, 29, 256, 192}, {320, 240, 256, 192}, {301, 17, 19, 45}, {9, 300, 131, 7}};
  for (const auto& size : sizes)
    for (const ResampleFilter& filter : kResampleFilters) {
      const Bitmap24 source = Pattern(size.sw, size.sh, 99);
      Bitmap24 destination(size.dw, size.dh);
      ASSERT_TRUE(Stretch(source, destination, filter));
      ASSERT_TRUE(destination == PlainStretch(source, size.dw, size.dh, filter))
          << filter.name << " " << size.sw << "x" << size.sh << " -> " << size.dw << "x" << size.dh;
    }
}

TEST(Stretch, GivesTheSameBitsOnAnyNumberOfThreads) {
  const Bitmap24 source = Pattern(700, 523, 3);
  Bitmap24 single(256, 192);
  ASSERT_TRUE(Stretch(source, single, kResampleFilters[5], 1));
  for (int threads : {2, 3, kAutoThreads}) {
    Bitmap24 split(256, 192);
    ASSERT_TRUE(Stretch(source, split, kResampleFilters[5], threads));
    EXPECT_TRUE(split == single) << threads << " threads";
  }
}

// A sum whose last bit decides the rounding. Contributors (pixel 1, weight 1e-7) then (pixel 100,
// weight 0.025f = 0.025 + 3.7e-10). Rounded separately: 100 * 0.025f = 2.5000000373 rounds to 2.5
// (a float step at 2.5 is 2^-22 = 2.4e-7), and 1e-7 + 2.5 rounds back to 2.5, so the byte is 2
// (half to even). Fused, 1e-7 + 2.5000000373 lies past the half step and rounds up to
// 2.50000024, giving 3. Only the unfused order of the sums gives 2.
TEST(HorizontalPass, RoundsEveryProductBeforeAddingItNeverFusing) {
  const Bitmap24 source = GreyRow({1, 100});
  ContributorLists columns;
  columns.BeginList();
  columns.Add({0, 1e-7f});
  columns.Add({1, 0.025f});
  Bitmap24 work(1, 1);
  HorizontalPass(source, columns, work);
  EXPECT_EQ(work.Pixel(0, 0), MakeRgb(2, 2, 2));
  // The case does tell the two apart: the fused sum rounds the other way.
  EXPECT_EQ(ClampToByte(std::fma(100.0f, 0.025f, 1.0f * 1e-7f)), 3);
}

// Work rows (red, green, blue): (255, 254, 1), (1, 255, 0), grey 200.
// Row 0: 0.5 and 0.5: red 127.5 + 0.5 = 128, green 127 + 127.5 = 254.5 -> 254, blue 0.5 -> 0.
// Row 1: 1 and 0.5: red 255 + 0.5 = 255.5 -> 255, green 381.5 -> 255, blue 1.
// Row 2: grey * -1 -> 0. Row 3: grey * 2 = 400 -> 255.
TEST(VerticalPass, ClampsAndRoundsHalvesToEven) {
  Bitmap24 work(1, 3);
  work.SetPixel(0, 0, MakeRgb(255, 254, 1));
  work.SetPixel(0, 1, MakeRgb(1, 255, 0));
  work.SetPixel(0, 2, MakeRgb(200, 200, 200));
  const std::vector<std::vector<Contributor>> lists = {
      {{0, 0.5f}, {1, 0.5f}}, {{0, 1.0f}, {1, 0.5f}}, {{2, -1.0f}}, {{2, 2.0f}}};
  ContributorLists rows;
  for (const auto& list : lists) {
    rows.BeginList();
    for (const Contributor& c : list) rows.Add(c);
  }
  Bitmap24 destination(1, 4);
  VerticalPass(work, rows, destination);
  EXPECT_EQ(destination.Pixel(0, 0), MakeRgb(128, 254, 0));
  EXPECT_EQ(destination.Pixel(0, 1), MakeRgb(255, 255, 1));
  EXPECT_EQ(destination.Pixel(0, 2), MakeRgb(0, 0, 0));
  EXPECT_EQ(destination.Pixel(0, 3), MakeRgb(255, 255, 255));
}

}  // namespace
}  // namespace tinto

#include "core/import/resampler.h"

#include <cmath>
#include <span>

#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

using test::BusyPicture;

using Pairs = std::vector<std::pair<int, float>>;  // (pixel, weight) in list order

Pairs PairsOf(std::span<const Contributor> list) {
  Pairs pairs;
  for (const Contributor& c : list) pairs.emplace_back(c.pixel, c.weight);
  return pairs;
}

ContributorLists ListsOf(const std::vector<Pairs>& lists) {
  ContributorLists result;
  for (const Pairs& list : lists) {
    result.BeginList();
    for (auto [pixel, weight] : list) result.Add({pixel, weight});
  }
  return result;
}

// Grey levels as a one-row bitmap (all three channels equal), and back.
Bitmap24 GreyRow(const std::vector<int>& levels) {
  Bitmap24 row(static_cast<int>(levels.size()), 1);
  for (int x = 0; x < row.Width(); ++x)
    row.SetPixel(x, 0, MakeRgb(levels[x], levels[x], levels[x]));
  return row;
}

std::vector<int> BlueLevels(const Bitmap24& bitmap) {
  std::vector<int> levels;
  for (int x = 0; x < bitmap.Width(); ++x) levels.push_back(BlueOf(bitmap.Pixel(x, 0)));
  return levels;
}

// Hand values: Hermite (2*0.5-3)*0.25+1; Bell 0.5*(1-1.5)^2; B-Spline (2-1)^3/6;
// Mitchell (7-12+16/3)/6 = 1/18; Lanczos3 sinc(0.5)*sinc(1/6) = (2/pi)*(3/pi).
TEST(ResampleFilter, ValuesMatchTheFormulaAndVanishAtTheSupport) {
  const std::tuple<int, float, float> cases[] = {
      {0, 0.5f, 1.0f},          {0, -0.5f, 0.0f},         {1, 0.25f, 0.75f},
      {1, -1.0f, 0.0f},         {2, 0.5f, 0.5f},          {2, 1.0f, 0.0f},
      {3, 0.0f, 0.75f},         {3, 1.0f, 0.125f},        {3, -1.5f, 0.0f},
      {4, 0.0f, 2.0f / 3.0f},   {4, 1.0f, 1.0f / 6.0f},   {4, 2.0f, 0.0f},
      {5, 0.0f, 1.0f},          {5, 0.5f, 0.6079271f},    {5, 3.0f, 0.0f},
      {6, 0.0f, 16.0f / 18.0f}, {6, -1.0f, 1.0f / 18.0f}, {6, 2.0f, 0.0f},
  };
  for (auto [filter, x, expected] : cases)
    EXPECT_NEAR(kResampleFilters[filter].function(x), expected, 1e-6f)
        << kResampleFilters[filter].name << " at " << x;
}

TEST(ClampToByte, ClampsThenRoundsHalvesToEven) {
  const std::pair<float, int> cases[] = {{254.5f, 254}, {255.5f, 255}, {0.5f, 0},         {1.5f, 2},
                                         {-300.0f, 0},  {1e30f, 255},  {std::nanf(""), 0}};
  for (auto [sum, expected] : cases) EXPECT_EQ(ClampToByte(sum), expected) << sum;
}

// Box at scale 1 keeps the pixel itself. Bell at scale 1 reaches one pixel past each side with
// weight 0.125; -1 mirrors to 1 and, on a 4-pixel source, 4 mirrors to 2*4-4-1 = 3. One pixel
// from four: scale 1/4, window 2, fscale 4, centre 0; box weights f(-j/4)/4 are 1/4 for
// j = -2..1 (f(-0.5) = 0 drops j = 2), and -2, -1 mirror to 2, 1.
TEST(BuildContributors, MirrorsPositionsAtBothEdgesInWindowOrder) {
  const ContributorLists box = BuildContributors(5, 5, BoxFilter, 0.5f);
  ASSERT_EQ(box.Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(PairsOf(box.List(i)), (Pairs{{i, 1.0f}}));
  const ContributorLists bell = BuildContributors(4, 4, BellFilter, 1.5f);
  EXPECT_EQ(PairsOf(bell.List(0)), (Pairs{{1, 0.125f}, {0, 0.75f}, {1, 0.125f}}));
  EXPECT_EQ(PairsOf(bell.List(3)), (Pairs{{2, 0.125f}, {3, 0.75f}, {3, 0.125f}}));
  const ContributorLists one = BuildContributors(4, 1, BoxFilter, 0.5f);
  ASSERT_EQ(one.Count(), 1);
  EXPECT_EQ(PairsOf(one.List(0)), (Pairs{{2, 0.25f}, {1, 0.25f}, {0, 0.25f}, {1, 0.25f}}));
}

// 128 -> 255 columns: scale 254/127 = 2, so column 2k is centred on source column k (copied) and
// column 2k+1 on k + 0.5 (weights 0.5 and 0.5). Blue k, green 2k, red 255-k give blue
// k + 0.5 -> k + (k & 1), green exactly 2k+1, red 254.5 - k -> 254 - k + (k & 1).
TEST(Stretch, TriangleDoublingCopiesEvenColumnsAndAveragesOddOnes) {
  const Bitmap24 source =
      test::Painted(128, 1, [](int k, int) { return MakeRgb(255 - k, 2 * k, k); });
  Bitmap24 destination(255, 1);
  ASSERT_TRUE(Stretch(source, destination, kResampleFilters[1]));
  for (int k = 0; k < 128; ++k) {
    ASSERT_EQ(destination.Pixel(2 * k, 0), MakeRgb(255 - k, 2 * k, k)) << k;
    if (k == 127) break;
    ASSERT_EQ(destination.Pixel(2 * k + 1, 0), MakeRgb(254 - k + (k & 1), 2 * k + 1, k + (k & 1)));
  }
}

// Lanczos3 doubling a step 0 0 0 0 255 255 255 255: column 5 sums 255*(f(1.5)+f(2.5)) = -28.2
// (stored 0), column 9 255*(2f(0.5)+f(1.5)+f(2.5)) = 281.8 (stored 255), column 7 126.8,
// column 3 6.2, column 11 247.3, column 13 253.5, with f(0.5) = 0.6079, f(1.5) = -0.1351,
// f(2.5) = 0.0243.
TEST(Stretch, NegativeLobesClampBelowZeroAndAbove255) {
  Bitmap24 destination(15, 1);
  ASSERT_TRUE(Stretch(GreyRow({0, 0, 0, 0, 255, 255, 255, 255}), destination, kResampleFilters[5]));
  EXPECT_EQ(BlueLevels(destination),
            (std::vector<int>{0, 0, 0, 6, 0, 0, 0, 127, 255, 255, 255, 247, 255, 254, 255}));
}

// From one pixel every window position mirrors or clamps onto it. At the corner the centre sits
// on the pixel: weight 1 plus sinc(n) terms far below 1/200. Elsewhere the Lanczos3 weights of a
// window sum to between 0.99 and 1.01 (0.9943 at half a pixel), so 200 stays within 198..202.
// A very wide black row shrinks to one black pixel.
TEST(Stretch, OnePixelFillsTheScreenAndAWideRowShrinksToOnePixel) {
  Bitmap24 destination(256, 192);
  ASSERT_TRUE(Stretch(GreyRow({200}), destination, kResampleFilters[5]));
  EXPECT_EQ(destination.Pixel(0, 0), MakeRgb(200, 200, 200));
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x)
      ASSERT_NEAR(BlueOf(destination.Pixel(x, y)), 200, 2) << x << "," << y;
  Bitmap24 one = test::Filled(1, 1, MakeRgb(5, 5, 5));
  ASSERT_TRUE(Stretch(Bitmap24(100000, 1), one, kResampleFilters[5]));
  EXPECT_EQ(one.Pixel(0, 0), MakeRgb(0, 0, 0));
}

// Every (source, destination) size pair from 1 to 12 on both axes, for every filter: a black
// source stays black whatever the weights, and nothing reads outside the source (ASan build). An
// empty source, or a filter it cannot use, is refused with the destination left alone; an empty
// destination stays empty.
TEST(Stretch, HandlesEverySmallSizePairAndRefusesWhatItCannotResample) {
  for (const ResampleFilter& filter : kResampleFilters)
    for (int a = 1; a <= 12; ++a)
      for (int b = 1; b <= 12; ++b) {
        Bitmap24 destination = test::Filled(b, a, MakeRgb(1, 2, 3));
        ASSERT_TRUE(Stretch(Bitmap24(a, b), destination, filter)) << filter.name;
        ASSERT_TRUE(destination == Bitmap24(b, a)) << filter.name << " " << a << "x" << b;
      }
  const Bitmap24 source = BusyPicture(4, 4, 2);
  Bitmap24 destination = test::Filled(4, 4, MakeRgb(9, 8, 7)), empty;
  const Bitmap24 before = destination;
  EXPECT_EQ(Stretch(Bitmap24(), destination, kResampleFilters[5]).Message(),
            "Source bitmap too small");
  EXPECT_FALSE(Stretch(source, destination, nullptr, 1.0f));
  for (float support : {-1.0f, std::nanf(""), 1e9f})
    EXPECT_FALSE(Stretch(source, destination, BoxFilter, support)) << support;
  EXPECT_TRUE(destination == before);
  EXPECT_TRUE(Stretch(source, empty, kResampleFilters[5]));
  EXPECT_TRUE(empty.Empty());
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

// One pass of the plain sums: `out` position i of each line from lists.List(i).
void PlainPass(const Bitmap24& in, Bitmap24& out, const ContributorLists& lists, bool columns) {
  const int lines = columns ? in.Height() : in.Width(), length = columns ? in.Width() : in.Height();
  std::vector<float> line(static_cast<std::size_t>(length));
  for (int l = 0; l < lines; ++l)
    for (int k = 0; k < 3; ++k) {
      for (int p = 0; p < length; ++p)
        line[p] = columns ? in.Row(l)[3 * p + k] : in.Row(p)[3 * l + k];
      for (int i = 0; i < lists.Count(); ++i)
        (columns ? out.Row(l)[3 * i + k] : out.Row(i)[3 * l + k]) =
            ClampToByte(PlainSum(line, lists.List(i)));
    }
}

// The sums run eight rows (first pass) or eight pixels (second pass) side by side in vector
// lanes, over strips that may end part-way; each lane must still be the plain sum.
TEST(Stretch, EqualsThePlainOneProductAtATimeSums) {
  const int sizes[][4] = {
      {37, 29, 256, 192}, {320, 240, 256, 192}, {301, 17, 19, 45}, {9, 300, 131, 7}};
  for (auto [sw, sh, dw, dh] : sizes)
    for (const ResampleFilter& f : kResampleFilters) {
      const Bitmap24 source = BusyPicture(sw, sh, 99);
      Bitmap24 destination(dw, dh), work(dw, sh), plain(dw, dh);
      ASSERT_TRUE(Stretch(source, destination, f));
      PlainPass(source, work, BuildContributors(sw, dw, f.function, f.support), true);
      PlainPass(work, plain, BuildContributors(sh, dh, f.function, f.support), false);
      ASSERT_TRUE(destination == plain)
          << f.name << " " << sw << "x" << sh << " -> " << dw << "x" << dh;
    }
}

// A sum whose last bit decides the rounding. Contributors (pixel 1, weight 1e-7) then (pixel 100,
// weight 0.025f = 0.025 + 3.7e-10). Rounded separately: 100 * 0.025f = 2.5000000373 rounds to 2.5
// (a float step at 2.5 is 2^-22 = 2.4e-7), and 1e-7 + 2.5 rounds back to 2.5, so the byte is 2
// (half to even). Fused, 1e-7 + 2.5000000373 lies past the half step and rounds up to
// 2.50000024, giving 3. Only the unfused order of the sums gives 2.
TEST(HorizontalPass, RoundsEveryProductBeforeAddingItNeverFusing) {
  Bitmap24 work(1, 1);
  HorizontalPass(GreyRow({1, 100}), ListsOf({{{0, 1e-7f}, {1, 0.025f}}}), work);
  EXPECT_EQ(work.Pixel(0, 0), MakeRgb(2, 2, 2));
  // The case does tell the two apart: the fused sum rounds the other way.
  EXPECT_EQ(ClampToByte(std::fma(100.0f, 0.025f, 1.0f * 1e-7f)), 3);
}

// Work rows (red, green, blue): (255, 254, 1), (1, 255, 0), grey 200.
// Row 0: 0.5 and 0.5: red 127.5 + 0.5 = 128, green 127 + 127.5 = 254.5 -> 254, blue 0.5 -> 0.
// Row 1: 1 and 0.5: red 255 + 0.5 = 255.5 -> 255, green 381.5 -> 255, blue 1.
// Row 2: grey * -1 -> 0. Row 3: grey * 2 = 400 -> 255.
TEST(VerticalPass, ClampsAndRoundsHalvesToEven) {
  Bitmap24 work(1, 3), destination(1, 4);
  work.SetPixel(0, 0, MakeRgb(255, 254, 1));
  work.SetPixel(0, 1, MakeRgb(1, 255, 0));
  work.SetPixel(0, 2, MakeRgb(200, 200, 200));
  VerticalPass(work,
               ListsOf({{{0, 0.5f}, {1, 0.5f}}, {{0, 1.0f}, {1, 0.5f}}, {{2, -1.0f}}, {{2, 2.0f}}}),
               destination);
  const Rgb expected[] = {MakeRgb(128, 254, 0), MakeRgb(255, 255, 1), 0, MakeRgb(255, 255, 255)};
  for (int y = 0; y < 4; ++y) EXPECT_EQ(destination.Pixel(0, y), expected[y]) << y;
}

// Destination sizes (the source is 37 x 53) and bytes of work memory, room for little more than
// one row's window: a work row of width w takes 3w bytes plus 96 bytes per 8 pixels of floats.
// Less room than one row needs is refused, the destination left alone.
TEST(ResampleBands, GiveTheSameBytesAsOnePassOrRefuseWhenOneRowDoesNotFit) {
  const std::tuple<int, int, std::size_t> cases[] = {{29, 71, 8 * (87 + 4 * 96)},
                                                     {50, 13, 30 * (150 + 7 * 96)},
                                                     {8, 160, 8 * (24 + 96)},
                                                     {64, 9, 42 * (192 + 8 * 96)}};
  const Bitmap24 source = test::BusyPicture(37, 53, 12345);
  const ResampleFilter& lanczos = kResampleFilters[kDefaultResampleFilter];
  for (auto [width, height, budget] : cases) {
    Bitmap24 whole(width, height), banded(width, height);
    ASSERT_TRUE(Stretch(source, whole, lanczos, 1));
    ASSERT_TRUE(Stretch(source, banded, lanczos.function, lanczos.support, 2, budget));
    EXPECT_EQ(banded, whole) << width << "x" << height;
  }
  Bitmap24 destination = test::Filled(16, 2, MakeRgb(1, 2, 3));
  const Bitmap24 before = destination;
  // Shrinking 53 rows to 2 reads about 40 rows per destination row; room is left for 10.
  const Status status =
      Stretch(source, destination, lanczos.function, lanczos.support, 1, 10 * (48 + 2 * 96));
  EXPECT_NE(status.Message().find("MB of work memory"), std::string::npos) << status.Message();
  EXPECT_EQ(destination, before);
}

}  // namespace
}  // namespace tinto

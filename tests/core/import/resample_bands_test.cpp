#include "core/import/resampler.h"
#include "core/model/model_test_helpers.h"

namespace tinto {
namespace {

// Destination sizes (the source is 37 x 53) and bytes of work memory, room for little more than
// one row's window: a work row of width w takes 3w bytes plus 96 bytes per 8 pixels of floats.
TEST(ResampleBands, GiveTheSameBytesAsOnePass) {
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
}

TEST(ResampleBands, RefusesWhenOneRowNeedsMoreThanTheBudget) {
  const Bitmap24 source = test::BusyPicture(37, 53, 12345);
  Bitmap24 destination = test::Filled(16, 2, MakeRgb(1, 2, 3));
  const Bitmap24 before = destination;
  // Shrinking 53 rows to 2 reads about 40 rows per destination row; room is left for 10.
  const Status status =
      Stretch(source, destination, kResampleFilters[kDefaultResampleFilter].function,
              kResampleFilters[kDefaultResampleFilter].support, 1, 10 * (48 + 2 * 96));
  EXPECT_NE(status.Message().find("MB of work memory"), std::string::npos) << status.Message();
  EXPECT_EQ(destination, before);
}

}  // namespace
}  // namespace tinto

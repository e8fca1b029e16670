#include "app/platform/vertical_retrace.h"

#include <cmath>
#include <limits>

#include "app/gui_test.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

// The wait ends at the next period boundary, a full period on a boundary; a missing, huge or
// NaN rate means 60 Hz.
TEST(TimeToNextRefresh, EndsAtTheNextPeriodBoundary) {
  constexpr nanoseconds kSixtyHzPeriod{16666667};
  const std::tuple<nanoseconds, double, nanoseconds> cases[] = {
      {milliseconds(3), 100.0, milliseconds(7)},
      {milliseconds(10), 100.0, milliseconds(10)},
      {milliseconds(-3), 100.0, milliseconds(3)},
      {nanoseconds(0), 0.0, kSixtyHzPeriod},
      {nanoseconds(0), 1e9, kSixtyHzPeriod},
      {nanoseconds(0), std::numeric_limits<double>::quiet_NaN(), kSixtyHzPeriod}};
  for (const auto& [now, rate, expected] : cases)
    EXPECT_EQ(TimeToNextRefresh(now, rate), expected) << now.count() << " " << rate;
}

TEST(WaitForVerticalRetrace, ReturnsWithinOneRefresh) {
  const auto start = std::chrono::steady_clock::now();
  WaitForVerticalRetrace();
  // One refresh of the offscreen screen (60 Hz) plus scheduling slack on a busy machine.
  EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(60));
}

}  // namespace

#include "app/platform/vertical_retrace.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

struct RefreshCase {
  const char* name;
  nanoseconds now;
  double refreshHz;
  nanoseconds expected;
};

class TimeToNextRefreshCases : public testing::TestWithParam<RefreshCase> {};

TEST_P(TimeToNextRefreshCases, EndsAtTheNextPeriodBoundary) {
  EXPECT_EQ(TimeToNextRefresh(GetParam().now, GetParam().refreshHz), GetParam().expected);
}

constexpr nanoseconds kSixtyHzPeriod{16666667};

INSTANTIATE_TEST_SUITE_P(
    TimeToNextRefresh, TimeToNextRefreshCases,
    testing::Values(RefreshCase{"MidPeriod", milliseconds(3), 100.0, milliseconds(7)},
                    RefreshCase{"OnABoundaryWaitsAFullPeriod", milliseconds(10), 100.0,
                                milliseconds(10)},
                    RefreshCase{"NegativeTime", milliseconds(-3), 100.0, milliseconds(3)},
                    RefreshCase{"NoRateMeansSixtyHz", nanoseconds(0), 0.0, kSixtyHzPeriod},
                    RefreshCase{"HugeRateMeansSixtyHz", nanoseconds(0), 1e9, kSixtyHzPeriod},
                    RefreshCase{"NanRateMeansSixtyHz", nanoseconds(0),
                                std::numeric_limits<double>::quiet_NaN(), kSixtyHzPeriod}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaitForVerticalRetrace, ReturnsWithinOneRefresh) {
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    WaitForVerticalRetrace();
    const auto took = std::chrono::steady_clock::now() - start;
    // One refresh of the offscreen screen (60 Hz) plus scheduling slack on a busy machine.
    EXPECT_LT(took, milliseconds(60));
  }
}

}  // namespace

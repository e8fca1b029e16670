#include "core/import/resample_filter.h"

#include <gtest/gtest.h>

namespace tinto {
namespace {

struct FilterValue {
  int filter;
  float x;
  float expected;
};

class ResampleFilterValues : public ::testing::TestWithParam<FilterValue> {};

TEST_P(ResampleFilterValues, MatchTheFormula) {
  const FilterValue& c = GetParam();
  EXPECT_NEAR(kResampleFilters[c.filter].function(c.x), c.expected, 1e-6f)
      << kResampleFilters[c.filter].name << " at " << c.x;
}

// Hand values: Hermite (2*0.5-3)*0.25+1; Bell 0.5*(1-1.5)^2; B-Spline (2-1)^3/6;
// Mitchell (7-12+16/3)/6 = 1/18; Lanczos3 sinc(0.5)*sinc(1/6) = (2/pi)*(3/pi).
INSTANTIATE_TEST_SUITE_P(
    HandValues, ResampleFilterValues,
    ::testing::Values(FilterValue{0, 0.5f, 1.0f}, FilterValue{0, -0.5f, 0.0f},
                      FilterValue{1, 0.25f, 0.75f}, FilterValue{1, -1.0f, 0.0f},
                      FilterValue{2, 0.5f, 0.5f}, FilterValue{2, 1.0f, 0.0f},
                      FilterValue{3, 0.0f, 0.75f}, FilterValue{3, 1.0f, 0.125f},
                      FilterValue{3, -1.5f, 0.0f}, FilterValue{4, 0.0f, 2.0f / 3.0f},
                      FilterValue{4, 1.0f, 1.0f / 6.0f}, FilterValue{4, 2.0f, 0.0f},
                      FilterValue{5, 0.0f, 1.0f}, FilterValue{5, 0.5f, 0.6079271f},
                      FilterValue{5, 3.0f, 0.0f}, FilterValue{6, 0.0f, 16.0f / 18.0f},
                      FilterValue{6, -1.0f, 1.0f / 18.0f}, FilterValue{6, 2.0f, 0.0f}));

}  // namespace
}  // namespace tinto

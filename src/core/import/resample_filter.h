#pragma once
// The filters the resampler offers: each a function of single-precision distance in source
// pixels, and the support outside which it is 0.

#include <array>
#include <string_view>

namespace tinto {

using FilterFunction = float (*)(float);

float BoxFilter(float x);
float TriangleFilter(float x);
float HermiteFilter(float x);
float BellFilter(float x);
float BSplineFilter(float x);
float Lanczos3Filter(float x);
float MitchellFilter(float x);

struct ResampleFilter {
  std::string_view name;
  FilterFunction function;
  float support;  // the filter is 0 outside -support..support
};

// In the order the filter list shows them.
inline constexpr std::array<ResampleFilter, 7> kResampleFilters = {{
    {"Box", BoxFilter, 0.5f},
    {"Triangle", TriangleFilter, 1.0f},
    {"Hermite", HermiteFilter, 1.0f},
    {"Bell", BellFilter, 1.5f},
    {"B-Spline", BSplineFilter, 2.0f},
    {"Lanczos3", Lanczos3Filter, 3.0f},
    {"Mitchell", MitchellFilter, 2.0f},
}};
inline constexpr int kDefaultResampleFilter = 5;  // "Lanczos3"

// The filter of that exact name, or null.
const ResampleFilter* FindResampleFilter(std::string_view name);

// Supports above this are refused: they only make the lists long, never better.
inline constexpr float kMaxFilterSupport = 16.0f;

}  // namespace tinto

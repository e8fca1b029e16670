#include "core/import/resample_filter.h"

#include <cmath>

namespace tinto {

float BoxFilter(float x) { return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f; }

float TriangleFilter(float x) {
  const float ax = std::fabs(x);
  return ax < 1.0f ? 1.0f - ax : 0.0f;
}

float HermiteFilter(float x) {
  const float ax = std::fabs(x);
  return ax < 1.0f ? (2.0f * ax - 3.0f) * x * x + 1.0f : 0.0f;
}

float BellFilter(float x) {
  const float ax = std::fabs(x);
  if (ax < 0.5f) return 0.75f - x * x;
  if (ax < 1.5f) {
    const float t = ax - 1.5f;
    return 0.5f * t * t;
  }
  return 0.0f;
}

float BSplineFilter(float x) {
  const float ax = std::fabs(x);
  if (ax < 1.0f) return 0.5f * ax * ax * ax - x * x + 2.0f / 3.0f;
  if (ax < 2.0f) {
    const float t = 2.0f - ax;
    return t * t * t / 6.0f;
  }
  return 0.0f;
}

namespace {

float Sinc(float x) {
  if (x == 0.0f) return 1.0f;
  const float px = 3.14159265f * x;
  return std::sin(px) / px;
}

}  // namespace

float Lanczos3Filter(float x) { return std::fabs(x) < 3.0f ? Sinc(x) * Sinc(x / 3.0f) : 0.0f; }

float MitchellFilter(float x) {
  const float ax = std::fabs(x);
  if (ax < 1.0f) return (7.0f * ax * ax * ax - 12.0f * x * x + 16.0f / 3.0f) / 6.0f;
  if (ax < 2.0f) {
    return (-7.0f / 3.0f * ax * ax * ax + 12.0f * x * x - 20.0f * ax + 32.0f / 3.0f) / 6.0f;
  }
  return 0.0f;
}

const ResampleFilter* FindResampleFilter(std::string_view name) {
  for (const ResampleFilter& filter : kResampleFilters)
    if (filter.name == name) return &filter;
  return nullptr;
}

}  // namespace tinto

#include "core/quality/color_difference.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tinto {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kWhiteX = 0.95047, kWhiteZ = 1.08883;

double LabCurve(double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; }

// Angle of (x, y) in 0..2 pi.
double Hue(double x, double y) {
  const double angle = std::atan2(y, x);
  return angle < 0.0 ? angle + 2.0 * kPi : angle;
}

double Radians(double degrees) { return degrees * kPi / 180.0; }

// The share of chroma^7 that both the a* stretch and the rotation term use.
double ChromaShare(double chroma) {
  const double c7 = std::pow(chroma, 7.0);
  return std::sqrt(c7 / (c7 + 6103515625.0));  // 25^7
}

}  // namespace

double SrgbToLinear(double value) {
  return value > 0.04045 ? std::pow((value + 0.055) / 1.055, 2.4) : value / 12.92;
}

double LinearToSrgb(double value) {
  value = std::clamp(value, 0.0, 1.0);
  return value <= 0.0031308 ? value * 12.92 : 1.055 * std::pow(value, 1.0 / 2.4) - 0.055;
}

Lab LabFromLinear(double red, double green, double blue) {
  const double x = 0.412453 * red + 0.357580 * green + 0.180423 * blue;
  const double y = 0.212671 * red + 0.715160 * green + 0.072169 * blue;
  const double z = 0.019334 * red + 0.119193 * green + 0.950227 * blue;
  const double fx = LabCurve(x / kWhiteX), fy = LabCurve(y), fz = LabCurve(z / kWhiteZ);
  return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double Ciede2000(const Lab& first, const Lab& second) {
  const double meanChroma = 0.5 * (std::hypot(first.a, first.b) + std::hypot(second.a, second.b));
  const double stretch = 1.0 + 0.5 * (1.0 - ChromaShare(meanChroma));
  const double a1 = first.a * stretch, a2 = second.a * stretch;
  const double c1 = std::hypot(a1, first.b), c2 = std::hypot(a2, second.b);
  const double h1 = Hue(a1, first.b), h2 = Hue(a2, second.b);

  const double meanL = 0.5 * (first.L + second.L);
  const double lSquare = (meanL - 50.0) * (meanL - 50.0);
  const double lTerm = (second.L - first.L) / (1.0 + 0.015 * lSquare / std::sqrt(20.0 + lSquare));

  const double meanC = 0.5 * (c1 + c2);
  const double cTerm = (c2 - c1) / (1.0 + 0.045 * meanC);

  // Hue difference and mean hue, each taken the short way round; undefined hues count as 0.
  const double hueDiff = h2 - h1, hueSum = h1 + h2, cc = c1 * c2;
  double dh = hueDiff > kPi ? hueDiff - 2.0 * kPi : hueDiff < -kPi ? hueDiff + 2.0 * kPi : hueDiff;
  double meanH = hueSum;
  if (cc == 0.0) {
    dh = 0.0;
    meanH *= 2.0;
  } else if (std::fabs(hueDiff) > kPi) {
    meanH += hueSum < 2.0 * kPi ? 2.0 * kPi : -2.0 * kPi;
  }
  meanH *= 0.5;
  const double t = 1.0 - 0.17 * std::cos(meanH - Radians(30.0)) + 0.24 * std::cos(2.0 * meanH) +
                   0.32 * std::cos(3.0 * meanH + Radians(6.0)) -
                   0.20 * std::cos(4.0 * meanH - Radians(63.0));
  const double hTerm = 2.0 * std::sqrt(cc) * std::sin(dh / 2.0) / (1.0 + 0.015 * meanC * t);

  const double meanHDegrees = meanH * 180.0 / kPi;
  const double rotation = Radians(30.0) * std::exp(-std::pow((meanHDegrees - 275.0) / 25.0, 2.0));
  const double rTerm = -std::sin(2.0 * rotation) * 2.0 * ChromaShare(meanC) * cTerm * hTerm;
  return std::sqrt(std::max(lTerm * lTerm + cTerm * cTerm + hTerm * hTerm + rTerm, 0.0));
}

}  // namespace tinto

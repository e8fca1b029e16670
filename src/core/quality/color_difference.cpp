#include "core/quality/color_difference.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tinto {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kWhiteX = 0.95047, kWhiteZ = 1.08883;
using Row = std::array<double, 3>;
// Linear sRGB to XYZ (D65).
constexpr Row kToXyz[3] = {
    {0.412453, 0.357580, 0.180423}, {0.212671, 0.715160, 0.072169}, {0.019334, 0.119193, 0.950227}};

double Dot(const Row& row, double red, double green, double blue) {
  return row[0] * red + row[1] * green + row[2] * blue;
}

// Cube root of t > 0: a first guess from the exponent bits (within 4 %), then two Halley steps
// (each triples the correct digits) to 1e-13; a fraction of the library call's time.
double CubeRoot(double t) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(t) / 3 + 0x2A9F7893782DA1CEull;
  double y = std::bit_cast<double>(bits);
  for (int i = 0; i < 2; ++i) {
    const double y3 = y * y * y;
    y *= (y3 + 2.0 * t) / (2.0 * y3 + t);
  }
  return y;
}

double LabCurve(double t) { return t > 0.008856 ? CubeRoot(t) : 7.787 * t + 16.0 / 116.0; }

// Angle of (x, y) in 0..2 pi.
double Hue(double x, double y) {
  const double angle = std::atan2(y, x);
  return angle < 0.0 ? angle + 2.0 * kPi : angle;
}

double Radians(double degrees) { return degrees * kPi / 180.0; }

// The share of chroma^7 that both the a* stretch and the rotation term use.
double ChromaShare(double chroma) {
  const double c2 = chroma * chroma;
  const double c7 = c2 * c2 * c2 * chroma;
  return std::sqrt(c7 / (c7 + 6103515625.0));  // 25^7
}

// T = 1 - 0.17 cos(h - 30) + 0.24 cos(2h) + 0.32 cos(3h + 6) - 0.20 cos(4h - 63) (degrees),
// from the cosine and sine of h through the multiple-angle formulas: this runs for every pixel
// of every picture the automatic settings try.
double HueWeight(double c, double s) {
  const double c2 = 2.0 * c * c - 1.0, s2 = 2.0 * s * c;
  const double c3 = c * (4.0 * c * c - 3.0), s3 = s * (3.0 - 4.0 * s * s);
  const double c4 = 2.0 * c2 * c2 - 1.0, s4 = 2.0 * s2 * c2;
  auto shifted = [](double cosine, double sine, double degrees) {
    return cosine * std::cos(Radians(degrees)) - sine * std::sin(Radians(degrees));
  };
  return 1.0 - 0.17 * shifted(c, s, -30.0) + 0.24 * c2 + 0.32 * shifted(c3, s3, 6.0) -
         0.20 * shifted(c4, s4, -63.0);
}

// Hue difference dh taken the short way round and the mean hue: 2 sqrt(c1 c2) sin(dh / 2) is
// sqrt(c1 c2) times the distance between the unit hue vectors, the mean hue the direction of
// their bisector. This is what the angle formulas give, with one arctangent instead of two.
struct HueTerms {
  double difference = 0.0;
  double meanH = -1.0;  // radians; -1 when not worked out (the direction is in cosH, sinH)
  double cosH = 0.0;
  double sinH = 0.0;
};

HueTerms CompareHues(double a1, double b1, double c1, double a2, double b2, double c2) {
  const double cc = c1 * c2;
  HueTerms hue;
  const double ux1 = a1 / c1, uy1 = b1 / c1, ux2 = a2 / c2, uy2 = b2 / c2;
  const double sx = ux1 + ux2, sy = uy1 + uy2;
  if (cc == 0.0 || sx * sx + sy * sy < 1e-20) {
    // A hue undefined, or opposite hues: the mean of both angles, as the formula has it.
    hue.meanH = Hue(a1, b1) + Hue(a2, b2);
    if (cc != 0.0) {
      hue.meanH *= 0.5;
      hue.difference = std::copysign(2.0 * std::sqrt(cc), Hue(a2, b2) - Hue(a1, b1));
    }
    hue.cosH = std::cos(hue.meanH);
    hue.sinH = std::sin(hue.meanH);
  } else {
    const double dx = ux1 - ux2, dy = uy1 - uy2;
    hue.difference = std::copysign(std::sqrt(cc * (dx * dx + dy * dy)), ux1 * uy2 - uy1 * ux2);
    const double length = std::sqrt(sx * sx + sy * sy);
    hue.cosH = sx / length;
    hue.sinH = sy / length;
  }
  return hue;
}

}  // namespace

double SrgbToLinear(double value) {
  return value > 0.04045 ? std::pow((value + 0.055) / 1.055, 2.4) : value / 12.92;
}

const std::array<double, 256>& LinearByteTable() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> values;
    for (int v = 0; v < 256; ++v) values[v] = SrgbToLinear(v / 255.0);
    return values;
  }();
  return table;
}

Lab LabFromLinear(double red, double green, double blue) {
  const double x = Dot(kToXyz[0], red, green, blue), y = Dot(kToXyz[1], red, green, blue);
  const double z = Dot(kToXyz[2], red, green, blue);
  const double fx = LabCurve(x / kWhiteX), fy = LabCurve(y), fz = LabCurve(z / kWhiteZ);
  return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

std::array<double, 6> Ciede2000Metric(double red, double green, double blue) {
  // d(fx, fy, fz) / d(red, green, blue): the curve's slope times a row of the XYZ matrix.
  constexpr double kWhite[3] = {kWhiteX, 1.0, kWhiteZ};
  Row f[3];
  double curve[3];
  for (int i = 0; i < 3; ++i) {
    const double t = Dot(kToXyz[i], red, green, blue) / kWhite[i];
    curve[i] = LabCurve(t);
    const double slope = (t > 0.008856 ? curve[i] / (3.0 * t) : 7.787) / kWhite[i];
    for (int c = 0; c < 3; ++c) f[i][c] = slope * kToXyz[i][c];
  }
  const double lightness = 116.0 * curve[1] - 16.0;
  const double a = 500.0 * (curve[0] - curve[1]), b = 200.0 * (curve[1] - curve[2]);
  const double stretch = 1.0 + 0.5 * (1.0 - ChromaShare(std::sqrt(a * a + b * b)));
  const double chroma = std::hypot(stretch * a, b);
  const double cosH = chroma > 0.0 ? stretch * a / chroma : 1.0;
  const double sinH = chroma > 0.0 ? b / chroma : 0.0;
  const double lSquare = (lightness - 50.0) * (lightness - 50.0);
  const double sL = 1.0 + 0.015 * lSquare / std::sqrt(20.0 + lSquare);
  const double sC = 1.0 + 0.045 * chroma, sH = 1.0 + 0.015 * chroma * HueWeight(cosH, sinH);
  // Rows of the weighted lightness, chroma and hue changes per unit of red, green, blue.
  Row rows[3];
  for (int c = 0; c < 3; ++c) {
    const double da = 500.0 * stretch * (f[0][c] - f[1][c]), db = 200.0 * (f[1][c] - f[2][c]);
    rows[0][c] = 116.0 * f[1][c] / sL;
    rows[1][c] = (cosH * da + sinH * db) / sC;
    rows[2][c] = (cosH * db - sinH * da) / sH;
  }
  auto entry = [&rows](int i, int j) {
    return rows[0][i] * rows[0][j] + rows[1][i] * rows[1][j] + rows[2][i] * rows[2][j];
  };
  return {entry(0, 0), entry(0, 1), entry(0, 2), entry(1, 1), entry(1, 2), entry(2, 2)};
}

double Ciede2000(const Lab& first, const Lab& second) {
  const double meanChroma = 0.5 * (std::sqrt(first.a * first.a + first.b * first.b) +
                                   std::sqrt(second.a * second.a + second.b * second.b));
  const double stretch = 1.0 + 0.5 * (1.0 - ChromaShare(meanChroma));
  const double a1 = first.a * stretch, a2 = second.a * stretch;
  const double b1 = first.b, b2 = second.b;
  const double c1 = std::sqrt(a1 * a1 + b1 * b1), c2 = std::sqrt(a2 * a2 + b2 * b2);

  const double meanL = 0.5 * (first.L + second.L);
  const double lSquare = (meanL - 50.0) * (meanL - 50.0);
  const double lTerm = (second.L - first.L) / (1.0 + 0.015 * lSquare / std::sqrt(20.0 + lSquare));

  const double meanC = 0.5 * (c1 + c2);
  const double cTerm = (c2 - c1) / (1.0 + 0.045 * meanC);

  const HueTerms hue = CompareHues(a1, b1, c1, a2, b2, c2);
  double meanH = hue.meanH;
  const double cosH = hue.cosH, sinH = hue.sinH;
  const double hTerm = hue.difference / (1.0 + 0.015 * meanC * HueWeight(cosH, sinH));

  // The rotation term only counts for blue hues: below 119 degrees its factor
  // exp(-((h - 275) / 25)^2) is about 1e-17 or less, and the arctangent is not needed.
  double rTerm = 0.0;
  if (meanH >= 0.0 || sinH < 0.0 || cosH < std::cos(Radians(119.0))) {
    if (meanH < 0.0) meanH = Hue(cosH, sinH);
    const double spread = (meanH * 180.0 / kPi - 275.0) / 25.0;
    const double rotation = Radians(30.0) * std::exp(-spread * spread);
    rTerm = -std::sin(2.0 * rotation) * 2.0 * ChromaShare(meanC) * cTerm * hTerm;
  }
  return std::sqrt(std::max(lTerm * lTerm + cTerm * cTerm + hTerm * hTerm + rTerm, 0.0));
}

}  // namespace tinto

#pragma once
// Colour conversions and the CIEDE2000 colour difference as the quality scorer defines them:
// sRGB (IEC 61966-2-1) to CIELAB under D65 with the 2-degree observer, the sRGB matrix and
// white point rounded as common image libraries round them, so that figures agree with theirs.

#include <array>

namespace tinto {

struct Lab {
  double L = 0.0;
  double a = 0.0;
  double b = 0.0;
};

// sRGB component 0..1 to linear light.
double SrgbToLinear(double value);
// SrgbToLinear of every byte value v / 255.
const std::array<double, 256>& LinearByteTable();

// Linear-light red, green, blue (0..1) to CIELAB.
Lab LabFromLinear(double red, double green, double blue);

// CIEDE2000 with kL = kC = kH = 1: 0 for equal colours, symmetric.
double Ciede2000(const Lab& first, const Lab& second);

// How CIEDE2000 grows around a colour (linear red, green, blue 0..1): for a small change d of
// them, dE00^2 is about d' M d. M is symmetric: {rr, rg, rb, gg, gb, bb}. The blue hues'
// rotation term is left out.
std::array<double, 6> Ciede2000Metric(double red, double green, double blue);

}  // namespace tinto

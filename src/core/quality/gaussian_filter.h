#pragma once
// Gaussian filtering of planes of doubles as the common numerical library does it: a kernel cut
// at radius int(truncate * sigma + 0.5) and normalised to sum 1, edges mirrored about the half
// pixel (d c b a | a b c d | d c b a).

#include <vector>

namespace tinto {

struct Plane {
  int width = 0;
  int height = 0;
  std::vector<double> values;  // row after row

  Plane() = default;
  Plane(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h) {}
};

// Preconditions: sigma > 0, truncate >= 0.
std::vector<double> GaussianKernel(double sigma, double truncate);

// `plane` filtered along both axes with `kernel` (odd length).
Plane GaussianFiltered(const Plane& plane, const std::vector<double>& kernel);
// The same into `result`, with `across` for the first pass: both keep their memory when they
// are large enough already, so filtering many planes allocates nothing after the first.
void GaussianFilter(const Plane& plane, const std::vector<double>& kernel, Plane& across,
                    Plane& result);

// Makes `plane` width x height, all 0, in the memory it has when that is large enough.
void Reshape(Plane& plane, int width, int height);

}  // namespace tinto

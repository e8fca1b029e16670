#include "core/quality/picture_score.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/model/renderer.h"
#include "core/quality/reference_resize.h"

namespace tinto {
namespace {

constexpr int kSsimBorder = 5;  // the radius of the 11-tap window

// Linear-light red, green and blue planes of a picture (rows of blue, green, red bytes).
std::array<Plane, 3> LinearPlanes(const Bitmap24& picture) {
  const auto& linear = LinearByteTable();
  std::array<Plane, 3> planes;
  for (Plane& plane : planes) plane = Plane(picture.Width(), picture.Height());
  std::size_t i = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, ++i, p += 3) {
      planes[0].values[i] = linear[p[2]];
      planes[1].values[i] = linear[p[1]];
      planes[2].values[i] = linear[p[0]];
    }
  }
  return planes;
}

std::vector<Lab> LabOf(const std::array<Plane, 3>& linear) {
  std::vector<Lab> lab(linear[0].values.size());
  for (std::size_t i = 0; i < lab.size(); ++i)
    lab[i] = LabFromLinear(linear[0].values[i], linear[1].values[i], linear[2].values[i]);
  return lab;
}

// Blurred in linear light, then brought back into 0..1 as an sRGB encoding would.
std::vector<Lab> BlurredLabOf(const Bitmap24& picture) {
  static const std::vector<double> kernel = GaussianKernel(1.0, 4.0);
  std::array<Plane, 3> planes = LinearPlanes(picture);
  for (Plane& plane : planes) {
    plane = GaussianFiltered(plane, kernel);
    // Encoding to sRGB and decoding again only clamps: the round trip is left out for speed.
    for (double& v : plane.values) v = std::clamp(v, 0.0, 1.0);
  }
  return LabOf(planes);
}

double MeanDifference(const std::vector<Lab>& first, const std::vector<Lab>& second) {
  double sum = 0.0;
  for (std::size_t i = 0; i < first.size(); ++i) sum += Ciede2000(first[i], second[i]);
  return sum / static_cast<double>(first.size());
}

Plane LumaOf(const Bitmap24& picture) {
  Plane luma(picture.Width(), picture.Height());
  std::size_t i = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3)
      luma.values[i++] = (0.2125 * p[2] + 0.7154 * p[1] + 0.0721 * p[0]) / 255.0;
  }
  return luma;
}

Plane Product(const Plane& a, const Plane& b) {
  Plane product(a.width, a.height);
  for (std::size_t i = 0; i < product.values.size(); ++i)
    product.values[i] = a.values[i] * b.values[i];
  return product;
}

double LumaSsim(const Plane& x, const Plane& y) {
  if (x.width <= 2 * kSsimBorder || x.height <= 2 * kSsimBorder)
    return std::numeric_limits<double>::quiet_NaN();
  static const std::vector<double> kernel = GaussianKernel(1.5, 3.5);
  const Plane ux = GaussianFiltered(x, kernel), uy = GaussianFiltered(y, kernel);
  const Plane uxx = GaussianFiltered(Product(x, x), kernel);
  const Plane uyy = GaussianFiltered(Product(y, y), kernel);
  const Plane uxy = GaussianFiltered(Product(x, y), kernel);
  constexpr double c1 = 0.01 * 0.01, c2 = 0.03 * 0.03;
  double sum = 0.0;
  for (int row = kSsimBorder; row < x.height - kSsimBorder; ++row)
    for (int col = kSsimBorder; col < x.width - kSsimBorder; ++col) {
      const std::size_t i = static_cast<std::size_t>(row) * x.width + col;
      const double mx = ux.values[i], my = uy.values[i];
      const double vx = uxx.values[i] - mx * mx, vy = uyy.values[i] - my * my;
      const double vxy = uxy.values[i] - mx * my;
      sum += ((2 * mx * my + c1) * (2 * vxy + c2)) / ((mx * mx + my * my + c1) * (vx + vy + c2));
    }
  return sum / (static_cast<double>(x.width - 2 * kSsimBorder) * (x.height - 2 * kSsimBorder));
}

}  // namespace

ScoreReference::ScoreReference(const Bitmap24& photo)
    : m_width(photo.Width()),
      m_height(photo.Height()),
      m_lab(LabOf(LinearPlanes(photo))),
      m_blurredLab(BlurredLabOf(photo)),
      m_luma(LumaOf(photo)) {}

PictureScore ScoreReference::Score(const Bitmap24& seen) const {
  return {MeanDifference(m_lab, LabOf(LinearPlanes(seen))), BlurredError(seen),
          LumaSsim(m_luma, LumaOf(seen)), FlickerFigures{}};
}

PictureScore ScoreReference::ScoreScreen(const ScreenBuffers& screen,
                                         const ScreenGeometry& geometry) const {
  PictureScore score = Score(StaticMix(screen, geometry));
  score.flicker = MeasureFlicker(screen, geometry);
  return score;
}

double ScoreReference::BlurredError(const Bitmap24& seen) const {
  return MeanDifference(m_blurredLab, BlurredLabOf(seen));
}

Bitmap24 StaticMix(const ScreenBuffers& screen, const ScreenGeometry& geometry) {
  Bitmap24 mixed(geometry.WidthPixels(), geometry.DY());
  RenderScreen(screen, geometry, {/*attributes=*/true, /*noFlic=*/true},
               {BitmapView{}, BitmapView{}, mixed.View(), BitmapView{}});
  return mixed;
}

PictureScore ScorePicture(const Bitmap24& photo, const ScreenBuffers& screen,
                          const ScreenGeometry& geometry) {
  return ScoreReference(ResizeForScore(photo, geometry.WidthPixels(), geometry.DY()))
      .ScoreScreen(screen, geometry);
}

}  // namespace tinto

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

// The planes a score works in, kept by each thread from one score to the next: scoring many
// pictures of one size (as the automatic settings do) then allocates nothing, and freshly
// mapped memory costs more than the arithmetic done in it.
struct ScoreWork {
  std::array<Plane, 3> linear;
  Plane across;
  Plane blurred;
  std::vector<Lab> lab;
  Plane luma, product, meanY, meanYy, meanXy;
};

ScoreWork& Work() {
  thread_local ScoreWork work;
  return work;
}

// Linear-light red, green and blue planes of a picture (rows of blue, green, red bytes).
void LinearPlanes(const Bitmap24& picture, std::array<Plane, 3>& planes) {
  const auto& linear = LinearByteTable();
  for (Plane& plane : planes) Reshape(plane, picture.Width(), picture.Height());
  std::size_t i = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, ++i, p += 3) {
      planes[0].values[i] = linear[p[2]];
      planes[1].values[i] = linear[p[1]];
      planes[2].values[i] = linear[p[0]];
    }
  }
}

void LabOf(const std::array<Plane, 3>& linear, std::vector<Lab>& lab) {
  lab.resize(linear[0].values.size());
  for (std::size_t i = 0; i < lab.size(); ++i)
    lab[i] = LabFromLinear(linear[0].values[i], linear[1].values[i], linear[2].values[i]);
}

// Blurred in linear light, then brought back into 0..1 as an sRGB encoding would.
void BlurredLabOf(const Bitmap24& picture, std::vector<Lab>& lab) {
  static const std::vector<double> kernel = GaussianKernel(1.0, 4.0);
  ScoreWork& work = Work();
  LinearPlanes(picture, work.linear);
  for (Plane& plane : work.linear) {
    GaussianFilter(plane, kernel, work.across, work.blurred);
    std::swap(plane, work.blurred);
    // Encoding to sRGB and decoding again only clamps: the round trip is left out for speed.
    for (double& v : plane.values) v = std::clamp(v, 0.0, 1.0);
  }
  LabOf(work.linear, lab);
}

double MeanDifference(const std::vector<Lab>& first, const std::vector<Lab>& second) {
  double sum = 0.0;
  for (std::size_t i = 0; i < first.size(); ++i) sum += Ciede2000(first[i], second[i]);
  return sum / static_cast<double>(first.size());
}

void LumaOf(const Bitmap24& picture, Plane& luma) {
  Reshape(luma, picture.Width(), picture.Height());
  std::size_t i = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3)
      luma.values[i++] = (0.2125 * p[2] + 0.7154 * p[1] + 0.0721 * p[0]) / 255.0;
  }
}

void Product(const Plane& a, const Plane& b, Plane& product) {
  Reshape(product, a.width, a.height);
  for (std::size_t i = 0; i < product.values.size(); ++i)
    product.values[i] = a.values[i] * b.values[i];
}

const std::vector<double>& SsimKernel() {
  static const std::vector<double> kernel = GaussianKernel(1.5, 3.5);
  return kernel;
}

bool HasSsim(const Plane& x) { return x.width > 2 * kSsimBorder && x.height > 2 * kSsimBorder; }

// The photo's side: its luma x, the local mean of x and of x squared.
LumaMeans MeansOf(const Bitmap24& photo) {
  LumaMeans means;
  LumaOf(photo, means.luma);
  if (!HasSsim(means.luma)) return means;
  Plane square, across;
  Product(means.luma, means.luma, square);
  GaussianFilter(means.luma, SsimKernel(), across, means.mean);
  GaussianFilter(square, SsimKernel(), across, means.squareMean);
  return means;
}

double LumaSsim(const LumaMeans& photo, const Bitmap24& seen) {
  const Plane& x = photo.luma;
  if (!HasSsim(x)) return std::numeric_limits<double>::quiet_NaN();
  ScoreWork& work = Work();
  const Plane& y = work.luma;
  LumaOf(seen, work.luma);
  GaussianFilter(y, SsimKernel(), work.across, work.meanY);
  Product(y, y, work.product);
  GaussianFilter(work.product, SsimKernel(), work.across, work.meanYy);
  Product(x, y, work.product);
  GaussianFilter(work.product, SsimKernel(), work.across, work.meanXy);
  const Plane &ux = photo.mean, &uy = work.meanY, &uxx = photo.squareMean, &uyy = work.meanYy,
              &uxy = work.meanXy;
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

std::vector<Lab> LabOfPhoto(const Bitmap24& photo, bool blurred) {
  std::vector<Lab> lab;
  if (blurred) {
    BlurredLabOf(photo, lab);
  } else {
    LinearPlanes(photo, Work().linear);
    LabOf(Work().linear, lab);
  }
  return lab;
}

}  // namespace

ScoreReference::ScoreReference(const Bitmap24& photo)
    : m_width(photo.Width()),
      m_height(photo.Height()),
      m_lab(LabOfPhoto(photo, /*blurred=*/false)),
      m_blurredLab(LabOfPhoto(photo, /*blurred=*/true)),
      m_luma(MeansOf(photo)) {}

PictureScore ScoreReference::Score(const Bitmap24& seen) const {
  ScoreWork& work = Work();
  LinearPlanes(seen, work.linear);
  LabOf(work.linear, work.lab);
  return {MeanDifference(m_lab, work.lab), BlurredError(seen), Ssim(seen), FlickerFigures{}};
}

PictureScore ScoreReference::ScoreScreen(const ScreenBuffers& screen,
                                         const ScreenGeometry& geometry) const {
  PictureScore score = Score(StaticMix(screen, geometry));
  score.flicker = MeasureFlicker(screen, geometry);
  return score;
}

double ScoreReference::Ssim(const Bitmap24& seen) const { return LumaSsim(m_luma, seen); }

double ScoreReference::BlurredError(const Bitmap24& seen) const {
  ScoreWork& work = Work();
  BlurredLabOf(seen, work.lab);
  return MeanDifference(m_blurredLab, work.lab);
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

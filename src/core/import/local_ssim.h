#pragma once
// Luma SSIM (Gaussian window, sigma 1.5) of a picture being changed one pixel at a time against a
// fixed reference, kept up to date per window so that a change's effect costs one window's work.
// The window is cut at radius 2 and at the picture's edges (an approximation, used for choosing).

#include <array>
#include <vector>

namespace tinto {

class LocalSsim {
 public:
  static constexpr int kMaxGrays = 4;

  // `reference` and `picture` hold width * height gray values 0..1, row by row.
  LocalSsim(std::vector<float> reference, std::vector<float> picture, int width, int height);

  // changes[i]: the change of the summed SSIM of every window if pixel (x, y) showed grays[i].
  // Precondition: 1 <= count <= kMaxGrays.
  void ChangesIf(int x, int y, const float* grays, int count, float* changes) const;
  // Makes pixel (x, y) show `gray`.
  void Set(int x, int y, float gray);

 private:
  // One plane per window statistic, padded so that a row of windows around any pixel can be
  // read as one run (see local_ssim.cpp).
  enum Plane { kMeanX, kVarianceX, kMeanY, kMeanYY, kMeanXY, kSsim, kPlanes };

  // Sums of x, x*x, y, y*y and x*y.
  static constexpr int kSums = 5;
  using RowSums = std::array<float, kSums>;

  std::size_t Window(int x, int y) const;
  void SumRow(int y, RowSums* out) const;
  void SetWindow(int x, int y, const RowSums& sums);

  int m_width;
  int m_height;
  int m_stride;
  std::vector<float> m_reference;
  std::vector<float> m_picture;
  std::vector<float> m_planes[kPlanes];
};

}  // namespace tinto

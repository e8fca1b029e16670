#pragma once
// Luma SSIM (Gaussian window, sigma 1.5) of a picture being changed one pixel at a time against a
// fixed reference, kept up to date per window so that a change's effect costs one window's work.
// The window is cut at radius 3 and at the picture's edges (an approximation, used for choosing).

#include <vector>

namespace tinto {

class LocalSsim {
 public:
  // `reference` and `picture` hold width * height gray values 0..1, row by row.
  LocalSsim(const std::vector<float>& reference, const std::vector<float>& picture, int width,
            int height);

  // The change of the summed SSIM of every window if pixel (x, y) showed `gray`.
  float ChangeIf(int x, int y, float gray) const;
  // Makes pixel (x, y) show `gray`.
  void Set(int x, int y, float gray);

 private:
  struct Window {
    float meanX, varianceX, meanY, meanYY, meanXY, ssim;
  };

  int m_width;
  int m_height;
  std::vector<float> m_reference;
  std::vector<float> m_picture;
  std::vector<Window> m_windows;  // one per pixel: the window centred there
};

}  // namespace tinto

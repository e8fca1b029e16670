#pragma once
// How close what a viewer sees is to the photograph, in three figures defined as scikit-image
// computes them (its rgb2lab, deltaE_ciede2000, gaussian and structural_similarity), so that
// they agree with scores made with it:
//   de00      mean CIEDE2000 over all pixels
//   de00Blur  the same after a Gaussian blur (sigma 1) of both pictures in linear light
//   ssimY     SSIM of the luma 0.2125 R + 0.7154 G + 0.0721 B of the sRGB values (Gaussian
//             window sigma 1.5, 11 taps, population covariance, data range 1), averaged without
//             a 5-pixel border; NaN for a picture narrower or lower than 11 pixels
//   flicker   of a two-frame picture, how much its frames differ (core/quality/flicker.h)

#include "core/model/bitmap.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/quality/color_difference.h"
#include "core/quality/flicker.h"
#include "core/quality/gaussian_filter.h"

namespace tinto {

struct PictureScore {
  double de00 = 0.0;
  double de00Blur = 0.0;
  double ssimY = 0.0;
  FlickerFigures flicker;  // zero when only the mix was scored
};

// The luma of a photograph and its local means, for the structure figure.
struct LumaMeans {
  Plane luma;
  Plane mean;        // empty for a picture too small for the figure
  Plane squareMean;  // likewise
};

// A photograph already at the picture's size, with what every score against it needs computed
// once: scoring many pictures against one photo costs only the pictures' share. Scores made on
// one thread reuse that thread's work memory.
class ScoreReference {
 public:
  // Precondition: `photo` not empty.
  explicit ScoreReference(const Bitmap24& photo);

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Precondition: `seen` is Width() x Height(). Scores the mix alone: `flicker` stays zero.
  PictureScore Score(const Bitmap24& seen) const;
  // Every figure of a two-frame picture, its static mix scored. Precondition: the picture is
  // Width() x Height() (DX * 8 by DY).
  PictureScore ScoreScreen(const ScreenBuffers& screen, const ScreenGeometry& geometry) const;
  // de00Blur alone, the figure the automatic settings minimise.
  double BlurredError(const Bitmap24& seen) const;
  // ssimY alone, the figure the automatic settings must not give up.
  double Ssim(const Bitmap24& seen) const;

 private:
  int m_width;
  int m_height;
  std::vector<Lab> m_lab;
  std::vector<Lab> m_blurredLab;
  LumaMeans m_luma;
};

// The static mix of both frames with attributes, as the editor shows it with "No Flic".
Bitmap24 StaticMix(const ScreenBuffers& screen, const ScreenGeometry& geometry);

// `photo` resized as the scorer resizes it (ResizeForScore) to the picture's DX * 8 x DY, then
// scored against the picture's static mix. Precondition: `photo` not empty.
PictureScore ScorePicture(const Bitmap24& photo, const ScreenBuffers& screen,
                          const ScreenGeometry& geometry);

}  // namespace tinto

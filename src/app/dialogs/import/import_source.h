#pragma once
// The Import Expert's source picture (`SourcePicture`) and the bitmap its source pane shows and
// its conversions read: the picture itself with "Stretch" off, or its copy resampled to
// DX * 8 by DY with "Stretch" on. The resampled copy is kept and reused while the picture, DX,
// DY and the filter stay the same, so that a slider release on a large photograph does not
// resample it again; the result is the same either way.

#include "core/import/resampler.h"
#include "core/import/source_picture.h"
#include "core/model/bitmap.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

class TImportSource {
 public:
  // A picture counts as loaded when it has a non-zero width.
  bool Loaded() const { return m_picture.Width() > 0; }
  const tinto::Bitmap24& Picture() const { return m_picture; }
  // A newly opened or cropped picture; the resampled copy is dropped.
  void Replace(tinto::Bitmap24 picture);

  // Makes the shown bitmap for the current options (see the top of this file). On failure
  // (resampling an empty picture) nothing is shown and the status says why.
  tinto::Status Prepare(bool stretch, const tinto::ScreenGeometry& geometry,
                        const tinto::ResampleFilter& filter);
  // The bitmap of the last successful Prepare; null before one, after a failed one and after
  // Replace.
  const tinto::Bitmap24* Shown() const { return m_shown; }

 private:
  struct StretchKey {
    int width;
    int height;
    const tinto::ResampleFilter* filter;
    bool operator==(const StretchKey&) const = default;
  };

  tinto::Bitmap24 m_picture;
  tinto::Bitmap24 m_stretched;
  // What m_stretched was resampled for; none while it does not hold m_picture resampled.
  bool m_stretchedValid = false;
  StretchKey m_stretchedFor{};
  const tinto::Bitmap24* m_shown = nullptr;
};

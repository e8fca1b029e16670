#pragma once
// One import, as the Import Expert and `tinto convert` both run it: the source picture, its copy
// resampled for "Stretch" (kept and reused while the picture, DX, DY and the filter stay the
// same, so that a slider release on a large photograph does not resample it again), the options
// fitted once, the last conversion with its two previews, and its quality figures. The dialog
// reads its controls into it and shows what it holds; the tool hands it the command line's
// options and writes its result. Either way the same calls make the same bytes.

#include <optional>

#include "core/import/import_options.h"
#include "core/import/import_result.h"
#include "core/model/bitmap.h"
#include "core/model/pixel_geometry.h"
#include "core/quality/auto_options.h"
#include "core/quality/picture_score.h"
#include "core/status.h"

namespace tinto {

class ImportSession {
 public:
  // A newly opened or cropped picture; an empty one counts as none. What was made for the old
  // picture (its resampled copy, the photo the score compares with) is dropped; the options and
  // the last conversion stay.
  void SetPicture(Bitmap24 picture);
  bool Loaded() const { return !m_picture.Empty(); }
  const Bitmap24& Picture() const { return m_picture; }

  const FittedImportOptions& Options() const { return m_options; }
  // The options fitted (FitImportOptions) and kept; the caller shows what they became.
  const FittedImportOptions& SetOptions(const ImportOptions& options);
  // After a picture was opened or cropped: without Stretch DX and DY follow its size; either way
  // the MLT window is pulled into DX. Nothing changes without a picture.
  const FittedImportOptions& FitSizeToPicture();

  // Makes the bitmap the source pane shows and the conversion reads: the picture itself, or with
  // Stretch its copy resampled to DX * 8 by DY. Fails, showing nothing, without a picture or when
  // resampling fails (the status says why).
  Status Prepare();
  // The bitmap of the last successful Prepare; null before one, after a failed one and after
  // SetPicture. Valid until the next SetPicture or Prepare.
  const Bitmap24* Shown() const { return m_shown; }

  // "Crop Picture": the pixels of `rect` in the shown bitmap (the picture itself before the first
  // Prepare) become the picture, and the size follows it. False, changing nothing, when `rect`
  // holds none of its pixels.
  bool Crop(const PixelRect& rect);

  // Prepare, then the whole conversion into Result() and both previews. On failure (no picture,
  // resampling failed) the result and the previews stay as they were.
  Status Convert();
  // The quick per-pixel preview of the shown bitmap into both previews, leaving the result as it
  // is (a Realtime slider step). False, changing nothing, when nothing is shown.
  bool PreviewLevels();
  // Both previews made DX * 8 by DY of the options, black when their size changed.
  void SizePreviews();

  // Lives as long as the session: OK without a conversion hands back the one before.
  const ImportResult& Result() const { return m_result; }
  const Bitmap24& Dest1() const { return m_dest1; }
  const Bitmap24& Dest2() const { return m_dest2; }

  // The quality figures of the last conversion of this picture, worked out when first asked;
  // none before one. The photo they compare with is made once per picture, Stretch and size.
  std::optional<PictureScore> Score();
  // "Auto" (auto_options.h) for the current picture and options: its choice becomes the options
  // and is converted. Fails as Convert does.
  Status RunAuto(AutoOptions& found);

 private:
  struct StretchKey {
    int width;
    int height;
    int filter;
    bool operator==(const StretchKey&) const = default;
  };
  struct ReferenceKey {
    bool stretch;
    int width;
    int height;
    bool operator==(const ReferenceKey&) const = default;
  };

  const ScoreReference& Reference(const FittedImportOptions& options);

  Bitmap24 m_picture;
  FittedImportOptions m_options;
  Bitmap24 m_stretched;
  std::optional<StretchKey> m_stretchedFor;  // none while m_stretched is not the picture resampled
  const Bitmap24* m_shown = nullptr;
  ImportResult m_result;
  Bitmap24 m_dest1;
  Bitmap24 m_dest2;
  std::optional<FittedImportOptions> m_convertedWith;  // none: no conversion of this picture
  std::optional<PictureScore> m_score;
  std::optional<ScoreReference> m_reference;
  ReferenceKey m_referenceFor{};
};

}  // namespace tinto

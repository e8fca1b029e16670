#pragma once
// The Import Expert's quality figures: how close the mix of the current result is to the
// picture (see core/quality/picture_score.h), and "Auto", the dithered options searched for
// this picture. The photograph at the result's size, which every score compares with, is made
// once per picture, "Stretch" and size, not for every conversion.

#include <optional>

#include "core/import/import_options.h"
#include "core/import/import_result.h"
#include "core/model/bitmap.h"
#include "core/quality/auto_options.h"
#include "core/quality/picture_score.h"

class TImportQuality {
 public:
  // The picture was replaced (opened or cropped): the kept photograph no longer belongs to it.
  void Forget() { m_reference.reset(); }

  // The figures of `result`, converted from `picture` with `options` (fitted) and `stretch`.
  // Precondition: `picture` not empty.
  tinto::PictureScore Score(const tinto::Bitmap24& picture, bool stretch,
                            const tinto::ImportOptions& options, const tinto::ImportResult& result);
  // FindAutoOptions for the conversion of `shown` (the bitmap the conversion reads).
  tinto::AutoOptions FindAuto(const tinto::Bitmap24& picture, const tinto::Bitmap24& shown,
                              bool stretch, const tinto::ImportOptions& options);

 private:
  struct ReferenceKey {
    bool stretch;
    int width;
    int height;
    bool operator==(const ReferenceKey&) const = default;
  };

  const tinto::ScoreReference& Reference(const tinto::Bitmap24& picture, bool stretch,
                                         const tinto::ImportOptions& options);

  std::optional<tinto::ScoreReference> m_reference;
  ReferenceKey m_referenceFor{};
};

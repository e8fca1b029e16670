#pragma once
// What a loader says about a picture it did load.

namespace tinto {

struct PictureNotes {
  // The file ended before all of its pixels: the missing part is filled (grey for JPEG, as the
  // reader leaves it for BMP and GIF).
  bool truncated = false;
};

}  // namespace tinto

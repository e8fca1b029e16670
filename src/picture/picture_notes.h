#pragma once
// What a loader says about a picture it did load.

namespace tinto {

// What the tool prints after the file's name, and the Import Expert in its status bar, when a
// picture was cut short but still loaded.
inline constexpr const char* kTruncatedWarning = "truncated: the missing part is filled";

struct PictureNotes {
  // The file ended before all of its pixels: the missing part is filled (grey for JPEG, as the
  // reader leaves it for BMP and GIF).
  bool truncated = false;
};

}  // namespace tinto

#pragma once
// Texts of the status bar while the pointer moves over the canvas.

#include <optional>
#include <string>

#include "core/model/pointer_mapping.h"
#include "core/model/pointer_mode.h"
#include "core/model/screen_buffers.h"

namespace tinto {

// `XP`, `YP`, `XA`, `YA`: "X: " x, "Y: " y, "XA: " x div 8, "YA: " y div 8 (truncating toward
// zero), for any pixel, also outside the picture.
struct CoordinateTexts {
  std::string xp;
  std::string yp;
  std::string xa;
  std::string ya;
  bool operator==(const CoordinateTexts&) const = default;
};
CoordinateTexts PointerCoordinateTexts(PixelPoint pixel);

// `IP` and `PP`: "Ink: " and "Pap: " with the short names of the ink and the paper of the
// edited frame's attribute at the pixel; nullopt outside the 256 x 192 screen.
struct ColorTexts {
  std::string ip;
  std::string pp;
  bool operator==(const ColorTexts&) const = default;
};
std::optional<ColorTexts> PointerColorTexts(const ScreenBuffers& screen, FrameIndex frame,
                                            PixelPoint pixel);

// The colour names follow the pointer only while it is inside the image, and not while a
// selection is drawn or dragged (button down in MOVE, MOVESEL or CROSS).
bool StatusShowsColors(bool pointerInside, bool buttonDown, PointerMode mode);

}  // namespace tinto

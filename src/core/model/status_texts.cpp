#include "core/model/status_texts.h"

#include "core/model/palette.h"

namespace tinto {

CoordinateTexts PointerCoordinateTexts(PixelPoint pixel) {
  return {"X: " + std::to_string(pixel.x), "Y: " + std::to_string(pixel.y),
          "XA: " + std::to_string(pixel.x / 8), "YA: " + std::to_string(pixel.y / 8)};
}

std::optional<ColorTexts> PointerColorTexts(const ScreenBuffers& screen, FrameIndex frame,
                                            PixelPoint pixel) {
  if (frame < 0 || frame > 1 || pixel.x < 0 || pixel.x >= kScreenWidth || pixel.y < 0 ||
      pixel.y >= kScreenHeight)
    return std::nullopt;
  std::uint8_t attr = screen.Attr(frame, pixel.x, pixel.y);
  return ColorTexts{"Ink: " + ShortColorName(attr, ColorPart::Ink),
                    "Pap: " + ShortColorName(attr, ColorPart::Paper)};
}

bool StatusShowsColors(bool pointerInside, bool buttonDown, PointerMode mode) {
  bool selecting =
      mode == PointerMode::Move || mode == PointerMode::MoveSel || mode == PointerMode::Cross;
  return pointerInside && !(buttonDown && selecting);
}

}  // namespace tinto

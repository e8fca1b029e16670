#include "core/model/pick_colors.h"

#include <algorithm>

namespace tinto {

CurrentColors PickColors(const ScreenBuffers& screen, int x, int y) {
  x = std::clamp(x, 0, kScreenWidth - 1);
  y = std::clamp(y, 0, kScreenHeight - 1);
  std::uint8_t attr0 = screen.Attr(0, x, y);
  std::uint8_t attr1 = screen.Attr(1, x, y);
  constexpr std::uint8_t kInkAndBright = kInkBits | kBrightBit;
  constexpr std::uint8_t kPaperAndBright = kPaperBits | kBrightBit;
  return {static_cast<std::uint8_t>(attr0 & kInkAndBright),
          static_cast<std::uint8_t>(attr0 & kPaperAndBright),
          static_cast<std::uint8_t>(attr1 & kInkAndBright),
          static_cast<std::uint8_t>(attr1 & kPaperAndBright)};
}

}  // namespace tinto

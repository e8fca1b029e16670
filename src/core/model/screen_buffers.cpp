#include "core/model/screen_buffers.h"

namespace tinto {

void ScreenBuffers::ClearScreen() {
  m_pixels.fill(0);
  m_attrs.fill(0);
}

void ScreenBuffers::LoadScreen(const ScreenBlock& pixels, const ScreenBlock& attrs) {
  m_pixels = pixels;
  m_attrs = attrs;
}

}  // namespace tinto

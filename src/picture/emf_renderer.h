#pragma once
// EMF pictures, converted to SVG by libemf2svg and drawn with Qt's SVG renderer.

#include <cstddef>
#include <cstdint>

#include "core/model/bitmap.h"
#include "core/status.h"

namespace tinto {

// Renders the EMF file in `data` at its declared size: the header's frame (in 0.01 mm) at
// 96 pixels per inch, or its bounds in device pixels when the frame is empty; on a white
// background. Sizes over the picture limits are refused before anything is drawn. Text is
// drawn only while a QGuiApplication exists (Qt's fonts need one); without it text is left
// out. Qt's SVG renderer smooths the edges of shapes; their insides keep their exact colours.
// On failure `out` is left unchanged.
Status RenderEmf(const std::uint8_t* data, std::size_t size, Bitmap24& out);

}  // namespace tinto

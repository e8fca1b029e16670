#pragma once
// Renders the two frames into the four display bitmaps: each frame alone (Image_1, Image_2) and
// the two previews, which hold the static mix of both frames with "No Flic" on and copies of the
// two frames with it off.

#include "core/model/bitmap.h"
#include "core/model/palette.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"

namespace tinto {

struct RenderOptions {
  bool attributes = true;  // "Attributes": colours from the attribute bytes, else white on black
  bool noFlic = false;     // "No Flic": previews show the static mix
};

// Each bitmap should be at least DX * 8 by DY pixels; rows and columns beyond a bitmap's own
// size are skipped, never written.
struct DisplayBitmaps {
  BitmapView image1;
  BitmapView image2;
  BitmapView preview1;
  BitmapView preview2;
};

// Four black bitmaps of one size that own their memory (the tool and benchmarks; the editor's
// bitmaps live in its image controls).
struct DisplayBitmapSet {
  Bitmap24 image1, image2, preview1, preview2;

  DisplayBitmapSet(int width, int height)
      : image1(width, height),
        image2(width, height),
        preview1(width, height),
        preview2(width, height) {}
  DisplayBitmaps Views() {
    return {image1.View(), image2.View(), preview1.View(), preview2.View()};
  }
};

// Reference colour of pixel (x, y) of frame f; precondition x < 256, y < 192.
Rgb FramePixelColor(const ScreenBuffers& screen, FrameIndex f, int x, int y, bool attributes);
// Reference colour of the static mix of both frames at (x, y).
Rgb MixedPixelColor(const ScreenBuffers& screen, int x, int y, bool attributes);

// Fills the DX * 8 by DY picture area of all four bitmaps; nothing outside it is touched.
void RenderScreen(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                  RenderOptions options, const DisplayBitmaps& bitmaps);
// Re-renders the 8x8 block holding (x, y), limited to rows below DY.
void RenderBlock(const ScreenBuffers& screen, const ScreenGeometry& geometry, RenderOptions options,
                 const DisplayBitmaps& bitmaps, int x, int y);

}  // namespace tinto

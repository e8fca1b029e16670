#pragma once
// The four display bitmaps `Image_1`, `Image_2`, `Preview1` and `Preview2` as QImages of
// Format_BGR888, whose row memory the core renderer writes through BitmapViews. The QImage
// objects stay at the same address for the window's life, so image controls may keep pointers
// to them across Create calls.

#include <QImage>

#include "core/model/renderer.h"

// A view of `image`'s row memory for the renderer; empty for a null image.
tinto::BitmapView BitmapViewOf(QImage& image);

class TDisplayImages {
 public:
  // Re-creates all four as black bitmaps of `width` by `height` pixels.
  void Create(int width, int height);

  QImage* Image1() { return &m_image1; }
  QImage* Image2() { return &m_image2; }
  QImage* Preview1() { return &m_preview1; }
  QImage* Preview2() { return &m_preview2; }

  // Views of the four images' memory for RenderScreen and RenderBlock.
  tinto::DisplayBitmaps Bitmaps();

 private:
  QImage m_image1;
  QImage m_image2;
  QImage m_preview1;
  QImage m_preview2;
};

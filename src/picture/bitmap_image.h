#pragma once
// Conversions between the core's 24-bit bitmaps and QImage.

#include <QImage>

#include "core/model/bitmap.h"
#include "core/status.h"

namespace tinto {

// Any QImage becomes 24-bit at its own size, its transparent parts laid over white:
// each component c with alpha a gives round((c * a + 255 * (255 - a)) / 255).
// A null image gives an empty bitmap; may throw std::bad_alloc like any allocation.
Bitmap24 ImageToBitmap(const QImage& image);

// The one error a loader or writer gives when an allocation fails.
Status OutOfMemory();

// A loader's last step: `out` becomes ImageToBitmap(image). A null image (what Qt gives when it
// cannot allocate one) or std::bad_alloc gives OutOfMemory() and leaves `out` unchanged.
Status StoreAsBitmap(const QImage& image, Bitmap24& out);

// A deep copy in QImage::Format_RGB888; an empty bitmap gives a null image.
QImage BitmapToImage(const Bitmap24& bitmap);

// The PNG file of `bitmap`, made in memory. Fails on an empty bitmap and when encoding fails.
Status EncodePng(const Bitmap24& bitmap, std::string& bytes);

// Writes `bitmap` as a PNG file through the safe writer: a failed write (the message names the
// reason) leaves any old file as it was. Fails on an empty bitmap.
Status SavePng(const Bitmap24& bitmap, const std::string& path);

}  // namespace tinto

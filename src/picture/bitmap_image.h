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

// A loader's last step: `out` becomes ImageToBitmap(image), converted a few rows at a time and
// the image's memory given back as its rows are done, so the decoded image and the bitmap are
// never both held in full. The image is consumed. A null image (what Qt gives when it cannot
// allocate one) or a failed allocation gives OutOfMemory() and leaves `out` unchanged.
Status StoreAsBitmap(QImage&& image, Bitmap24& out);

// A deep copy in QImage::Format_RGB888; an empty bitmap gives a null image.
QImage BitmapToImage(const Bitmap24& bitmap);

}  // namespace tinto

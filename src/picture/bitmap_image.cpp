#include "picture/bitmap_image.h"

#include <algorithm>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tinto {
namespace {

std::uint8_t OverWhite(int component, int alpha) {
  return static_cast<std::uint8_t>((component * alpha + 255 * (255 - alpha) + 127) / 255);
}

constexpr int kStripRows = 16;

// Images this large always have a memory mapping of their own (glibc maps every block over
// 32 MB), so pages inside it can be given back without touching the allocator's bookkeeping.
constexpr qsizetype kReleaseBytes = 64ll << 20;

// Rows first..first+count of `argb` (ARGB32 or RGB32) into the same rows of `bitmap`, less
// `bitmapShift`.
void WriteOverWhite(const QImage& argb, int first, int count, int bitmapShift, Bitmap24& bitmap) {
  for (int y = first; y < first + count; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    std::uint8_t* out = bitmap.Row(y + bitmapShift);
    for (int x = 0; x < argb.width(); ++x, out += 3) {
      const int alpha = qAlpha(in[x]);
      out[0] = OverWhite(qBlue(in[x]), alpha);
      out[1] = OverWhite(qGreen(in[x]), alpha);
      out[2] = OverWhite(qRed(in[x]), alpha);
    }
  }
}

// Gives the whole pages of bytes [begin, end) back to the system; they read as zero afterwards.
void ReleasePages(const uchar* begin, const uchar* end) {
#if defined(__linux__)
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(begin) + page - 1) / page * page;
  const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(end) / page * page;
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
#else
  (void)begin;
  (void)end;
#endif
}

// Converts `image` strip by strip; returns false when a strip cannot be allocated. With
// `release`, each strip's rows of `image` are given back once converted.
bool ConvertInStrips(const QImage& image, bool release, Bitmap24& bitmap) {
  // Qt's 32-bit formats other than premultiplied are read as they are.
  const bool direct =
      image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32;
  for (int y = 0; y < image.height(); y += kStripRows) {
    const int rows = std::min(kStripRows, image.height() - y);
    if (direct) {
      WriteOverWhite(image, y, rows, 0, bitmap);
    } else {
      const QImage strip =
          image.copy(0, y, image.width(), rows).convertToFormat(QImage::Format_ARGB32);
      if (strip.isNull()) return false;
      WriteOverWhite(strip, 0, rows, y, bitmap);
    }
    if (release)
      ReleasePages(image.constScanLine(0),
                   image.constScanLine(y + rows - 1) + image.bytesPerLine());
  }
  return true;
}

}  // namespace

Bitmap24 ImageToBitmap(const QImage& image) {
  if (image.isNull()) return {};
  Bitmap24 bitmap(image.width(), image.height());
  if (!ConvertInStrips(image, false, bitmap)) return {};
  return bitmap;
}

Status OutOfMemory() { return Status::Error("Out of memory"); }

Status StoreAsBitmap(QImage&& image, Bitmap24& out) {
  QImage owned = std::move(image);
  if (owned.isNull()) return OutOfMemory();
  // Pages may only be given back when no other QImage shares them.
  const bool release = owned.isDetached() && owned.sizeInBytes() >= kReleaseBytes;
  try {
    Bitmap24 bitmap(owned.width(), owned.height());
    if (!ConvertInStrips(owned, release, bitmap)) return OutOfMemory();
    out = std::move(bitmap);
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  }
  return Status::Ok();
}

QImage BitmapToImage(const Bitmap24& bitmap) {
  if (bitmap.Empty()) return {};
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
  if (image.isNull()) return {};
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = bitmap.Row(y);
    uchar* out = image.scanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return image;
}

}  // namespace tinto
